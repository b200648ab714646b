# Shared by the package checks (sourced): starts an installed window program the way a
# user's first start would, offscreen, with a private HOME, and checks that it creates
# the user's own Program.ini from the installed default and keeps running.

# run_installed_program PREFIX PACKAGE WORK_DIR
run_installed_program() {
    local prefix=$1 package=$2 work=$3
    local home=$work/home
    mkdir -p "$home"
    local user_ini=$home/.config/$package/Program.ini
    local log=$work/program.log

    # The help names the file the run will use.
    HOME=$home XDG_CONFIG_HOME= QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/$package" --help >"$work/help.txt"
    grep -qF "Program.ini of this run: $user_ini" "$work/help.txt" ||
        fail "--help does not name $user_ini: $(tail -1 "$work/help.txt")"

    env -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/$package" >"$log" 2>&1 &
    local pid=$!
    local waited=0
    while [[ ! -s $user_ini ]] && kill -0 "$pid" 2>/dev/null && ((waited < 150)); do
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" || true
        fail "the installed program ended on its own: $(cat "$log")"
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [[ -s $user_ini ]] || fail "the program did not create $user_ini"
    cmp -s "$user_ini" "$prefix/share/$package/Program.ini" ||
        fail "$user_ini is not a copy of the installed default"
    [[ -w $user_ini ]] || fail "$user_ini is not writable for its user"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
