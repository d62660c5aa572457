#!/usr/bin/env bash
# Builds T640 and runs it. Without HID hardware it runs against virtual devices.
# Until the main window lands this runs the diagnostic tool: `t640ctl list` and `t640ctl info`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT640_BUILD_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)" --target t640ctl
exec bash scripts/run-ctl.sh "$@"
