#!/usr/bin/env bash
# Builds the game and starts it from the installation-set folder build/vuska122/. Where there is
# no display to show it on, it builds it and says how to start it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
bash scripts/deps.sh
bash scripts/build.sh build -- vuska installation_set_files
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<'MSG'
The game is built (build/vuska122/vuska.exe), but this session has no display to show
its window on: neither DISPLAY nor WAYLAND_DISPLAY is set.
Start it from a graphical desktop session, or give it a virtual display, for example:
    xvfb-run -a build/vuska122/vuska.exe
(and look at it with a VNC viewer or screenshots), or log in with X forwarding (ssh -X).
MSG
  exit 0
fi
exec build/vuska122/vuska.exe
