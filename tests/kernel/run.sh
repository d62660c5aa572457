#!/usr/bin/env bash
# The kernel test stage: fetches the kernel and host tools, builds the uhid smoke program and runs it in the
# test VM, once as root (the uhid round trip) and once as the plain user (no access to /dev/uhid). With
# T640_KERNEL_CHECKS_BUILD_DIR set to a build folder, the kernel check programs of that build run next: the
# hidraw backend, scan loop and command channel against virtual devices made through uhid
# (tests/kernel/t640_kernel_checks), and t640-uhid with t640ctl as root and as the plain user
# (tests/kernel/t640_tools_check). Further test programs can be given as run-in-vm.sh segments; they run last:
#   tests/kernel/run.sh [SEGMENT [-- SEGMENT]...]
# Ends with "kernel stage: N passed, M failed" (one count per program) and exits non-zero on any failure,
# including a stage that cannot run at all.
#
# Environment: T640_KERNEL_BUILD_DIR (default: <checkout>/build-kernel), T640_KERNEL_CHECKS_BUILD_DIR (see
# above; ASAN_OPTIONS and UBSAN_OPTIONS are passed on to its programs), and everything fetch-kernel.sh and
# run-in-vm.sh read (T640_KERNEL_CACHE, T640_VM_ACCEL, ...).
set -euo pipefail

started=$EPOCHREALTIME
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
checkout=$(cd "$here/../.." && pwd)
build=${T640_KERNEL_BUILD_DIR:-$checkout/build-kernel}
checks=${T640_KERNEL_CHECKS_BUILD_DIR:-}

planned=2
[[ -z $checks ]] || planned=$((planned + 2))
for argument in "$@"; do
  [[ $argument == -- ]] && planned=$((planned + 1))
done
(($# == 0)) || planned=$((planned + 1))

finish() {
  local passed=$1 failed=$2
  local elapsed_ms=$(((${EPOCHREALTIME/./} - ${started/./}) / 1000))
  printf 'kernel stage: wall time %d.%01d s\n' $((elapsed_ms / 1000)) $((elapsed_ms % 1000 / 100))
  echo "kernel stage: $passed passed, $failed failed"
  if ((failed == 0 && passed > 0)); then
    exit 0
  fi
  exit 1
}

# Nothing ran when the stage cannot even start; every planned program counts as failed.
setup_failed() {
  echo "kernel stage: $*" >&2
  finish 0 "$planned"
}

if [[ -f $checkout/scripts/setup-deps.sh ]]; then
  bash "$checkout/scripts/setup-deps.sh" || setup_failed "cannot install the build dependencies"
fi
bash "$here/fetch-kernel.sh" || setup_failed "cannot fetch the kernel or the host tools"

mkdir -p "$build"
if [[ ! $build/uhid_smoke -nt $here/uhid_smoke.cpp ]]; then
  echo "kernel stage: building uhid_smoke"
  read -r -a udev_libs <<<"$(pkg-config --libs libudev)"
  g++ -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -o "$build/uhid_smoke" "$here/uhid_smoke.cpp" \
    "${udev_libs[@]}" || setup_failed "cannot build uhid_smoke"
fi

segments=(--timeout=30 "$build/uhid_smoke" -- --user=player --timeout=30 "$build/uhid_smoke" --expect-no-access)

if [[ -n $checks ]]; then
  checks=$(cd "$checks" 2>/dev/null && pwd) || setup_failed "no build folder $T640_KERNEL_CHECKS_BUILD_DIR"
  for program in tests/kernel/t640_kernel_checks tests/kernel/t640_tools_check tools/t640ctl tools/t640-uhid; do
    [[ -x $checks/$program ]] || setup_failed "$checks/$program is not built"
  done
  sanitizer_env=()
  for variable in ASAN_OPTIONS UBSAN_OPTIONS; do
    [[ -z ${!variable:-} ]] || sanitizer_env+=("--env=$variable=${!variable}")
  done
  # Sanitizer builds under software emulation: the time-outs are far above the few seconds each takes.
  segments+=(-- --timeout=180 "${sanitizer_env[@]}" "$checks/tests/kernel/t640_kernel_checks")
  segments+=(-- --timeout=120 "${sanitizer_env[@]}" --bin="$checks/tools/t640ctl" --bin="$checks/tools/t640-uhid"
    "$checks/tests/kernel/t640_tools_check" --t640ctl=/t640/bin/t640ctl --t640-uhid=/t640/bin/t640-uhid)
fi
(($# == 0)) || segments+=(-- "$@")

results=$build/kernel-stage-results.txt
rm -f "$results"
T640_VM_RESULTS=$results bash "$here/run-in-vm.sh" "${segments[@]}" || true

if [[ ! -f $results ]]; then
  setup_failed "run-in-vm.sh ran no program"
fi
finish "$(grep -c '^PASS' "$results" || true)" "$(grep -c '^FAIL' "$results" || true)"
