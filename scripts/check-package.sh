#!/usr/bin/env bash
# Builds the Debian package from a Release build in build-package, unpacks it with dpkg -x
# into a scratch root and checks what an installed copy needs: both programs run from
# there, the desktop entry validates, the icon and the manual pages lie where the entry
# and man look, dpkg-shlibdeps found the libraries, and nothing lies outside /usr.
#
#     scripts/check-package.sh
#
# Not run by CI, which only makes the package (scripts/test.sh). Exit status 1 when a
# check fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh desktop-file-utils man-db

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANEK_BUILD_TESTS=OFF \
    -DORVANEK_BUILD_BENCH=OFF >/dev/null
cmake --build build-package --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
rm -f build-package/orvanek_*.deb
(cd build-package && cpack -G DEB | grep -v '^CPack: - Install\|^CPack: Create package$')

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-package/CMakeCache.txt)
deb=$(ls build-package/orvanek_*.deb)
root=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$root" "$work"' EXIT
dpkg -x "$deb" "$root"

failures=0
check() {
    local what="$1"
    shift
    if "$@" >"$work/check.log" 2>&1; then
        echo "ok    $what"
    else
        echo "FAIL  $what"
        sed 's/^/      /' "$work/check.log"
        failures=$((failures + 1))
    fi
}
# Runs a command with no display at all, as a terminal or a script would.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
same() { [ "$1" = "$2" ] || { echo "expected '$2', got '$1'"; return 1; }; }

echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Maintainer Installed-Size Depends
field() { dpkg-deb --field "$deb" "$1"; }
check "package name orvanek" same "$(field Package)" orvanek
check "version $version from the project" same "$(field Version)" "$version"
check "maintainer field" test -n "$(field Maintainer)"
check "dependencies from dpkg-shlibdeps (Qt, C++ runtime)" \
    bash -c '[[ "$1" == *libqt6widgets6* && "$1" == *libstdc++6* ]]' _ "$(field Depends)"
check "the SVG plugins for the icon" bash -c '[[ "$1" == *libqt6svg6* ]]' _ "$(field Depends)"
check "Qt's Czech texts" bash -c '[[ "$1" == *qt6-translations-l10n* ]]' _ "$(field Depends)"
check "OpenCV, zxing-cpp and the TIFF reader for scans" bash -c '[[ "$1" == *libopencv-imgproc406* &&
    "$1" == *libzxing2* && "$1" == *qt6-image-formats-plugins* ]]' _ "$(field Depends)"
outside=$(dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v -E '^\./(usr(/.*)?)?$' || true)
check "nothing outside /usr" same "$outside" ""

bin="$root/usr/bin"
check "orvanek --version without a display" same "$(headless "$bin/orvanek" --version)" \
    "orvanek $version"
check "orvanek-cli --version" same "$(headless "$bin/orvanek-cli" --version)" \
    "orvanek-cli $version"
check "orvanek-cli --help on standard output" \
    bash -c '"$1" --lang cs --help | head -1 | grep -q "^použití: orvanek-cli"' _ "$bin/orvanek-cli"
check "... in English with the English environment" bash -c \
    'LANGUAGE= LC_ALL= LANG=en_US.UTF-8 "$1" --help | head -1 | grep -q "^usage: orvanek-cli"' \
    _ "$bin/orvanek-cli"
check "orvanek-cli makes, reads and draws a data set" bash -c '
    "$1" make-demo "$2/demo" --from 2000 --to 2000 >/dev/null &&
    "$1" -d "$2/demo" info | grep -q "^drawingRadius;125$" &&
    "$1" -d "$2/demo" render drawing --out "$2/zakres.png" >/dev/null &&
    test -s "$2/zakres.png"' _ "$bin/orvanek-cli" "$work"
check "orvanek-cli reads its own sheet back from a scan" bash -c '
    "$1" template --date 21.06.2001 --time 0830 --radius 80 --out "$2/sablona.png" >/dev/null &&
    "$1" scan "$2/sablona.png" | grep -q "^moment;21.06.2001 0830$"' _ "$bin/orvanek-cli" "$work"
status=0
LANGUAGE= LC_ALL= LANG=C QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" \
    "$bin/orvanek" "$work/missing" 2>"$work/missing.err" || status=$?
check "orvanek on a missing directory: status 2" same "$status" 2
check "... one message on standard error, Czech under C" \
    grep -qx "Adresář $work/missing neexistuje." "$work/missing.err"
check "... and the directory is not made" test ! -e "$work/missing"
LANGUAGE= LC_ALL= LANG=en_GB.UTF-8 QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" \
    "$bin/orvanek" "$work/missing" 2>"$work/missing.err" || true
check "... English under an English locale" \
    grep -qx "Directory $work/missing does not exist." "$work/missing.err"

entry="$root/usr/share/applications/orvanek.desktop"
check "desktop-file-validate" desktop-file-validate "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
check "Exec=$exec_line names an installed program" test -x "$bin/${exec_line%% *}"
check "Icon=$icon_name lies in the hicolor theme" \
    test -s "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg"
check "the categories" grep -qx "Categories=Education;Science;Astronomy;" "$entry"
check "an English name and comment, Czech ones for cs" bash -c \
    'grep -q "^Comment=Drawings of sunspots" "$1" && grep -q "^Comment\[cs\]=Zákresy" "$1"' _ "$entry"
# English where man looks by default, Czech where it looks for a Czech locale (whether man
# finds those depends on the machine having the Czech locale, so they are checked as files).
for page in orvanek orvanek-cli; do
    check "man -w $page (English)" same "$(man --manpath="$root/usr/share/man" -w "$page")" \
        "$root/usr/share/man/man1/$page.1.gz"
    for folder in man1 cs/man1; do
        check "$folder/$page formats without warnings" bash -c '
            test -s "$1" && out=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null) &&
            [ -z "$out" ] || { echo "$out"; false; }' _ "$root/usr/share/man/$folder/$page.1.gz"
    done
done
echo "== files"
dpkg-deb --contents "$deb" | awk '$6 !~ /\/$/ {print $6}'
if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
