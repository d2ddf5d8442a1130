#!/usr/bin/env bash
# The installer tried out as a user would, in the Wine prefix of the run (WINEPREFIX):
#   package-test.sh BUILD_DIR CASE_DIR SHOT.png
# Installs Runequill-*-win64.exe silently (made first with cpack when missing or older than the
# programs), checks what it put where, exports CASE_DIR/in/guard.QDS with the installed
# runequill-cli.exe in a folder named with letters beyond ASCII and compares every file with
# CASE_DIR/after byte for byte, opens the project the way Explorer does on a double-click (the
# registered command "runequill.exe FILE.QDS") on an X server of its own and grabs the studio's
# window to SHOT.png, then uninstalls and checks that nothing of the program is left.
set -euo pipefail
BUILD="$1" CASE="$2" SHOT="$3"

fail() { echo "package test: $*" >&2; exit 1; }
win() { wine "$@" 2>/dev/null; }
registry() { win reg query "$1" /ve 2>/dev/null | sed -n 's/.*REG_SZ *//p' | tr -d '\r'; }
# Waits up to a minute for a condition (a command) to hold.
wait_for() {
    for _ in $(seq 120); do "$@" && return 0; sleep 0.5; done
    return 1
}

installer="$(ls "$BUILD"/Runequill-*-win64.exe 2>/dev/null || true)"
if [ -z "$installer" ] || [ "$BUILD/src/app/runequill.exe" -nt "$installer" ] ||
    [ "$BUILD/src/cli/runequill-cli.exe" -nt "$installer" ]; then
    (cd "$BUILD" && cpack -G NSIS >/dev/null)
    installer="$(ls "$BUILD"/Runequill-*-win64.exe)"
fi

# Every Wine process of the test shows its windows on an X server of the test's own: the prefix is
# left to go idle first, for the first process of a session chooses the display for all of them.
printed="$(mktemp)"
screen="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$screen" 2>/dev/null &
xvfb=$!
trap 'rm -f "$printed" "$screen"; kill $xvfb 2>/dev/null || true' EXIT
wait_for test -s "$screen" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$screen")"
wineserver --wait
win reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null # Windows' own frames

drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Runequill"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Runequill"
win "$installer" /S || fail "the silent install failed"
for file in runequill.exe runequill-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll licenses/LGPL-3.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "the install holds no $file"
done
[ -f "$menu/Runequill.lnk" ] || fail "the Start menu has no Runequill entry"
[ "$(registry 'HKLM\Software\Classes\.qds')" = Runequill.Project ] || fail ".qds is not Runequill's"
command="$(registry 'HKLM\Software\Classes\Runequill.Project\shell\open\command')"
[ "$command" = '"C:\Program Files\Runequill\runequill.exe" "%1"' ] || fail "a .QDS opens with: $command"

# The worked example, exported by the installed program into a folder with letters beyond ASCII,
# named with a drive letter and backslashes: the same bytes as the Linux build's.
projects="$drive_c/users/Public/Documents/Gespräche Ωμέγα"
rm -rf "$projects"
mkdir -p "$projects"
cp "$CASE/in/guard.QDS" "$projects/"
at='C:\users\Public\Documents\Gespräche Ωμέγα'
wine "$folder/runequill-cli.exe" export "$at\\guard.QDS" "$at\\guard.scp" >"$printed" ||
    fail "runequill-cli.exe export failed"
printf 'wrote %s\\guard.scp\nwrote %s\\runequill_support.scp\n' "$at" "$at" | cmp - "$printed" ||
    fail "runequill-cli.exe printed: $(cat "$printed")"
for file in "$CASE"/after/*; do
    cmp "$file" "$projects/$(basename "$file")" || fail "$(basename "$file") differs from the Linux build's"
done

# The project opened as a double-click opens it, and the studio's window grabbed. What the program
# remembers goes to the registry.
win start "$at\\guard.QDS"
studio() { xdotool search --onlyvisible --name ' - guard\.QDS$' 2>/dev/null | head -n 1; }
shown() { [ -n "$(studio)" ]; }
wait_for shown || fail "no studio window showed guard.QDS"
sleep 2 # the first paint
import -window "$(studio)" "$SHOT"
colours="$(convert "$SHOT" -format %k info:)"
[ "$colours" -gt 16 ] || fail "the grabbed window has only $colours colours"
recent="$(win reg query 'HKCU\Software\Runequill\Runequill\Places' /v recentProjects | tr -d '\r')"
# (reg prints in the console's code page, which has no Greek)
[[ "$recent" == *"REG_MULTI_SZ    C:/users/Public/Documents/Gespr"*"/guard.QDS"* ]] ||
    fail "the recent projects in the registry are: $recent"
win taskkill /im runequill.exe /f >/dev/null || true
wineserver --wait

win "$folder/Uninstall.exe" /S
gone() { [ ! -e "$folder" ] && [ ! -e "$menu" ]; }
wait_for gone || fail "the uninstall left: $(ls -R "$folder" "$menu" 2>&1 | head -n 20)"
for key in 'HKLM\Software\Classes\.qds' 'HKLM\Software\Classes\Runequill.Project' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Runequill'; do
    ! win reg query "$key" >/dev/null 2>&1 || fail "the uninstall left $key"
done
echo "package test: installed, exported, opened ($SHOT), uninstalled"
