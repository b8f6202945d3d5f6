#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the virtual meter on a pseudo-terminal and ThermoDesk connected to it as "COM1".
# Without a display, runs both under Xvfb, answers the port chooser, saves a screenshot
# of the live panel and ends.
set -euo pipefail
build=${1:-build/debug}
seconds=${2:-8}
work=$(mktemp -d /tmp/thermodesk-demo.XXXXXX)
# Settings of the demo's own: its COM1 mapping to a temporary meter is not remembered
# for the user's later runs.
export XDG_CONFIG_HOME=$work/config
link=$work/meter
sim=$build/tools/meter-sim/meter-sim
app=$build/src/thermodesk

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$sim" --link "$link" --quiet >"$work/sim.out" &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    echo "Virtual meter on $(head -n1 "$work/sim.out"); choose COM1 in the \"COM Port\" window."
    "$app" --port "COM1=$link"
    exit 0
fi

# Headless: a virtual screen of our own.
for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || { screen=:$n; break; }; done
Xvfb "$screen" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$screen
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$sim" --link "$link" --quiet >"$work/sim.out" &
pids+=($!)
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

"$app" --port "COM1=$link" >"$work/thermodesk.log" 2>&1 &
app_pid=$!
pids+=($app_pid)

# Answer the port chooser: COM1 is preselected, OK is its default button.
for _ in $(seq 100); do
    win=$(xdotool search --name '^COM Port$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    sleep 0.1
done
if [ -z "${win:-}" ]; then
    echo "The port chooser did not appear; see $work/thermodesk.log" >&2
    exit 1
fi
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win" || true
xdotool key --window "$win" Return

sleep "$seconds"
shot=$PWD/thermodesk-demo.png
import -window root "$shot"
kill -0 "$app_pid" 2>/dev/null || { echo "ThermoDesk ended early; see $work/thermodesk.log" >&2; exit 1; }
echo "Screenshot of the live panel after ${seconds} s: $shot"
