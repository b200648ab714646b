#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build --parallel "$(nproc)"

# Until the window program is there, show the command-line tool on a new image.
demo=$(mktemp -d)/new.dat
./build/bin/chprog new -o "$demo"
echo "A new radio image: $demo"
./build/bin/chprog show "$demo"
