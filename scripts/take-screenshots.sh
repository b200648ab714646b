#!/usr/bin/env bash
# Takes the README's screenshots of the window program, in English and Chinese, on a
# virtual display. Needs a build (./run.sh or ./test.sh) and xvfb + imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

program=build/bin/Program
[[ -x $program ]] || { echo "Build first: $program is missing" >&2; exit 1; }
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shoot() { # shoot LANGUAGE OUTPUT.png
  mkdir -p "$work/$1"
  sed "s/^Language=.*/Language=$1/" resources/Program.ini > "$work/$1/Program.ini"
  # Without a window manager nothing maximises the window: give it the screen.
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    '$program' -qwindowgeometry 1280x800+0+0 --config '$work/$1' & pid=\$!
    sleep 3
    import -window root '$2'
    kill \$pid"
}

shoot English docs/program-en.png
shoot Chinese docs/program-zh.png
echo "Wrote docs/program-en.png and docs/program-zh.png"
