#!/usr/bin/env bash
# Checks a udev rules file: with `udevadm verify` where this machine's udev has it, and
# always with a small parse of each rule: every item is KEY OPERATOR "VALUE" with a key
# udev knows and an operator valid for it (matches ==, != on the keys that match;
# assignments =, +=, -=, := on the keys that assign), quotes balanced, and every GOTO
# has its LABEL.
#   check_udev_rule.sh RULES_FILE
set -euo pipefail
rules=$1
problems=()

if udevadm verify --help >/dev/null 2>&1; then
    udevadm verify "$rules" >/dev/null || problems+=("udevadm verify: $(udevadm verify "$rules" 2>&1)")
fi

match_keys='ACTION|DEVPATH|KERNEL|KERNELS|NAME|SYMLINK|SUBSYSTEM|SUBSYSTEMS|DRIVER|DRIVERS|ATTR\{[^}]+\}|ATTRS\{[^}]+\}|SYSCTL\{[^}]+\}|TAG|TAGS|ENV\{[^}]+\}|CONST\{[^}]+\}|TEST(\{[^}]+\})?|PROGRAM|RESULT'
assign_keys='NAME|SYMLINK|OWNER|GROUP|MODE|SECLABEL\{[^}]+\}|ATTR\{[^}]+\}|SYSCTL\{[^}]+\}|ENV\{[^}]+\}|TAG|RUN(\{[^}]+\})?|LABEL|GOTO|IMPORT\{[^}]+\}|OPTIONS'
labels=$(sed -nE 's/.*LABEL="([^"]+)".*/\1/p' "$rules")
number=0
while IFS= read -r line || [[ -n $line ]]; do
    number=$((number + 1))
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    rest=$line
    while [[ -n $rest ]]; do
        if [[ $rest =~ ^[[:space:]]*([A-Z]+(\{[^}]*\})?)[[:space:]]*(==|!=|\+=|-=|:=|=)[[:space:]]*\"([^\"]*)\"[[:space:]]*(,|$)(.*)$ ]]; then
            key=${BASH_REMATCH[1]} operator=${BASH_REMATCH[3]} value=${BASH_REMATCH[4]}
            rest=${BASH_REMATCH[6]}
            case $operator in
            == | !=) [[ $key =~ ^($match_keys)$ ]] || problems+=("line $number: $key cannot be matched") ;;
            *) [[ $key =~ ^($assign_keys)$ ]] || problems+=("line $number: $key cannot be assigned") ;;
            esac
            if [[ $key == GOTO ]] && ! grep -qxF -- "$value" <<<"$labels"; then
                problems+=("line $number: GOTO \"$value\" has no LABEL")
            fi
        else
            problems+=("line $number: not KEY OPERATOR \"VALUE\": $rest")
            break
        fi
    done
done <"$rules"

if ((${#problems[@]})); then
    echo "FAIL: $rules:" >&2
    printf '  %s\n' "${problems[@]}" >&2
    exit 1
fi
