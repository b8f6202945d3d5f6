#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a cross-built test program under Wine:
#   run-test.sh [--meter] [--display] PROGRAM.exe [ARGS...]
# With --meter, the virtual meter (built for this machine) runs on a pseudo-terminal behind
# the link that the Wine prefix maps to COM1, and the lines "meter: COMMAND" the test prints
# on standard output become the meter's commands, as a test on Linux writes them to its
# standard input. With --display the test's windows are Windows windows on the prefix's
# virtual screen (Xvfb) instead of offscreen. Every wait has a deadline.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

with_meter=false
with_display=false
while [ "${1:-}" = --meter ] || [ "${1:-}" = --display ]; do
    [ "$1" = --meter ] && with_meter=true
    [ "$1" = --display ] && with_display=true
    shift
done
program=$1
shift
# A second backstop under CTest's: the test program itself ends at this deadline.
deadline=170

work=$(mktemp -d)
meter_pid=
cleanup() {
    exec 3>&- || true
    [ -n "$meter_pid" ] && stop_process "$meter_pid" 3
    rm -rf "$work"
}
trap cleanup EXIT

# QtTest on Windows writes its log to the debugger when the process has no console, as
# under Wine: it goes to a file, shown when the test has ended.
log=$work/test.log
set -- "$@" -o "Z:${log//\//\\},txt"
show_log() { [ -f "$log" ] && tr -d '\r' <"$log"; }

if $with_display; then
    need_display
    export QT_QPA_PLATFORM=windows
fi
pass_qt_variables
if ! $with_meter; then
    set +e
    timeout --kill-after=5 "$deadline" wine "$program" "$@"
    status=$?
    show_log
    exit "$status"
fi
start_meter "$work" 3
export THERMODESK_TEST_METER=COM1
set +e
timeout --kill-after=5 "$deadline" wine "$program" "$@" | while IFS= read -r line; do
    case "$line" in
    "meter: "*) printf '%s\n' "${line#meter: }" >&3 ;;
    *) printf '%s\n' "$line" ;;
    esac
done
status=${PIPESTATUS[0]}
show_log
exit "$status"
