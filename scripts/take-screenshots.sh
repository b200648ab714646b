#!/usr/bin/env bash
# Takes the README's screenshots of the window program, in English and Chinese, on a
# virtual display, showing a sample image with a few channels. Needs a build
# (./run.sh or ./test.sh) and xvfb + imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
[[ -x $bin/Program && -x $bin/chprog ]] || { echo "Build first: $bin/Program is missing" >&2; exit 1; }
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A sample image: four channels of a 136 - 174MHz radio (model 1, band 1).
"$bin/chprog" new -o "$work/blank.dat"
cat > "$work/sample.csv" <<'CSV'
CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,Busy Lock,W/N,Compand
1,146.52000,146.52000,None,None,High,Yes,Off,Wide,No
2,145.50000,145.50000,67.0,67.0,Low,Yes,Carrier,Narrow,No
3,151.62500,151.62500,D023N,D023N,High,No,QT/DQT,Wide,Yes
4,162.55000,162.55000,None,None,Low,Yes,Off,Narrow,No
CSV
"$bin/chprog" import-csv "$work/sample.csv" --base "$work/blank.dat" -o "$work/sample.dat" \
  --band "136 - 174MHz" >/dev/null
printf '\000\000' | dd of="$work/sample.dat" bs=1 seek=$((0x3DE)) conv=notrunc status=none

shoot() { # shoot LANGUAGE OUTPUT.png
  mkdir -p "$work/$1"
  sed "s/^Language=.*/Language=$1/" resources/Program.ini > "$work/$1/Program.ini"
  # Without a window manager nothing maximises the window: give it the screen.
  XDG_CONFIG_HOME="$work/settings" xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    '$bin/Program' -qwindowgeometry 1280x800+0+0 --config '$work/$1' '$work/sample.dat' &
    pid=\$!
    sleep 3
    import -window root '$2'
    kill \$pid"
}

shoot English docs/program-en.png
shoot Chinese docs/program-zh.png
echo "Wrote docs/program-en.png and docs/program-zh.png"
