#!/usr/bin/env bash
# Runs the program: installs what is missing, builds, starts the client.
# Without a display the client runs under Xvfb and a screenshot of its first
# window is written to build/ekran.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh"
build="${VLM_BUILD_DIR:-$top/build}"
client="$build/client/app/velmora"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$client"
fi
shot="$build/ekran.png"
rm -f "$shot"
echo "No display: starting the client under Xvfb; screenshot in $shot"
VLM_SCREENSHOT="$shot" VLM_SCREENSHOT_QUIT=1 \
  xvfb-run -a -s "-screen 0 1366x768x24" "$client"
if [ -f "$shot" ]; then echo "Screenshot written: $shot"; else echo "No screenshot was written" >&2; exit 1; fi
