#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the kernel stage (the hidraw path and the tools against virtual
# devices made real through uhid, inside Debian's kernel under qemu, with the AddressSanitizer
# build's check programs), the suite again under ThreadSanitizer, and a short fuzzing run of the
# report-descriptor parser. Exits non-zero at the first failure; a kernel stage that cannot run
# (no kernel package reachable, no qemu) is a failure too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1 sanitize=$2
  echo "== build $dir (sanitizers: $sanitize)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DT640_WERROR=ON -DT640_SANITIZE="$sanitize" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== test $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
# Widgets are tested offscreen; nothing needs a display.
export QT_QPA_PLATFORM=offscreen

run_suite build-asan "address,undefined"
echo "== kernel stage"
T640_KERNEL_CHECKS_BUILD_DIR=build-asan bash tests/kernel/run.sh
run_suite build-tsan "thread"

if [[ -f fuzz/run.sh ]]; then
  bash fuzz/run.sh
fi
echo "all test stages passed"
