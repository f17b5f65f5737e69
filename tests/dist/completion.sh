#!/usr/bin/env bash
# Completes dualis command lines with the completion file as installed, the way bash calls it.
set -uo pipefail
source "$1" || exit 1
cd "$(mktemp -d)" || exit 1
touch old.frm old.bas notes.txt
failures=0

# Completes the line as if the cursor stood at its end, "=" breaking words as in bash itself.
complete_line() {
    COMP_LINE=$1 COMP_POINT=${#1} COMP_WORDBREAKS=$' \t\n"'\''><=;|&(:'
    read -ra COMP_WORDS <<<"${1//=/ = }"
    [[ $1 == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _dualis dualis "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]-}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}
expect() {
    local got
    got=$(complete_line "$1")
    if [[ $got != "$2" ]]; then
        echo "FAIL: [$1] completes to [$got], expected [$2]"
        failures=$((failures + 1))
    fi
}

expect 'dualis --rep' '--report'
expect 'dualis --ignore-c' '--ignore-case --ignore-comments'
expect 'dualis --sy' '--sync='
expect 'dualis --report --differences' '--differences-only --differences-only='
expect 'dualis --option IgnoreC' 'IgnoreCase= IgnoreComments='
expect 'dualis --option IgnoreCase=' 'No Yes'
expect 'dualis --option LineByLine=Y' 'Yes'
expect 'dualis --option TabWidth=' ''
expect 'dualis --sync=' ''
expect 'dualis --report --mod' '--module --modules'
expect 'dualis --format=' 'json text'
expect 'dualis --format=j' 'json'
expect 'dualis --color=a' 'always auto'
expect 'dualis --ignore-save-noise=' 'no yes'
expect 'dualis --option IgnoreS' 'IgnoreSaveNoise='
expect 'dualis --report --module ' ''
expect 'dualis --report old.' 'old.bas old.frm'
expect 'dualis --report old.frm ' 'notes.txt old.bas old.frm'
expect 'dualis --settings n' 'notes.txt'
expect 'dualis --dump ' 'notes.txt old.bas old.frm'
expect 'dualis --ex' '--expand-tabs --expand-tabs= --extract'
expect 'dualis --extract --enc' '--encoding='
expect 'dualis --extract --encoding=' 'native utf-8'
expect 'dualis --vba-text ' 'notes.txt old.bas old.frm'
expect 'dualis --report --codepage=' ''
expect 'dualis --option CodeP' 'CodePage='
expect 'dualis --option CodePage=' ''
# The completion is registered for the program's name.
complete -p dualis | grep -q -- '-F _dualis' || { echo "FAIL: not registered"; failures=1; }
exit $((failures > 0))
