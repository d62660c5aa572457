#!/usr/bin/env bash
# Builds T640 and runs it. With no supported device attached (and no --simulate or T640_SIMULATE
# given) it runs against a virtual mouse on its cable and through its receiver. Without a display
# it renders the main window offscreen into t640-main.png and says so. Arguments go to t640.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT640_BUILD_TESTS=OFF -DT640_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build --target t640 t640ctl t640-updater-standin >/dev/null

simulating=false
[[ -n "${T640_SIMULATE:-}" ]] && simulating=true
for arg in "$@"; do
  [[ $arg == --simulate* ]] && simulating=true
done
if ! $simulating && ! build/tools/t640ctl list >/dev/null 2>&1; then
  echo "run: no supported device attached; using virtual devices (mouse,mouse-receiver)" >&2
  export T640_SIMULATE=mouse,mouse-receiver
  simulating=true
fi
# The virtual mouse is updated by the stand-in firmware updater (sim/updater), unless another
# updater is named.
if $simulating && [[ -z "${T640_FIRMWARE_UPDATER:-}" ]]; then
  export T640_FIRMWARE_UPDATER="$PWD/build/sim/t640-updater-standin"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  picture="$PWD/t640-main.png"
  echo "run: no display; drawing the main window offscreen into $picture" >&2
  QT_QPA_PLATFORM=offscreen build/src/shell/t640 --screenshot "$picture" "$@"
  echo "run: the main window is in $picture"
  exit 0
fi
exec build/src/shell/t640 "$@"
