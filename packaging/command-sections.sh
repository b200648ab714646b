#!/usr/bin/env bash
# Writes the COMMANDS section of chprog's manual page (a help2man include) from the
# help of each command, so the page lists every command with all its options and
# cannot fall behind the program: one subsection per command with its usage, its
# description and one paragraph per option.
#   command-sections.sh CHPROG OUTPUT
set -euo pipefail
chprog=$1 output=$2

# troff text: backslashes and minus signs escaped, no line taken for a request.
roff() {
    sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
}

# One command's help as troff.
command_section() {
    local name=$1 part=usage line
    printf '.SS "chprog %s"\n' "$(roff <<<"$name")"
    while IFS= read -r line; do
        case $part:$line in
        usage:Usage:*)
            printf '.B %s\n' "$(roff <<<"${line#Usage: }")"
            part=description
            printf '.PP\n' ;;
        *:Options: | *:Arguments:)
            part=options ;;
        *:"Exit status:"*) ;;
        description:)
            printf '.PP\n' ;;
        description:"  "*)
            printf '.br\n\\ \\ %s\n' "$(roff <<<"${line#  }")" ;;
        description:*)
            roff <<<"$line" ;;
        options:"      "*)
            sed 's/^ *//' <<<"$line" | roff ;;
        options:"  "*)
            # "  -o, --output <FILE>  The file to write."
            local names=${line#  } text=
            if [[ $names =~ ^(.*[^ ])\ \ +(.*)$ ]]; then
                names=${BASH_REMATCH[1]} text=${BASH_REMATCH[2]}
            fi
            printf '.TP\n.B %s\n' "$(roff <<<"$names")"
            [[ -z $text ]] || roff <<<"$text" ;;
        esac
    done < <("$chprog" "$name" --help)
}

{
    printf '[COMMANDS]\n'
    "$chprog" --help | sed -n 's/^  chprog \([a-z-]*\) .*/\1/p' | while read -r name; do
        command_section "$name"
    done
} >"$output"
