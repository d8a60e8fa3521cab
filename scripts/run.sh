#!/usr/bin/env bash
# Builds the viewer and starts it on the software card.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target glintrail glintrail_capture
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the viewer under xvfb-run (a virtual X server; nothing will be visible)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/default/bin/glintrail-express "$@"
fi
exec build/default/bin/glintrail-express "$@"
