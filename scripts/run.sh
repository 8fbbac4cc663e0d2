#!/usr/bin/env bash
# Installs what is missing, builds Kalvora and starts the desktop program. Without a display it runs the
# command-line calculation on a worked example instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build --target kalvora -j "$(nproc)"
  exec build/app/gui/kalvora "$@"
fi
echo "No display found: running the command-line calculation instead of the desktop program." >&2
cmake --build build --target kalvora-cli -j "$(nproc)"
exec build/cli/kalvora-cli --subject "Marriage" --name "Asha" --sex Female \
  --muhurtha 2026-12-10T10:30 --muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 \
  --birth 1995-08-15T06:45 --birth-lat 19:04N --birth-lon 72:52E --birth-zone +05:30 "$@"
