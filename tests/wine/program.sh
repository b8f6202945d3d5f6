#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped program under Wine, as it comes out of the portable zip, with the virtual meter
# on COM1: program.sh PACKAGES VERSION. On a virtual screen its port chooser leads to the
# panel; from the command line it records (a file in the record form, to the byte) and
# exports CSV, and stops cleanly on Ctrl+C and at the end of the session; "thermodesk.exe
# FILE.rdg" lists the file as its only window and ends when the list is closed. Screenshots
# go to PACKAGES/screenshots.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
zip=$1/ThermoDesk-$2-win64.zip
[ -f "$zip" ] || fail "no zip at $zip (make windows builds it)"
shots=$1/screenshots
mkdir -p "$shots"

work=$(mktemp -d)
meter_pid=
programs=()
cleanup() {
    for p in "${programs[@]}"; do stop_process "$p" 5; done
    [ -n "$meter_pid" ] && stop_process "$meter_pid" 5
    exec 3>&- || true
    rm -rf "$work"
}
trap cleanup EXIT

unzip -q "$zip" -d "$work"
bin=$work/ThermoDesk-$2-win64
# ThermoDesk's licence and those of the Qt and MinGW-w64 libraries it carries.
for text in LICENSE.txt licenses/README.txt licenses/LGPL-3.txt licenses/GPL-3.txt \
    licenses/gcc-runtime.txt licenses/mingw-w64.txt; do
    [ -s "$bin/$text" ] || fail "the zip holds no $text"
done
grep -q 'GNU GENERAL PUBLIC LICENSE' "$bin/LICENSE.txt" || fail "LICENSE.txt is not the GPL"
# Only what the zip holds: no DLL from elsewhere.
export WINEPATH=
windows_path() { echo "Z:${1//\//\\}"; }
need_display
start_meter "$work" 3

# The window: the port chooser, OK, the panel following the meter.
wine "$bin/thermodesk.exe" >"$work/window.log" 2>&1 &
programs+=($!)
chooser=$(window_named 'COM Port' 60) || fail "no port chooser within 60 s"
xdotool key --window "$chooser" Return
panel=$(window_named 'Panel  V8.00' 30) || fail "no panel within 30 s after OK"
sleep 3
kill -0 "${programs[0]}" 2>/dev/null || fail "the program ended: $(cat "$work/window.log")"
import -window root "$shots/panel.png"
stop_process "${programs[0]}" 10
timeout 30 wineserver -w 2>/dev/null || true

# The command line: a recording of four samples, in the record form to the byte.
record=$work/oven.rdg
timeout 60 wine "$bin/thermodesk.com" --record "$(windows_path "$record")" --for 4 \
    2>"$work/record.log" || fail "--record failed: $(cat "$work/record.log")"
printf 'K Type \xb0C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n' >"$work/heading"
cmp -s <(head -n1 "$record") "$work/heading" || fail "the heading is $(head -n1 "$record" | od -c)"
lines=$(($(wc -l <"$record") - 1))
[ "$lines" -ge 3 ] || fail "$lines records in four seconds"
form=$'^[0-9]+\t[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\t-?[0-9.]+\t-?[0-9.]+\t-?[0-9.]+\t\r$'
[ "$(tail -n +2 "$record" | grep -cE "$form")" = "$lines" ] || fail "a record line is not in the record form"
grep -q "^stopped after --for 4 s: $lines records in Z:" "$work/record.log" ||
    fail "no closing line: $(cat "$work/record.log")"

# CSV from the command line, beside the record file.
timeout 60 wine "$bin/thermodesk.com" --export-csv "$(windows_path "$record")" ||
    fail "--export-csv failed"
[ "$(head -n1 "$work/oven.csv")" = $'record,time,T1,T2,T1-T2,type,unit\r' ] || fail "no CSV header"
[ "$(tail -n +2 "$work/oven.csv" | grep -c $',K,\xc2\xb0C\r$')" = "$lines" ] ||
    fail "the CSV lines do not match the records"

# Ctrl+C (Wine turns SIGINT into the console's Ctrl+C event) ends a recording cleanly.
timeout 60 wine "$bin/thermodesk.com" --record "$(windows_path "$work/ctrl-c.rdg")" \
    2>"$work/ctrl-c.log" &
recorder=$!
wait_for 30 "[ \$(grep -c '^record ' '$work/ctrl-c.log') -ge 2 ]" || fail "no records before Ctrl+C"
kill -INT "$recorder"
wait_for 15 "! kill -0 $recorder 2>/dev/null" || fail "Ctrl+C did not end the recording"
wait "$recorder" || fail "exit code $? after Ctrl+C"
grep -q '^stopped by Ctrl+C: ' "$work/ctrl-c.log" || fail "$(cat "$work/ctrl-c.log")"
tail -c 3 "$work/ctrl-c.rdg" | cmp -s - <(printf '\t\r\n') || fail "the file ends in a cut line"

# A record file opened without a meter: its list is the only window; closing it ends the
# program.
wine "$bin/thermodesk.exe" "$(windows_path "$record")" >"$work/open.log" 2>&1 &
opened=$!
programs+=($opened)
list=$(window_named 'oven.rdg' 60) || fail "no list of oven.rdg within 60 s"
sleep 1
[ -z "$(xdotool search --name '^COM Port$' 2>/dev/null)" ] || fail "a port chooser came up"
import -window root "$shots/file-list.png"
xdotool key --window "$list" ctrl+w
wait_for 15 "! kill -0 $opened 2>/dev/null" || fail "closing the list did not end the program"
wait "$opened" || fail "exit code $? after closing the list"

# The end of the session (logoff, shutdown) stops a recording with its file complete.
wine "$bin/thermodesk.com" --record "$(windows_path "$work/session.rdg")" 2>"$work/session.log" &
recorder=$!
wait_for 30 "[ \$(grep -c '^record ' '$work/session.log') -ge 2 ]" || fail "no records"
timeout 60 wineboot --end-session >/dev/null 2>&1 || true
wait_for 15 "! kill -0 $recorder 2>/dev/null" || fail "the end of the session left it running"
grep -qE '^stopped by (logoff|shutdown): ' "$work/session.log" || fail "$(cat "$work/session.log")"
records=$(grep -c '^record ' "$work/session.log")
[ $(($(wc -l <"$work/session.rdg") - 1)) = "$records" ] || fail "the file holds other records"
tail -c 3 "$work/session.rdg" | cmp -s - <(printf '\t\r\n') || fail "the file ends in a cut line"
echo "the zip's program: panel, recording, CSV, Ctrl+C, a file without meter, end of session"
