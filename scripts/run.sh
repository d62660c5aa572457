#!/usr/bin/env bash
# Builds T640 and runs it. Until the main window lands this runs the diagnostic tool t640ctl:
# with no arguments `list` and then `info`, otherwise the arguments given (see README).
# When no supported device is attached and no simulation was asked for, it runs against a
# virtual mouse on its cable and through its receiver.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT640_BUILD_TESTS=OFF -DT640_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build --target t640ctl >/dev/null
ctl=build/tools/t640ctl

simulating=false
[[ -n "${T640_SIMULATE:-}" ]] && simulating=true
for arg in "$@"; do
  [[ $arg == --simulate* ]] && simulating=true
done
if ! $simulating && ! "$ctl" list >/dev/null 2>&1; then
  echo "run: no supported device attached; using virtual devices (mouse,mouse-receiver)" >&2
  export T640_SIMULATE=mouse,mouse-receiver
fi

if (($# == 0)); then
  "$ctl" list
  exec "$ctl" info
fi
exec "$ctl" "$@"
