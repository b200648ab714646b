#!/usr/bin/env bash
# The bash completion offers exactly what chprog takes: its commands, every option of
# every command (from `chprog COMMAND --help`) and every --fault kind of simulate (from
# its help's fault list). A command, option or fault added to chprog without the
# completion, or left in the completion after chprog dropped it, fails here.
#   check_completion.sh CHPROG COMPLETION_FILE
set -euo pipefail
chprog=$1 completion=$2
failed=0

complete_words() { # complete_words WORD... (the last one is being completed)
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _chprog
             printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@" | sort -u
}
same() { # same WHAT EXPECTED ACTUAL
    if [[ $2 != "$3" ]]; then
        echo "FAIL: $1" >&2
        diff <(echo "$2") <(echo "$3") | sed 's/^</  chprog:    /; s/^>/  completion:/' >&2 || true
        failed=1
    fi
}

commands=$("$chprog" --help | sed -n 's/^  chprog \([a-z-]*\) .*/\1/p' | sort -u)
same "the commands" "$(printf '%s\n' $commands help --help --version | sort -u)" \
    "$(complete_words chprog '')"

for command in $commands; do
    # "  -o, --output <FILE>  ..." lines of the Options section.
    options=$("$chprog" "$command" --help |
        sed -n '/^Options:/,/^$/p' | grep -oE '^  (-[a-zA-Z], )?--[a-z-]+' |
        tr ',' '\n' | tr -d ' ' | sort -u)
    same "the options of $command" "$options" "$(complete_words chprog "$command" -)"
done

# "  short-read:N  ..." lines: the kind, with a ':' when a number follows.
faults=$("$chprog" simulate --help | sed -n '/^Faults/,/^$/p' |
    sed -nE 's/^  ([a-z-]+)(:N)?(:MS)?  .*/\1\2/p' | sed 's/:N$/:/' | sort -u)
[[ -n $faults ]] || { echo "FAIL: no fault list in chprog simulate --help" >&2; exit 1; }
same "the --fault kinds" "$faults" "$(complete_words chprog simulate --fault '')"

exit $failed
