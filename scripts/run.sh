#!/usr/bin/env bash
# Installs what is missing, builds both programs and the sample content, and starts Sorandel.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No screen to show Sorandel on (DISPLAY and WAYLAND_DISPLAY are not set): run this in a desktop session." >&2
  exit 1
fi
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target programs
app=build/release/app
if [ ! -x "$app/Sorandel" ]; then
  echo "Sorandel is not built yet: there is nothing to start." >&2
  exit 1
fi
exec "$app/Sorandel"
