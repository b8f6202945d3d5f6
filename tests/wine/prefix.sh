#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests' Wine prefix: "start" makes it (once), maps COM1 to the virtual meter's link, and
# starts a virtual screen (Xvfb) and the prefix's wineserver with Wine's services on it;
# "stop" ends the wineserver, everything still running in it, and the screen.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

stop_screen() {
    if [ -f "$WINEPREFIX.display-pid" ]; then
        stop_process "$(cat "$WINEPREFIX.display-pid")" 5
        rm -f "$WINEPREFIX.display-pid"
    fi
    rm -f "$display_file"
}

case "${1:-}" in
start)
    stop_screen
    for n in $(seq 140 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$WINEPREFIX.display-pid"
    export DISPLAY=":$n"
    wait_for 10 "xdotool getmouselocation >/dev/null 2>&1" || {
        echo "Xvfb did not start on $DISPLAY within 10 s" >&2
        exit 1
    }
    echo "$DISPLAY" >"$display_file"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "making the Wine prefix $WINEPREFIX (about 10 s)"
        mkdir -p "$WINEPREFIX"
        timeout 150 wineboot --init </dev/null >/dev/null 2>&1 || {
            echo "wineboot --init did not finish within 150 s" >&2
            exit 1
        }
    fi
    timeout 30 wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ \
        /d "$THERMODESK_WINE_METER_LINK" /f </dev/null >/dev/null 2>&1 || {
        echo "cannot map COM1 to $THERMODESK_WINE_METER_LINK in the Wine prefix" >&2
        exit 1
    }
    # The mapping is read when the wineserver starts: a fresh one, kept running between the
    # tests.
    timeout 30 wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    # Wine's own services start with the first program and live as long as the wineserver:
    # started here, they hold no test's output open.
    timeout 60 wineboot </dev/null >/dev/null 2>&1 || {
        echo "wineboot did not finish within 60 s" >&2
        exit 1
    }
    ;;
stop)
    timeout 30 wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
    stop_screen
    ;;
*)
    echo "usage: prefix.sh start|stop" >&2
    exit 2
    ;;
esac
