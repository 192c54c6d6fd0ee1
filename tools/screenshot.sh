#!/usr/bin/env bash
# Takes a screenshot of the main window on the demo folder, on a virtual X display:
#   tools/screenshot.sh [build-dir] [output.png]
# The folder chooser opens in the demo folder and is accepted with Return, as a player would.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
output=$(realpath -m "${2:-docs/screenshot.png}")
if [ "${3:-}" != --on-display ]; then
    source tools/deps.sh
    install_missing xvfb xauth xdotool imagemagick
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$build" "$output" --on-display
fi

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/glib-2.0/settings"
printf "[org/gtk/settings/file-chooser]\nstartup-mode='cwd'\n" >"$config/glib-2.0/settings/keyfile"

(
    cd "$root/examples/demo-soulstorm"
    GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME="$config" NO_AT_BRIDGE=1 \
        ASAN_OPTIONS=detect_leaks=0 "$root/$build/quorvant" &
    pid=$! id=
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name '^Select executable' 2>/dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.1
    done
    xdotool windowfocus "$id"; sleep 0.3; xdotool key Return
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name '^Quorvant$' 2>/dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.1
    done
    sleep 1
    mkdir -p "$(dirname "$output")"
    import -window "$id" "$output"
    kill "$pid"
    echo "Wrote $output"
)
