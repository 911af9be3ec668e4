#!/usr/bin/env bash
# The two Debian packages of a build, installed into a throw-away root: every file in its package,
# the desktop, AppStream, manual-page and Debian checkers satisfied, both programs run from there,
# and removal leaves nothing.
# usage: package_test.sh BUILD_DIR [PACKAGE_DIR]
#   Without PACKAGE_DIR, cpack makes the packages from BUILD_DIR into a scratch folder.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$build/package-test
rm -rf "$work"
mkdir -p "$work"

if [ $# -ge 2 ]; then
    packages=$(cd "$2" && pwd)
else
    if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log" >&2
        exit 1
    fi
    packages=$work/cpack
fi

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cli_deb=$(echo "$packages"/qx7r310-wizard-cli_*.deb)
gui_deb=$(echo "$packages"/qx7r310-wizard_*.deb)
for deb in "$cli_deb" "$gui_deb"; do
    [ -f "$deb" ] || {
        echo "FAIL: no package $deb" >&2
        exit 1
    }
    echo "package: $deb"
done
version=$(dpkg-deb -f "$gui_deb" Version)
cli_depends=$(dpkg-deb -f "$cli_deb" Depends)
gui_depends=$(dpkg-deb -f "$gui_deb" Depends)
echo "version: $version"
echo "qx7r310-wizard-cli depends: $cli_depends"
echo "qx7r310-wizard depends: $gui_depends"
[ "$(dpkg-deb -f "$cli_deb" Version)" = "$version" ] || fail "the packages' versions differ"
# dpkg-shlibdeps found the libraries each program links, and a headless machine gets no Qt or X.
[[ $cli_depends == *"libc6 "* ]] || fail "qx7r310-wizard-cli Depends lacks libc6"
if grep -qiE 'qt|libx|xcb|libgl|libegl|wayland|fontconfig|freetype' <<<"$cli_depends"; then
    fail "qx7r310-wizard-cli depends on the window system: $cli_depends"
fi
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $gui_depends == *"$library "* ]] || fail "qx7r310-wizard Depends lacks $library"
done
for deb in "$cli_deb" "$gui_deb"; do
    maintainer=$(dpkg-deb -f "$deb" Maintainer)
    [[ $maintainer =~ ^[^\<\>]+\ \<[^\<\>@\ ]+@[^\<\>@\ ]+\>$ ]] || fail "Maintainer: $maintainer"
    ! dpkg-deb -I "$deb" | grep -q 'velmora\.example' || fail "placeholder address in $deb"
done
# The symbols of each program are in its -dbgsym package, found by the build id.
for name in qx7r310-wizard-cli qx7r310-wizard; do
    ddeb=$(echo "$packages/$name-dbgsym_"*.ddeb)
    if [ ! -f "$ddeb" ]; then
        fail "no $name-dbgsym package"
    elif ! dpkg-deb -c "$ddeb" | grep -q '/usr/lib/debug/\.build-id/.*\.debug$'; then
        fail "$name-dbgsym holds no symbols"
    fi
done

# Each package holds exactly its own files.
metainfo=usr/share/metainfo/com.velmora.qx7r310_wizard.metainfo.xml
completion=usr/share/bash-completion/completions/qx7r310-wizard-cli
cli_files=(
    usr/bin/qx7r310-wizard-cli
    usr/share/man/man1/qx7r310-wizard-cli.1.gz
    "$completion"
    usr/share/doc/qx7r310-wizard-cli/copyright
    usr/share/doc/qx7r310-wizard-cli/changelog.gz
)
gui_files=(
    usr/bin/qx7r310-wizard
    usr/share/applications/qx7r310-wizard.desktop
    usr/share/icons/hicolor/scalable/apps/qx7r310-wizard.svg
    usr/share/icons/hicolor/48x48/apps/qx7r310-wizard.png
    "$metainfo"
    usr/share/mime/packages/qx7r310-wizard.xml
    usr/share/man/man1/qx7r310-wizard.1.gz
    usr/share/doc/qx7r310-wizard/copyright
    usr/share/doc/qx7r310-wizard/changelog.gz
)
contents() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort; }
[ "$(contents "$cli_deb")" = "$(printf '%s\n' "${cli_files[@]}" | sort)" ] ||
    fail "qx7r310-wizard-cli holds: $(contents "$cli_deb" | tr '\n' ' ')"
[ "$(contents "$gui_deb")" = "$(printf '%s\n' "${gui_files[@]}" | sort)" ] ||
    fail "qx7r310-wizard holds: $(contents "$gui_deb" | tr '\n' ' ')"

# Installed with dpkg into a root of their own; the libraries they link come from this system.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root=(dpkg --root="$root" --log=/dev/null --force-depends)
[ "$(id -u)" -eq 0 ] || dpkg_root+=(--force-not-root)
"${dpkg_root[@]}" -i "$cli_deb" "$gui_deb" >"$work/dpkg.log" 2>&1 ||
    fail "dpkg -i: $(cat "$work/dpkg.log")"

for file in "${cli_files[@]}" "${gui_files[@]}"; do
    [ -f "$root/$file" ] || fail "not installed: /$file"
done
bin=$root/usr/bin
for program in "$bin/qx7r310-wizard" "$bin/qx7r310-wizard-cli"; do
    [ -x "$program" ] || fail "not executable: ${program#"$root"}"
    if ldd "$program" | grep -q 'not found'; then
        fail "unresolved libraries of ${program#"$root"}: $(ldd "$program" | grep 'not found')"
    fi
done
# The install rules take any prefix: the same files land under it as under the packages' /usr.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in "${cli_files[@]}" "${gui_files[@]}"; do
    [ -f "$work/prefix/${file#usr/}" ] || fail "cmake --install misses ${file#usr/}"
done
png=$(file -b "$root/usr/share/icons/hicolor/48x48/apps/qx7r310-wizard.png")
[[ $png == "PNG image data, 48 x 48"* ]] || fail "icon PNG: $png"

# Both copyright files carry the third-party notices, and they name what is compiled in.
notices=$(cat "$source_dir/packaging/THIRD-PARTY-NOTICES.txt")
for package in qx7r310-wizard-cli qx7r310-wizard; do
    copyright=$(cat "$root/usr/share/doc/$package/copyright")
    [[ $copyright == *"$notices"* ]] || fail "$package copyright lacks the third-party notices"
done
for line in 'Comment: CLI11' 'License: BSD-3-clause' ' 2. Redistributions in binary form must reproduce' \
    'Comment: nlohmann-json' 'License: Expat' ' The above copyright notice and this permission notice'; do
    grep -qF -- "$line" <<<"$copyright" || fail "copyright lacks '$line'"
done

# Hints count too: a menu entry without a main category lands in a catch-all menu.
if ! desktop_issues=$(desktop-file-validate "$root/usr/share/applications/qx7r310-wizard.desktop" 2>&1) ||
    [ -n "$desktop_issues" ]; then
    fail "desktop-file-validate: $desktop_issues"
fi
appstreamcli validate --no-net "$root/$metainfo" || fail "appstreamcli validate --no-net"
# Addresses that are given must answer.
if grep -qE '<url|<image' "$root/$metainfo"; then
    appstreamcli validate "$root/$metainfo" || fail "appstreamcli validate (with the network)"
fi
! grep -q 'velmora\.example' "$root/$metainfo" || fail "placeholder address in the metainfo"
grep -q "<release version=\"$version\"" "$root/$metainfo" || fail "metainfo has no release $version"

# man renders both pages without warnings; the command-line page lists every option of --help.
cli_help=$("$bin/qx7r310-wizard-cli" --help)
for page in qx7r310-wizard qx7r310-wizard-cli; do
    if ! LC_ALL=C MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
        >"$work/$page.txt" 2>"$work/$page.err"; then
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

# The installed command-line wizard writes exactly what the build's writes.
cli_version=$("$bin/qx7r310-wizard-cli" --version) || fail "qx7r310-wizard-cli --version"
[[ $cli_version == *"Version: $version "* ]] || fail "qx7r310-wizard-cli --version: $cli_version"
argument_sets=(
    ""
    "--fps 15 --columns 320 --rows 240 --output-as fields"
    "--input-freq 24 --system-freq 48 --blanking vb=40 --addressing indirect --skipping"
)
for i in "${!argument_sets[@]}"; do
    read -ra arguments <<<"${argument_sets[$i]}"
    "$bin/qx7r310-wizard-cli" "${arguments[@]}" -o "$work/installed-$i.ini" ||
        fail "installed qx7r310-wizard-cli ${argument_sets[$i]}"
    "$build/cli/qx7r310-wizard-cli" "${arguments[@]}" -o "$work/build-$i.ini"
    cmp "$work/installed-$i.ini" "$work/build-$i.ini" ||
        fail "settings files differ for '${argument_sets[$i]}'"
done

# The installed window program answers, and exports the timing diagram without a display.
gui_version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$bin/qx7r310-wizard" --version) ||
    fail "qx7r310-wizard --version"
[[ $gui_version == *"Version: $version "* ]] || fail "qx7r310-wizard --version: $gui_version"
QT_QPA_PLATFORM=offscreen timeout 120 "$bin/qx7r310-wizard" --export-diagram "$work/diagram.svg" \
    --fps 15 || fail "qx7r310-wizard --export-diagram"
grep -q '<svg' "$work/diagram.svg" || fail "the exported diagram is no SVG"

# The installed completion loads and completes the command.
bash -c "source '$root/$completion' && complete -p qx7r310-wizard-cli" >/dev/null || fail "completion"

# Removal takes every file and folder the packages brought; dpkg's own records stay.
"${dpkg_root[@]}" --purge qx7r310-wizard qx7r310-wizard-cli >>"$work/dpkg.log" 2>&1 ||
    fail "dpkg --purge: $(cat "$work/dpkg.log")"
left=$(find "$root" -mindepth 1 ! -path "$root/var" ! -path "$root/var/lib" ! -path "$root/var/lib/dpkg*")
[ -z "$left" ] || fail "left after removal: $left"

lintian --pedantic --fail-on error,warning --tag-display-limit 0 "$cli_deb" "$gui_deb" |
    tee "$work/lintian.txt" || fail "lintian reports errors or warnings"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
