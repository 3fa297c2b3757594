#!/usr/bin/env bash
# Builds Vantorel, starts the substitute service on loopback and the client against it.
# Log in with demo / demo123. Without a display it starts a virtual one (Xvfb) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

bin=build/bin
"$bin/vantorel-service" &
service=$!
trap 'kill $service 2>/dev/null || true' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Xvfb on :77 (screenshot with: DISPLAY=:77 import -window root shot.png)"
  Xvfb :77 -screen 0 1280x800x24 -nolisten tcp &
  trap 'kill $service 2>/dev/null || true; kill %2 2>/dev/null || true' EXIT
  export DISPLAY=:77
  sleep 1
fi
"$bin/vantorel" "$@"
