#!/usr/bin/env bash
# Takes the README's screenshots of the window program on a virtual display with a
# window manager (so every window has its frame and caption): the main window and
# every dialog and message box, and a grid marked against its plan, in English and
# Chinese at 100% scale, and the main window at 200%; the fleet station runs two radios
# of `chprog simulate`. Writes docs/screenshots/*.png; the main windows also go to
# docs/program-en.png and docs/program-zh.png. Needs a build (./run.sh or ./test.sh)
# and xvfb, xauth and openbox (./scripts/install-deps.sh --gui).
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
for tool in Program chprog dialog_shots; do
  [[ -x $bin/$tool ]] || { echo "Build first: $bin/$tool is missing" >&2; exit 1; }
done
out=docs/screenshots
mkdir -p "$out"
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
# A PMR446 document with channel 3 at High power and channel 6 wide: the grid marks both.
"$bin/chprog" new --plan pmr446 --model QR-16U --band "400 - 470MHz" -o "$work/pmr446.dat" >/dev/null
"$bin/chprog" edit "$work/pmr446.dat" --channels 3-3 "Power=High" >/dev/null
"$bin/chprog" edit "$work/pmr446.dat" --channels 6-6 "W/N=Wide" >/dev/null

# shoot LANGUAGE SUFFIX SCALE [--main-only]: without it every dialog and the marked grid
shoot() {
  local language=$1 suffix=$2 scale=$3 mode=${4:---marks $work/pmr446.dat}
  mkdir -p "$work/$language"
  sed "s/^Language=.*/Language=$language/" resources/Program.ini > "$work/$language/Program.ini"
  XDG_CONFIG_HOME="$work/settings" QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
      openbox >/dev/null 2>&1 &
      sleep 1
      '$bin/dialog_shots' '$out' '$suffix' $mode --config '$work/$language' '$work/sample.dat'"
}

shoot English en 1
shoot Chinese zh 1
shoot English en-200 2 --main-only
cp "$out/main-en.png" docs/program-en.png
cp "$out/main-zh.png" docs/program-zh.png
# COM Setup, drawn offscreen with a staged port list (a USB cable as COM1).
QT_QPA_PLATFORM=offscreen build/bin/shoot_com_setup docs/com-setup-en.png English
QT_QPA_PLATFORM=offscreen build/bin/shoot_com_setup docs/com-setup-zh.png Chinese
echo "Wrote $(ls "$out" | wc -l) screenshots to $out/"
