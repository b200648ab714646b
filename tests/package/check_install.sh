#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: the two
# executables, the companions, the menu entry (desktop file, icons, AppStream
# metadata), chprog's manual page and bash completion; then starts the installed
# program as a new user would. Nothing is installed outside the temporary folder.
#   check_install.sh BUILD_DIR SOURCE_DIR PACKAGE APP_ID
set -euo pipefail
build=$1 source_dir=$2 package=$3 app_id=$4
source "$(dirname "$0")/run_installed.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

# Width and height of a PNG, from its header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }'
}
expect_file() {
    [[ -f $prefix/$1 ]] || fail "missing after install: $1"
}
for file in bin/$package bin/chprog \
    share/$package/Program.ini share/$package/title.ico share/$package/background.bmp \
    share/$package/help/enHelp/index.html share/$package/help/chHelp/index.html \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/man/man1/chprog.1.gz share/man/man1/$package.1.gz share/doc/$package/copyright \
    share/bash-completion/completions/chprog \
    lib/udev/rules.d/60-$package.rules; do
    expect_file "$file"
done
[[ -x $prefix/bin/$package && -x $prefix/bin/chprog ]] || fail "the executables are not executable"
for size in 16 22 24 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/$app_id.png
    expect_file "$icon"
    [[ $(png_size "$prefix/$icon") == "$size $size" ]] || fail "$icon is not ${size}x${size}"
done

# Hints (suggestions of further categories) are not faults.
complaints=$(desktop-file-validate "$prefix/share/applications/$app_id.desktop" 2>&1) ||
    fail "desktop-file-validate: $complaints"
if grep -v ': hint: ' <<<"$complaints" | grep -q .; then
    fail "desktop-file-validate: $complaints"
fi
grep -qx "Exec=$package %f" "$prefix/share/applications/$app_id.desktop" || fail "Exec line"
grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || fail "Icon line"
grep -qx "MimeType=application/x-$package-image;" "$prefix/share/applications/$app_id.desktop" ||
    fail "MimeType line"
# AppStream: no error and no warning (pedantic notes are not faults: the id keeps the
# capitals of the menu entry's file name).
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
validation=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $validation"
if grep -E '^[EW]: ' <<<"$validation"; then
    fail "appstreamcli validate: $validation"
fi
grep -qF "<project_license>MIT</project_license>" "$metainfo" || fail "the metainfo names no licence"

# The file type of radio images: well-formed XML, accepted by update-mime-database (which
# refuses a file that breaks the shared-mime-info format), and a *.dat glob that weighs
# less than the default 50, so other .dat types are not taken over.
mime_xml=$prefix/share/mime/packages/$package.xml
expect_file share/mime/packages/$package.xml
xmllint --noout "$mime_xml" || fail "xmllint: $mime_xml"
mkdir -p "$work/mime/packages"
cp "$mime_xml" "$work/mime/packages/"
mime_errors=$(XDG_DATA_HOME=$work update-mime-database "$work/mime" 2>&1) || fail "update-mime-database: $mime_errors"
[[ -z $mime_errors ]] || fail "update-mime-database: $mime_errors"
grep -qx "10:application/x-$package-image:\*.dat" "$work/mime/globs2" ||
    fail "the .dat glob of weight 10: $(cat "$work/mime/globs2")"

# The udev rule: valid rules, and every listed cable opened to the user at the seat and
# kept from ModemManager.
bash "$(dirname "$0")/check_udev_rule.sh" "$prefix/lib/udev/rules.d/60-$package.rules"
while IFS= read -r rule; do
    [[ $rule == *'TAG+="uaccess"'* && $rule == *'ENV{ID_MM_DEVICE_IGNORE}="1"'* ]] ||
        fail "the udev rule leaves a cable out: $rule"
done < <(grep 'ATTRS{idVendor}' "$prefix/lib/udev/rules.d/60-$package.rules")

# The manual page documents the commands.
man_text=$(zcat "$prefix/share/man/man1/chprog.1.gz" | sed 's/\\-/-/g')
for word in import-csv simulate ports Program.ini; do
    grep -qF -- "$word" <<<"$man_text" || fail "the manual page does not mention $word"
done

# The completion offers commands and the options of a command.
complete_words() { # complete_words WORD... (the last one is being completed)
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _chprog
             printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix/share/bash-completion/completions/chprog" "$@"
}
[[ $(complete_words chprog se | sort | tr '\n' ' ') == "set settings " ]] ||
    fail "completion of 'chprog se': $(complete_words chprog se)"
complete_words chprog write --a | grep -qx -- --alignment || fail "completion of write's options"
complete_words chprog show x.dat --lang z | grep -qx zh || fail "completion of --lang"

# The installed chprog works on its own and reads the installed default Program.ini.
"$prefix/bin/chprog" new -o "$work/blank.dat"
HOME=$work/chprog-home XDG_CONFIG_HOME= "$prefix/bin/chprog" calibration "$work/blank.dat" \
    >"$work/calibration.txt" 2>"$work/calibration.err"
[[ -s $work/calibration.txt && ! -s $work/calibration.err ]] ||
    fail "installed chprog calibration: $(cat "$work/calibration.err")"

run_installed_program "$prefix" "$package" "$work"
cmp -s "$prefix/share/$package/Program.ini" "$source_dir/resources/Program.ini" ||
    fail "the installed default Program.ini changed"
echo "installed tree checked"
