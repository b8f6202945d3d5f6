#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's figures under Wine, measured as a user meets them:
#   bench-under-wine.sh WINDOWS_BUILD METER_SIM
# the sizes of the zip and the installer; the time from starting thermodesk.exe (unpacked
# from the zip) to its port chooser, from OK to the panel, and from starting it with a
# record file to the file's list; the CPU the program (and Wine's server) use while the
# panel follows the virtual meter on COM1, and while --record records every second.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../../tests/wine" && pwd)
export WINEPREFIX=$build/app/wine-prefix
export THERMODESK_WINE_METER_LINK=$build/app/wine-meter
export THERMODESK_HOST_METER_SIM=$2
version=$(sed -n 's/^project(ThermoDesk VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
zip=$build/ThermoDesk-$version-win64.zip
setup=$build/ThermoDesk-$version-setup.exe
seconds=${CPU_SECONDS:-30}

bash "$here/prefix.sh" start
source "$here/wine-env.sh"
work=$(mktemp -d)
meter_pid=
program=
cleanup() {
    [ -n "$program" ] && stop_process "$program" 5
    [ -n "$meter_pid" ] && stop_process "$meter_pid" 5
    exec 3>&- || true
    rm -rf "$work"
    bash "$here/prefix.sh" stop
}
trap cleanup EXIT
export WINEPATH=
unzip -q "$zip" -d "$work"
bin=$work/ThermoDesk-$version-win64
start_meter "$work" 3

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }
# Clock ticks of CPU a process has used, user and system.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wineserver_pid() { pgrep -f "wineserver.* -p" | head -n1; }
# cpu_percent PID SECONDS: the per cent of one core PID and the wineserver use meanwhile.
cpu_percent() {
    local server a b s1 s2 hz
    server=$(wineserver_pid)
    hz=$(getconf CLK_TCK)
    a=$(ticks "$1")
    s1=$(ticks "$server")
    sleep "$2"
    b=$(ticks "$1")
    s2=$(ticks "$server")
    printf '%.2f %% of a core (the program) + %.2f %% (Wine'"'"'s server)' \
        "$(echo "100 * ($b - $a) / ($hz * $2)" | bc -l)" "$(echo "100 * ($s2 - $s1) / ($hz * $2)" | bc -l)"
}

echo "ThermoDesk $version for Windows, under $(wine --version)"
printf '%-40s %8.1f MB\n' "portable zip $(basename "$zip")" "$(echo "$(stat -c %s "$zip") / 1048576" | bc -l)"
printf '%-40s %8.1f MB\n' "installer $(basename "$setup")" "$(echo "$(stat -c %s "$setup") / 1048576" | bc -l)"

for run in 1 2 3; do
    t0=$(now)
    wine "$bin/thermodesk.exe" >/dev/null 2>&1 &
    program=$!
    chooser=$(window_named 'COM Port' 60) || fail "no port chooser"
    t1=$(now)
    xdotool key --window "$chooser" Return
    window_named 'Panel  V8.00' 30 >/dev/null || fail "no panel"
    t2=$(now)
    printf 'run %d: start to "COM Port" %6.2f s, OK to the panel %5.2f s\n' "$run" \
        "$(elapsed "$t0" "$t1")" "$(elapsed "$t1" "$t2")"
    if [ "$run" = 3 ]; then
        sleep 5
        echo "following the meter on the panel, $seconds s: $(cpu_percent "$program" "$seconds")"
    fi
    stop_process "$program" 10
    program=
    timeout 30 wineserver -w 2>/dev/null || true
done

record=$work/bench.rdg
timeout 60 wine "$bin/thermodesk.com" --record "Z:${record//\//\\}" --for 3 --quiet || true
t0=$(now)
wine "$bin/thermodesk.exe" "Z:${record//\//\\}" >/dev/null 2>&1 &
program=$!
window_named 'bench.rdg' 60 >/dev/null || fail "no list of bench.rdg"
printf 'start with a record file to its list %6.2f s\n' "$(elapsed "$t0" "$(now)")"
stop_process "$program" 10
program=
timeout 30 wineserver -w 2>/dev/null || true

wine "$bin/thermodesk.com" --record "Z:${work//\//\\}\\unattended.rdg" --quiet >/dev/null 2>&1 &
program=$!
sleep 5
echo "--record every second, $seconds s: $(cpu_percent "$program" "$seconds")"
