#!/usr/bin/env bash
# The desktop stage: starts t640 again and again in a real X11 session (Xvfb, openbox as the window
# manager, trayer as the system tray), run as an ordinary user with a session bus of its own, as on a
# desktop. Every start must bring the main window up at its fitted size and keep it up; then a click
# on the tray icon must hide it and a second click bring it back. The starts alternate between no
# device and a virtual mouse on its cable and through its receiver.
#
#   tests/desktop/start_stress.sh [BUILD_DIR]        (default: <checkout>/build-asan)
#
# Run as root, it runs the session as the user T640_DESKTOP_USER (default t640desktop), made with
# useradd when missing; run as any other user, it runs the session as that user. The program and its
# data are copied to a folder that user can read. T640_DESKTOP_STARTS (default 200) sets the number
# of starts. Prints one line per failed start with what was seen, ends with
# "desktop stage: N passed, M failed" and its wall time, and exits non-zero on any failure,
# including a stage that cannot run at all. After the starts and the caption checks it runs the
# desktop input capture's tests (t640_x11_capture_tests of BUILD_DIR) and the recording check in
# the same session.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
checkout=$(cd "$here/../.." && pwd)

# ---- inside the user's session (the script runs itself again under dbus-run-session) ----
if [[ ${1:-} == --session ]]; then
  stage=$2
  starts=$3
  source "$here/session_checks.sh"
  run_session "$stage" "$starts"
  exit $?
fi

started=$EPOCHREALTIME
build=${1:-$checkout/build-asan}
starts=${T640_DESKTOP_STARTS:-200}
user=${T640_DESKTOP_USER:-t640desktop}

elapsed() {
  local ms=$(((${EPOCHREALTIME/./} - ${started/./}) / 1000))
  printf '%d.%01d s' $((ms / 1000)) $((ms % 1000 / 100))
}

cannot_run() {
  echo "desktop stage: FAIL: $*" >&2
  echo "desktop stage: wall time $(elapsed)"
  echo "desktop stage: 0 passed, $starts failed"
  exit 1
}

program=$build/src/shell/t640
[[ -x $program ]] || cannot_run "no program at $program (build it first)"
capture_tests=$build/tests/platform/input_capture/x11/t640_x11_capture_tests
[[ -x $capture_tests ]] || cannot_run "no desktop capture tests at $capture_tests (build them first)"
for tool in Xvfb openbox trayer xdotool xwininfo xprop xev stdbuf dbus-run-session; do
  command -v "$tool" >/dev/null || cannot_run "$tool is missing (scripts/setup-deps.sh installs it)"
done

# The program, its skin, fonts and data, where the user can read them (a checkout under /root is not).
stage=$(mktemp -d /tmp/t640-desktop.XXXXXX)
cleanup() { rm -rf "$stage"; }
trap cleanup EXIT
mkdir -p "$stage/program"
cp "$program" "$stage/program/t640"
cp "$capture_tests" "$stage/program/"
for folder in skin DefaultData Font; do
  [[ -d $checkout/$folder ]] && cp -r "$checkout/$folder" "$stage/program/"
done
chmod -R a+rX "$stage"

if ((EUID == 0)); then
  if ! id "$user" >/dev/null 2>&1; then
    useradd --create-home --shell /bin/bash "$user" || cannot_run "cannot create the user $user"
  fi
  chown -R "$user:" "$stage"
  as_user=(runuser -u "$user" --)
  home=$(getent passwd "$user" | cut -d: -f6)
else
  user=$(id -un)
  as_user=()
  home=$HOME
fi

echo "desktop stage: $starts starts of $program as $user (Xvfb, openbox, trayer, session bus)"
status=0
"${as_user[@]}" env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
  dbus-run-session -- bash "$here/start_stress.sh" --session "$stage" "$starts" || status=$?
echo "desktop stage: wall time $(elapsed)"
exit "$status"
