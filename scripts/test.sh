#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the kernel stage (the hidraw path and the tools against virtual
# devices made real through uhid, inside Debian's kernel under qemu, with the AddressSanitizer
# build's check programs), the desktop stage (the AddressSanitizer build's program started 200
# times in a real X11 session with a window manager and a tray), the threaded tests again under
# ThreadSanitizer, the package stage (the Debian package built, checked, unpacked and run), and a
# short fuzzing run of the report-descriptor parser and the import readers.
# Exits non-zero at the first failure; a kernel or desktop stage that cannot run (no kernel package
# reachable, no qemu, no X server) is a failure too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1 sanitize=$2
  shift 2
  echo "== build $dir (sanitizers: $sanitize)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DT640_WERROR=ON -DT640_SANITIZE="$sanitize" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== test $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
# Widgets are tested offscreen; nothing needs a display.
export QT_QPA_PLATFORM=offscreen

# clang compiles the tests in about half gcc's time, and its libFuzzer lets the fuzzers link the
# libraries built here instead of compiling them again.
run_suite build-asan "address,undefined" -DCMAKE_CXX_COMPILER=clang++ -DT640_BUILD_FUZZERS=ON
echo "== kernel stage"
T640_KERNEL_CHECKS_BUILD_DIR=build-asan bash tests/kernel/run.sh
# The program as a user meets it: a real window manager and tray decide whether the window is seen.
# The AddressSanitizer build is the one tree here that holds the program, and its sanitizers watch
# every one of the starts.
echo "== desktop stage"
bash tests/desktop/start_stress.sh build-asan
# ThreadSanitizer only has something to check where code runs on more than one thread, so this tree
# builds only the tests that do (the folders marked THREADED in tests/, and the few named tests of
# otherwise single-threaded ones): the platform layer (events, log file, hidraw reads, the desktop
# bus and its receiver threads), transport (the command channel's locks, the scan thread), the
# virtual devices read from other threads, the tools on the bus, the device classes (worker,
# event listener and light threads), the windows (the scan sink crossing to the user-interface
# thread), the whole program, the toolkit's cross-thread calls and time stamps taken on many threads.
# It stays with gcc: the toolkit's suppressions for the uninstrumented Qt are keyed to gcc's macro.
run_suite build-tsan "thread" -DT640_TEST_SCOPE=threaded -DT640_BUILD_BENCHMARKS=OFF

# The program as it is shipped: an optimised build of the programs alone, installed under a prefix
# and made into a Debian package whose unpacked programs must find their data beside themselves.
echo "== package stage"
bash tests/packaging/check_package.sh build-package

bash fuzz/run.sh build-asan
echo "all test stages passed"
