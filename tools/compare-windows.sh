#!/usr/bin/env bash
# Runs a table of command lines through the Linux and the Windows (under Wine) command-line wizard
# and compares every byte each writes: exit status, standard output, standard error and files.
# usage: tools/compare-windows.sh LINUX_CLI WINDOWS_CLI_EXE SCRATCH_FOLDER
set -euo pipefail
linux=$(realpath "$1")
windows=$(realpath "$2")
scratch=$3
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
# Arguments reach Wine as UTF-8 only under a UTF-8 locale; the same for the Linux run.
export LC_ALL=C.UTF-8

# The files every row starts from, the same for both programs.
fixtures() {
    mkdir -p "$1/folder" "$1/locked"
    printf '{"frameRate": 15, "lowPower": true}\n' >"$1/params.json"
    printf '{"frameRate": 15,\n' >"$1/bad.json"
    cp "$root/examples/camera-modes.jsonl" "$1/modes.jsonl"
    "$linux" --low-power --fps 15 -o "$1/given.ini" # a settings file to read back with --from
    printf 'previous\r\n' >"$1/readonly.ini"
    chmod a-w "$1/readonly.ini"
    printf 'previous\r\n' >"$1/locked/settings.ini"
    chmod a-w "$1/locked"
}

# Runs one program in its own copy of the fixtures; stdin from the row's file or from nothing.
run() { # run OUT_FOLDER STDIN PROGRAM... ARGS
    local out=$1 input=$2
    shift 2
    mkdir -p "$out/files"
    fixtures "$out/files"
    local status=0
    (cd "$out/files" && "$@" <"${input:-/dev/null}" >"$out/stdout" 2>"$out/stderr") || status=$?
    echo "$status" >"$out/status"
    chmod -R u+w "$out/files"
}

# Each row: a name, where standard input comes from (a fixture or -), how the two must compare
# (same: every byte; windows-refuses: Windows fails with status 1, the old file kept, and
# Linux, where the name is an ordinary file name, writes it), then the arguments.
rows=(
    "standard-output|-|same"
    "file|-|same|-o settings.ini"
    "replace-file|-|same|-o given.ini"
    "json|-|same|--json"
    "params-file|-|same|--params params.json -o out.ini"
    "params-stdin|params.json|same|--params - -o out.ini"
    "params-stdin-json|params.json|same|--params - --json"
    "bad-params|-|same|--params bad.json -o out.ini"
    "missing-params|-|same|--params missing.json"
    "folder-params|-|same|--params folder"
    "batch|-|same|--batch modes.jsonl --out-dir settings"
    "batch-json|-|same|--batch modes.jsonl --json"
    "from|-|same|--from given.ini -o again.ini"
    "from-folder|-|same|--from folder"
    "list-pll|-|same|--list-pll"
    "list-pll-json|-|same|--list-pll --json"
    "non-ascii-name|-|same|-o réglages-ü.ini"
    "non-ascii-folder|-|same|--batch modes.jsonl --out-dir ausgabe-ä"
    "folder-as-target|-|same|-o folder"
    "missing-folder|-|same|-o missing/settings.ini"
    "read-only-folder|-|same|-o locked/settings.ini"
    "bad-option|-|same|--frame-rate many"
    "timing-not-available|-|same|--columns 9000 -o given.ini"
    "adjusted-request|-|same|--input-freq 48 -o out.ini"
    "strict-refusal|-|same|--input-freq 48 --strict -o given.ini"
    "register-table|-|same|--batch modes.jsonl --register-table modes.h"
    "mode-diff|-|same|--batch modes.jsonl --diff preview capture --json"
    "read-only-target|-|windows-refuses|-o readonly.ini"
    "nul-name|-|windows-refuses|-o NUL"
    "con-name|-|windows-refuses|-o CON"
    "con-name-with-extension|-|windows-refuses|-o con.ini"
)

mkdir -p "$scratch/pristine"
fixtures "$scratch/pristine"
chmod -R u+w "$scratch/pristine"

failed=0
for row in "${rows[@]}"; do
    IFS='|' read -r name input kind args <<<"$row"
    read -r -a argv <<<"$args"
    stdin=
    [ "$input" = - ] || stdin=$scratch/$name/linux/files/$input
    run "$scratch/$name/linux" "$stdin" "$linux" "${argv[@]}"
    [ "$input" = - ] || stdin=$scratch/$name/windows/files/$input
    run "$scratch/$name/windows" "$stdin" wine "$windows" "${argv[@]}"
    l=$scratch/$name/linux
    w=$scratch/$name/windows
    verdict=equal
    case "$kind" in
    same)
        for part in status stdout stderr; do
            cmp -s "$l/$part" "$w/$part" || verdict="differs in $part"
        done
        diff -r "$l/files" "$w/files" >/dev/null || verdict="differs in the files written"
        ;;
    windows-refuses)
        verdict="refused on Windows, the old file kept"
        [ "$(cat "$w/status")" = 1 ] && [ ! -s "$w/stdout" ] && [ "$(wc -l <"$w/stderr")" = 1 ] &&
            grep -q '^qx7r310-wizard-cli: cannot write "' "$w/stderr" &&
            diff -r "$w/files" "$scratch/pristine" >/dev/null ||
            verdict="FAILED: status $(cat "$w/status"): $(cat "$w/stderr")"
        ;;
    esac
    # Standard output in text mode would turn each CR LF into CR CR LF.
    if grep -q $'\r\r' "$w/stdout"; then
        verdict="CR CR LF on Windows standard output"
    fi
    case "$verdict" in equal | refused*) ;; *) failed=1 ;; esac
    printf '%-26s %-40s status %s/%s  %s\n' "$name" "${args:-(none)}" "$(cat "$l/status")" \
        "$(cat "$w/status")" "$verdict"
    if [ "$kind" = windows-refuses ]; then
        printf '%-26s %s\n' "" "Windows: $(cat "$w/stderr")"
    fi
done

# The settings file printed to standard output ends every line with CR LF on Windows too.
out=$scratch/standard-output/windows/stdout
if [ "$(grep -c $'\r$' "$out")" != "$(wc -l <"$out")" ] || [ "$(wc -l <"$out")" -lt 10 ]; then
    echo "the settings file on Windows standard output does not end every line with CR LF" >&2
    failed=1
fi
exit "$failed"
