#!/usr/bin/env bash
# Sets up what Quorvant needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh

install_missing "${build_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVANT_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cat <<MSG
Quorvant is built (build/quorvant), but there is no display to show its window on.
Start it from a desktop session, or over SSH with X forwarding (ssh -X). On a machine without
any desktop, a virtual one does it too:
    sudo apt-get install xvfb x11vnc && Xvfb :1 & x11vnc -display :1 &
    DISPLAY=:1 tools/run.sh      # then look at it with a VNC viewer
MSG
    exit 1
fi

cat <<MSG
Starting Quorvant. It first asks for the folder of your game (the one that holds Soulstorm.exe,
darkcrusade.exe, W40kWA.exe or W40k.exe). Without an installed game, pick the demo folder:
    $(pwd)/examples/demo-soulstorm
MSG
exec build/quorvant
