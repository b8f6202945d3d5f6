#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer under Wine, as a user's silent install: installer.sh PACKAGES VERSION.
# It installs for the whole machine into Program Files, with a Start menu entry and the .rdg
# file type; the installed program starts from where the entry points; the uninstaller
# removes the program and leaves record files alone.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
setup=$1/ThermoDesk-$2-setup.exe
[ -f "$setup" ] || fail "no installer at $setup (make windows builds it)"

work=$(mktemp -d)
cleanup() {
    rm -rf "$work"
}
trap cleanup EXIT

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/ThermoDesk"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ThermoDesk"
uninstall() {
    timeout 60 wine 'C:\Program Files\ThermoDesk\Uninstall.exe' /S ||
        fail "the uninstaller did not finish within 60 s"
    # It runs on from a copy of itself: the files go a moment later, its own last.
    wait_for 60 "[ ! -e '$folder/Uninstall.exe' ] && [ ! -e '$menu' ]" ||
        fail "the uninstaller had not ended after 60 s"
}
# What an earlier run left is uninstalled first.
[ -e "$folder/Uninstall.exe" ] && uninstall

timeout 120 wine "$setup" /S || fail "the installer did not finish within 120 s"
wait_for 30 "[ -e '$folder/thermodesk.exe' ]" || fail "nothing installed in $folder"
for file in thermodesk.exe thermodesk.com Qt6Core.dll Qt6Widgets.dll libstdc++-6.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qsvg.dll \
    iconengines/qsvgicon.dll Uninstall.exe LICENSE.txt licenses/README.txt licenses/LGPL-3.txt \
    licenses/GPL-3.txt licenses/gcc-runtime.txt licenses/mingw-w64.txt; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done

# The Start menu entry, for all users, and where it points.
[ -f "$menu/ThermoDesk.lnk" ] || fail "no Start menu entry for all users in $menu"
target=$(strings "$menu/ThermoDesk.lnk" | grep -m1 -i '^C:\\.*thermodesk\.exe$' || true)
[ "$target" = 'C:\Program Files\ThermoDesk\thermodesk.exe' ] ||
    fail "the Start menu entry points at '$target'"

# The record file type, with ThermoDesk's icon, opening in ThermoDesk.
query() { timeout 30 wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
[ "$(query 'HKCR\.rdg')" = ThermoDesk.RecordFile ] || fail ".rdg is not ThermoDesk's file type"
[ "$(query 'HKCR\ThermoDesk.RecordFile\shell\open\command')" = \
    '"C:\Program Files\ThermoDesk\thermodesk.exe" "%1"' ] || fail "wrong open command for .rdg"
[ "$(query 'HKCR\ThermoDesk.RecordFile\DefaultIcon')" = \
    'C:\Program Files\ThermoDesk\thermodesk.exe,0' ] || fail "wrong icon for .rdg"

# The program the entry points at starts: its version, and its first window on a screen.
version=$(timeout 60 wine "$target" --version | tr -d '\r')
[ "$version" = "thermodesk $2" ] || fail "the installed program says '$version'"
need_display
wine "$target" >"$work/program.log" 2>&1 &
program=$!
window_named 'COM Port' 60 >/dev/null || fail "the installed program showed no port chooser"
stop_process "$program" 10
timeout 30 wineserver -w 2>/dev/null || true

# Record files, in the user's documents and in the program's folder, stay.
documents="$drive/users/$(id -un)/Documents"
mkdir -p "$documents"
printf 'K Type \xb0C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n' >"$documents/oven.rdg"
cp "$documents/oven.rdg" "$folder/left here.rdg"
uninstall
[ -f "$documents/oven.rdg" ] || fail "the uninstaller removed a record file in Documents"
[ -f "$folder/left here.rdg" ] || fail "the uninstaller removed a record file in its folder"
for file in thermodesk.com Qt6Core.dll platforms/qwindows.dll Uninstall.exe; do
    [ ! -e "$folder/$file" ] || fail "left after uninstalling: $file"
done
[ ! -e "$menu" ] || fail "the Start menu entry stayed"
[ -z "$(query 'HKCR\.rdg')" ] || fail "the .rdg file type stayed"
rm -rf "$folder" "$documents/oven.rdg"
echo "installed, started, uninstalled: record files kept"
