#!/usr/bin/env bash
# The Debian package of a build, unpacked without root: every file at its path, the desktop,
# AppStream, manual-page and Debian checkers satisfied, and both programs run from the package.
# usage: package_test.sh BUILD_DIR [PACKAGE.deb]
#   Without PACKAGE.deb, cpack makes the package from BUILD_DIR into a scratch folder.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$build/package-test
rm -rf "$work"
mkdir -p "$work"

if [ $# -ge 2 ]; then
    deb=$(realpath "$2")
else
    if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log" >&2
        exit 1
    fi
    deb=$(echo "$work"/cpack/*.deb)
fi
echo "package: $deb"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

root=$work/root
dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
package=$(dpkg-deb -f "$deb" Package)
depends=$(dpkg-deb -f "$deb" Depends)
echo "version: $version"
echo "depends: $depends"
[ "$package" = qx7r310-wizard ] || fail "package name $package"
# dpkg-shlibdeps found the libraries the programs link.
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library"
done

bin=$root/usr/bin
share=$root/usr/share
metainfo=$share/metainfo/com.velmora.qx7r310_wizard.metainfo.xml
completion=$share/bash-completion/completions/qx7r310-wizard-cli
files=(
    "$bin/qx7r310-wizard"
    "$bin/qx7r310-wizard-cli"
    "$share/applications/qx7r310-wizard.desktop"
    "$share/icons/hicolor/scalable/apps/qx7r310-wizard.svg"
    "$share/icons/hicolor/48x48/apps/qx7r310-wizard.png"
    "$metainfo"
    "$share/mime/packages/qx7r310-wizard.xml"
    "$share/man/man1/qx7r310-wizard.1.gz"
    "$share/man/man1/qx7r310-wizard-cli.1.gz"
    "$completion"
    "$share/doc/qx7r310-wizard/copyright"
)
for file in "${files[@]}"; do
    [ -f "$file" ] || fail "missing ${file#"$root"}"
done
for program in "$bin/qx7r310-wizard" "$bin/qx7r310-wizard-cli"; do
    [ -x "$program" ] || fail "not executable: ${program#"$root"}"
    if ldd "$program" | grep -q 'not found'; then
        fail "unresolved libraries of ${program#"$root"}: $(ldd "$program" | grep 'not found')"
    fi
done
stray=$(find "$root" -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$stray" ] || fail "files outside /usr: $stray"
# The install rules take any prefix: the same files land under it as under the package's /usr.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in "${files[@]}"; do
    [ -f "$work/prefix/${file#"$root/usr/"}" ] || fail "cmake --install misses ${file#"$root/usr/"}"
done
png=$(file -b "$share/icons/hicolor/48x48/apps/qx7r310-wizard.png")
[[ $png == "PNG image data, 48 x 48"* ]] || fail "icon PNG: $png"

# Hints count too: a menu entry without a main category lands in a catch-all menu.
if ! desktop_issues=$(desktop-file-validate "$share/applications/qx7r310-wizard.desktop" 2>&1) ||
    [ -n "$desktop_issues" ]; then
    fail "desktop-file-validate: $desktop_issues"
fi
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"

# man renders both pages without warnings; the command-line page lists every option of --help.
cli_help=$("$bin/qx7r310-wizard-cli" --help)
for page in qx7r310-wizard qx7r310-wizard-cli; do
    if ! LC_ALL=C MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" >"$work/$page.txt" \
        2>"$work/$page.err"; then
        fail "man -l $page"
    fi
    [ ! -s "$work/$page.err" ] || fail "man -l $page warns: $(cat "$work/$page.err")"
    grep -q "^NAME" "$work/$page.txt" || fail "man -l $page: no NAME section"
    grep -q "$page $version" "$work/$page.txt" || fail "man -l $page: no version $version"
done
options=$(grep -oE '^  (-[A-Za-z0-9],)?--[A-Za-z0-9-]+' <<<"$cli_help" | tr ',' '\n' | tr -d ' ')
for option in $options; do
    grep -qe "$option" "$work/qx7r310-wizard-cli.txt" || fail "manual page lacks $option"
done

# The unpacked command-line wizard writes exactly what the build's writes.
cli_version=$("$bin/qx7r310-wizard-cli" --version) || fail "qx7r310-wizard-cli --version"
[[ $cli_version == *"Version: $version "* ]] || fail "qx7r310-wizard-cli --version: $cli_version"
argument_sets=(
    ""
    "--fps 15 --columns 320 --rows 240 --output-as fields"
    "--input-freq 24 --system-freq 48 --blanking vb=40 --addressing indirect --skipping"
)
for i in "${!argument_sets[@]}"; do
    read -ra arguments <<<"${argument_sets[$i]}"
    "$bin/qx7r310-wizard-cli" "${arguments[@]}" -o "$work/unpacked-$i.ini" ||
        fail "unpacked qx7r310-wizard-cli ${argument_sets[$i]}"
    "$build/cli/qx7r310-wizard-cli" "${arguments[@]}" -o "$work/build-$i.ini"
    cmp "$work/unpacked-$i.ini" "$work/build-$i.ini" ||
        fail "settings files differ for '${argument_sets[$i]}'"
done

# The unpacked window program answers and exits without a display.
export QT_QPA_PLATFORM=offscreen
gui_version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/qx7r310-wizard" --version) ||
    fail "qx7r310-wizard --version"
[[ $gui_version == *"Version: $version "* ]] || fail "qx7r310-wizard --version: $gui_version"
gui_help=$("$bin/qx7r310-wizard" --help) || fail "qx7r310-wizard --help"
# Once the window program exports the timing diagram, that starts Qt offscreen and ends cleanly.
if grep -q -- --export-diagram <<<"$gui_help"; then
    timeout 120 "$bin/qx7r310-wizard" --export-diagram "$work/diagram.svg" --fps 15 ||
        fail "qx7r310-wizard --export-diagram"
    grep -q '<svg' "$work/diagram.svg" || fail "the exported diagram is no SVG"
fi

# The installed completion loads and completes the command.
bash -c "source '$completion' && complete -p qx7r310-wizard-cli" >/dev/null || fail "completion"

lintian --fail-on error --display-level '>=warning' --tag-display-limit 0 "$deb" |
    tee "$work/lintian.txt" || fail "lintian reports errors"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
