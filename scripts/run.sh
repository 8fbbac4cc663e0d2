#!/usr/bin/env bash
# Builds Kalvora and runs the command-line calculation on a worked example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kalvora-cli -j "$(nproc)"
exec build/cli/kalvora-cli --subject "Marriage" --name "Asha" --sex Female \
  --muhurtha 2026-12-10T10:30 --muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 \
  --birth 1995-08-15T06:45 --birth-lat 19:04N --birth-lon 72:52E --birth-zone +05:30 "$@"
