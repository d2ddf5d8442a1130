#!/usr/bin/env bash
# Builds Runequill for 64-bit Windows on this Debian machine and makes its installer:
#   scripts/package-windows.sh          installs what is missing (setup.sh, then MinGW-w64, Wine and
#                                       NSIS), configures build-windows/ with the Qt for Windows in
#                                       ../shared/qt6-mingw, builds runequill.exe and runequill-cli.exe,
#                                       gathers them with every DLL and plugin they load in
#                                       build-windows/Runequill/ (a folder that runs on Windows as it
#                                       is) and makes build-windows/Runequill-VERSION-win64.exe.
#   scripts/package-windows.sh --test   then builds the Windows test programs too and runs them and
#                                       the installer test under Wine (scripts/test.sh --all does).
set -euo pipefail
TEST=false
case "${1:-}" in
"") ;;
--test) TEST=true ;;
*) echo "usage: scripts/package-windows.sh [--test]" >&2; exit 2 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 nsis googletest)
$TEST && PACKAGES+=(xvfb xdotool imagemagick) # the installer test shows the studio and grabs it
install_missing

QT_WINDOWS="${QT_WINDOWS:-$ROOT/../shared/qt6-mingw}"
WINDOWS_DIR="$ROOT/build-windows"
[ -x "$QT_WINDOWS/bin/qt-cmake" ] || { echo "no Qt for Windows in $QT_WINDOWS" >&2; exit 1; }
if [ ! -f "$WINDOWS_DIR/CMakeCache.txt" ]; then
    "$QT_WINDOWS/bin/qt-cmake" -S "$ROOT" -B "$WINDOWS_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$WINDOWS_DIR" --parallel "$(nproc)" --target runequill runequill-cli

rm -rf "$WINDOWS_DIR/Runequill" "$WINDOWS_DIR"/Runequill-*-win64.exe
cmake --install "$WINDOWS_DIR" --prefix "$WINDOWS_DIR/Runequill" --strip >/dev/null
(cd "$WINDOWS_DIR" && cpack >/dev/null)
installer="$(ls "$WINDOWS_DIR"/Runequill-*-win64.exe)"
echo "package-windows: $WINDOWS_DIR/Runequill/ ($(du -sh "$WINDOWS_DIR/Runequill" | cut -f1))"
echo "package-windows: $installer ($(du -h "$installer" | cut -f1))"
$TEST || exit 0

cmake --build "$WINDOWS_DIR" --parallel "$(nproc)"
(cd "$WINDOWS_DIR" && ctest --output-on-failure --parallel "$(nproc)")
