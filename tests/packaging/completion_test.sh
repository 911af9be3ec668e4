#!/usr/bin/env bash
# Bash completion of qx7r310-wizard-cli: every option its --help lists, the choices of the options
# that take a word, and file or folder names after the options that take one.
# usage: completion_test.sh COMPLETION_FILE CLI
set -euo pipefail
export LC_ALL=C
completion=$1
cli=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=/dev/null
source "$completion"

# Candidates, sorted one per line, for a command line whose last word is being completed.
candidates() {
    COMP_WORDS=(qx7r310-wizard-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _qx7r310_wizard_cli qx7r310-wizard-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    if [ ${#COMPREPLY[@]} -gt 0 ]; then
        printf '%s\n' "${COMPREPLY[@]}" | sort
    fi
}

failures=0
expect() { # expect "WORDS" "EXPECTED CANDIDATES"
    local -a words
    read -ra words <<<"$1"
    [ "${1: -1}" = " " ] && words+=("")
    local got
    got=$(candidates "${words[@]}" | tr '\n' ' ')
    got=${got% }
    if [ "$got" != "$2" ]; then
        echo "FAIL: completing '$1': got '$got', expected '$2'" >&2
        failures=$((failures + 1))
    fi
}

# Every option --help lists is offered, long and short.
offered=$(candidates -)
for option in $("$cli" --help | grep -oE '^  (-[A-Za-z0-9],)?--[A-Za-z0-9-]+' | tr ',' ' '); do
    if ! grep -qxe "$option" <<<"$offered"; then
        echo "FAIL: option $option of --help is not completed" >&2
        failures=$((failures + 1))
    fi
done

mkdir -p "$work/folder" "$work/other"
touch "$work/settings.ini" "$work/params.json" "$work/folder/inside.ini"

# Each case: the words typed (a trailing blank starts a new, empty word) and the candidates.
cases=(
    "--blanking |hb-max hb-min hb= vb-max vb-min vb="
    "--blanking v|vb-max vb-min vb="
    "--blanking = vb-m|vb-max vb-min"
    "--blanking =|hb-max hb-min hb= vb-max vb-min vb="
    "--output-as |fields registers"
    "--output-as r|registers"
    "--addressing |direct indirect"
    "--addressing = in|indirect"
    "--fps |"
    "--columns 6|"
    "--json --bypass|--bypass-pll"
    "--var|--variable-frame-rate"
    "-o $work/se|$work/settings.ini"
    "--output $work/folder/|$work/folder/inside.ini"
    "--params $work/pa|$work/params.json"
    "--from $work/s|$work/settings.ini"
    "--batch $work/p|$work/params.json"
    "--standard-ini $work/s|$work/settings.ini"
    "--out-dir $work/|$work/folder $work/other"
)
for entry in "${cases[@]}"; do
    expect "${entry%%|*}" "${entry#*|}"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures completion check(s) failed" >&2
    exit 1
fi
echo "completion checks passed"
