# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The environment and helpers of the Wine tests, sourced by their scripts.
: "${WINEPREFIX:?the Wine prefix of the tests}"
export WINEPREFIX
export WINEDEBUG=-all
# The DLLs the test programs load: Qt's and MinGW's folders, as Windows paths.
WINEPATH=
IFS=: read -r -a dll_folders <<<"${THERMODESK_WINE_DLLS:-}"
for folder in "${dll_folders[@]}"; do
    [ -n "$folder" ] && WINEPATH="${WINEPATH:+$WINEPATH;}Z:${folder//\//\\}"
done
export WINEPATH
# The virtual screen of the prefix (see prefix.sh), never the caller's.
unset WAYLAND_DISPLAY
display_file=$WINEPREFIX.display
if [ -f "$display_file" ]; then
    DISPLAY=$(cat "$display_file")
    export DISPLAY
else
    unset DISPLAY
fi

# Wine keeps the variables of Qt (QT_*) from Windows programs, for the sake of Linux Qt
# programs it starts; it hands on WINEQT_* under the name without WINE.
pass_qt_variables() {
    local name
    for name in $(compgen -e | grep '^QT_' || true); do
        export "WINE$name=${!name}"
    done
}

# wait_for SECONDS CONDITION: true once CONDITION holds, false when the time is up.
wait_for() {
    local tenths=$(($1 * 10))
    for _ in $(seq "$tenths"); do
        if eval "$2"; then return 0; fi
        sleep 0.1
    done
    eval "$2"
}

# start_meter WORK FD: the virtual meter on a pseudo-terminal behind the link the prefix maps
# to COM1, reading its commands from a FIFO opened as descriptor FD; sets meter_pid.
start_meter() {
    local work=$1 fd=$2
    : "${THERMODESK_HOST_METER_SIM:?the virtual meter built for this machine}"
    : "${THERMODESK_WINE_METER_LINK:?the link COM1 leads to}"
    mkfifo "$work/meter-commands"
    eval "exec $fd<>\"$work/meter-commands\""
    rm -f "$THERMODESK_WINE_METER_LINK"
    "$THERMODESK_HOST_METER_SIM" --link "$THERMODESK_WINE_METER_LINK" --quiet --interval 300 \
        <&"$fd" >"$work/meter.out" &
    meter_pid=$!
    if ! wait_for 5 "[ -e '$THERMODESK_WINE_METER_LINK' ]"; then
        echo "the virtual meter did not start within 5 s" >&2
        return 1
    fi
}

# need_display: fails unless the prefix has its virtual screen.
need_display() {
    [ -n "${DISPLAY:-}" ] && xdotool getmouselocation >/dev/null 2>&1 && return 0
    echo "the Wine prefix has no virtual screen: the wine/prefix test makes one" >&2
    return 1
}

# window_named NAME SECONDS: the id of the first window titled exactly NAME, waited for.
window_named() {
    local id
    for _ in $(seq $(($2 * 10))); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# stop_process PID SECONDS: asks it to end, then ends it.
stop_process() {
    kill "$1" 2>/dev/null || return 0
    wait_for "$2" "! kill -0 $1 2>/dev/null" || kill -9 "$1" 2>/dev/null || true
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
