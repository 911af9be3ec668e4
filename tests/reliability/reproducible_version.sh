#!/usr/bin/env bash
# Two builds of the version text with the same SOURCE_DATE_EPOCH give the same version line, and
# that line carries the date of the epoch, not of the clock.
# usage: reproducible_version.sh CXX SOURCE_DIR
set -euo pipefail
cxx=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/print_version.cpp" <<'CPP'
#include "Version.h"
#include <cstdio>
int main() { std::puts(GetVersionText().c_str()); }
CPP

export SOURCE_DATE_EPOCH=1700000000 # 2023-11-14 22:13:20 UTC
flags=(-std=c++20 -I"$src/core" -DQX_VERSION_MAJOR=1 -DQX_VERSION_MINOR=2 -DQX_VERSION_PATCH=3
    -DQX_VERSION_TWEAK=4)
for build in first second; do
    mkdir "$work/$build"
    "$cxx" "${flags[@]}" -o "$work/$build/print_version" "$work/print_version.cpp" \
        "$src/core/Version.cpp" "$src/core/FormatDecimal.cpp"
    # The builds are apart in time, as two builds of one commit are.
    [ "$build" = first ] && sleep 1
done
first=$("$work/first/print_version")
second=$("$work/second/print_version")
expected="Version: 1.2.3.4    Build Date: 11/14/2023"
if [ "$first" != "$expected" ] || [ "$second" != "$expected" ]; then
    echo "version lines differ: '$first' / '$second', expected '$expected'" >&2
    exit 1
fi
echo "both builds: $first"
