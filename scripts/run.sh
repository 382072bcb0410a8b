#!/usr/bin/env bash
# Runs the program: installs what is missing, builds, starts the reference
# server on the demo database (made on the first run), registers this
# workstation with a demo user, then starts the client configured to reach it.
# Without a display the client runs under Xvfb and a screenshot of its first
# window is written to build/ekran.png.
#
# Environment: VLM_RUN_PORT (application server, 9090), VLM_RUN_WEB_PORT
# (web side, 8080), VLM_RUN_DB (database file, build/velmora-demo.db).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh"
build="${VLM_BUILD_DIR:-$top/build}"
client="$build/client/app/velmora"
server="$build/server/vlm-server"
port="${VLM_RUN_PORT:-9090}"
webport="${VLM_RUN_WEB_PORT:-8080}"
db="${VLM_RUN_DB:-$build/velmora-demo.db}"

# This machine's identity, computed exactly as the client computes it.
kimlik=$("$client" --kimlik)
echo "Workstation identity: $kimlik"
"$server" --db "$db" --register-workstation "$kimlik"

"$server" --db "$db" --port "$port" --web-port "$webport" &
server_pid=$!
trap 'kill $server_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done

export VLM_SUNUCU_HOST=127.0.0.1
export VLM_SUNUCU_PORT="$port"
export VLM_WEB_HOST="127.0.0.1:$webport"
export VLM_WEB_ADRESI="http://127.0.0.1:$webport/"
export VLM_IPECHO_URL="http://127.0.0.1:$webport/ip"
export VLM_KURULUM_URL="http://127.0.0.1:$webport/exe/VLMSetup.exe"
export QTWEBENGINE_DISABLE_SANDBOX=1

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  "$client"
  exit 0
fi
shot="$build/ekran.png"
rm -f "$shot"
echo "No display: starting the client under Xvfb; screenshot in $shot"
VLM_SCREENSHOT="$shot" VLM_SCREENSHOT_QUIT=1 \
  xvfb-run -a -s "-screen 0 1366x768x24" "$client" || true
if [ -f "$shot" ]; then echo "Screenshot written: $shot"; else echo "No screenshot was written" >&2; exit 1; fi
