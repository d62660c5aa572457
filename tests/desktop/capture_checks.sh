# The desktop stage's capture check, sourced by session_checks.sh: the desktop input capture's test
# program against the session's X server — keys and clicks played through XTest reach the capture
# as set-1 codes and button bits, and while it records another window receives no keystroke.
# Every one of its tests must run (a skip means the server lacked something and is a failure here).

readonly kCaptureChecks=1

run_capture_checks() {
  local stage=$1 output=$1/capture_tests.log
  if timeout 60 "$stage/program/t640_x11_capture_tests" >"$output" 2>&1 && ! grep -q '\[  SKIPPED \]' "$output"; then
    passes=$((passes + 1))
    echo "desktop stage: PASS desktop input capture ($(grep -c '^\[       OK \]' "$output") tests)"
  else
    failures=$((failures + 1))
    echo "desktop stage: FAIL desktop input capture"
    sed 's/^/    capture test: /' "$output" | grep -v -e '\[ RUN' -e '\[       OK' | tail -n 30
  fi
}
