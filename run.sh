#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window program. Arguments are
# passed on: ./run.sh radio.dat, ./run.sh --port /dev/ttyUSB0, ./run.sh --help
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh --gui
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build --parallel "$(nproc)"

# Without a display (a bare server or a container) the program runs on a virtual one.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: running under xvfb-run (nothing will be visible)." >&2
  exec xvfb-run -a ./build/bin/Program "$@"
fi
exec ./build/bin/Program "$@"
