#!/usr/bin/env bash
# Installs what is missing, builds both programs and the sample content, and starts Sorandel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
app=build/release/app
if [ ! -x "$app/Sorandel" ]; then
  echo "Sorandel is not built yet: there is nothing to start." >&2
  exit 1
fi
exec "$app/Sorandel"
