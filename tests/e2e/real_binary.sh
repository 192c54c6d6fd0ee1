#!/usr/bin/env bash
# Starts the built program as a player would, on the test's X display, and drives its real
# dialogs with X input: cancelling the chooser, a folder without a game, and a real start.
set -u
binary=$(realpath "$1")
: "${DISPLAY:?these tests need an X display (run them under xvfb-run)}"
command -v xdotool >/dev/null || { echo "xdotool is needed (apt-get install xdotool)"; exit 1; }

work=$(mktemp -d /tmp/quorvant-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The GTK folder chooser opens in the working folder with this setting; its Open button (Return)
# then accepts that folder.
mkdir -p "$work/config/glib-2.0/settings"
printf "[org/gtk/settings/file-chooser]\nstartup-mode='cwd'\n" >"$work/config/glib-2.0/settings/keyfile"

# Waits until a window named exactly $1 is visible; prints its id.
wait_window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# Presses keys in the window named $1.
press() {
    local id
    id=$(wait_window "$1") || return 1
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.2
    xdotool key "${@:2}"
}

# Runs the program in folder $1 and records in $work/mapped whether a main window ever showed.
start() {
    rm -f "$work/mapped"
    (cd "$1" && GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME="$work/config" NO_AT_BRIDGE=1 \
        exec "$binary" --ignored-argument) &
    pid=$!
    (while kill -0 "$pid" 2>/dev/null; do
        xdotool search --onlyvisible --name '^Quorvant$' >/dev/null 2>&1 && touch "$work/mapped"
        sleep 0.05
    done) &
    watcher=$!
}

# Waits for the program to end and checks its exit status.
finish() {
    local status
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$1: the program did not end"
        kill -9 "$pid"
    fi
    wait "$pid"
    status=$?
    wait "$watcher"
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
}

chooser='Select executable directory of Dawn of War/Winter Assault/Dark Crusade/Soulstorm'

mkdir -p "$work/game" "$work/empty"
printf '#!/bin/sh\nexit 0\n' >"$work/game/W40kWA.exe"
chmod +x "$work/game/W40kWA.exe"
printf '[global]\r\nModVersion = 1.0\r\nPlayable = 1\r\n' >"$work/game/Demo.module"

# 1. Cancelling the chooser ends the program with status 0 and no main window.
start "$work/game"
press "$chooser" Escape || fail "cancel: the directory chooser did not appear"
finish cancel
[ -e "$work/mapped" ] && fail "cancel: a main window was shown"

# 2. A folder without a game: one box, then the end, and still no main window.
start "$work/empty"
press "$chooser" Return || fail "no game: the directory chooser did not appear"
press "Game Executable Not Found" Return || fail "no game: the box did not appear"
finish "no game"
[ -e "$work/mapped" ] && fail "no game: a main window was shown"

# 3. A Winter Assault folder opens the main window; File > Exit (its stock Ctrl+Q) ends it.
start "$work/game"
press "$chooser" Return || fail "start: the directory chooser did not appear"
wait_window Quorvant >/dev/null || fail "start: the main window did not appear"
press Quorvant ctrl+q
finish start

if [ "$failures" -eq 0 ]; then echo "real binary: all checks passed"; fi
exit $((failures > 0))
