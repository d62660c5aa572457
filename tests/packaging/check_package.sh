#!/usr/bin/env bash
# The package stage: builds the programs as shipped and their Debian package (scripts/package.sh),
# checks the desktop entry and the AppStream metainfo with their validators, installs into a
# scratch prefix, checks what the package holds and needs, unpacks it into a scratch root, and runs
# the unpacked t640ctl and t640 from there against a virtual mouse with no variable pointing at
# their data: they find it beside themselves (these programs do not know the source tree).
#
#   tests/packaging/check_package.sh [BUILD_DIR]      (default: <checkout>/build-package)
#
# Prints one line per check and "package stage: N passed, M failed"; exits non-zero on a failure.
set -euo pipefail

checkout=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$checkout/build-package}
started=$EPOCHREALTIME
passes=0
failures=0

pass() { echo "package stage: PASS $*"; passes=$((passes + 1)); }
fail() { echo "package stage: FAIL $*"; failures=$((failures + 1)); }
check() {
  local what=$1
  shift
  if "$@" >"$scratch/check.log" 2>&1; then pass "$what"; else fail "$what"; sed 's/^/    /' "$scratch/check.log" | tail -n 20; fi
}

scratch=$(mktemp -d /tmp/t640-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

echo "== build $build (release, the shipped programs only) and its package"
if bash "$checkout/scripts/package.sh" "$build" >"$scratch/package.log" 2>&1; then
  package=$(tail -n1 "$scratch/package.log")
  pass "scripts/package.sh made ${package##*/}"
else
  fail "scripts/package.sh"
  tail -n 30 "$scratch/package.log"
  package=""
fi

check "desktop-file-validate t640.desktop" desktop-file-validate "$checkout/packaging/t640.desktop"
check "desktop-file-validate t640-autostart.desktop" desktop-file-validate "$checkout/packaging/t640-autostart.desktop"
metainfo=$build/packaging/com.kestrune.t640.metainfo.xml
check "appstreamcli validate the metainfo" appstreamcli validate --no-net "$metainfo"
check "the metainfo offers the program for the supported mouse" grep -q '<modalias>usb:v320Fp22A4d\*</modalias>' "$metainfo"

# An install under a prefix of the user's choice (the udev rule is a component of its own: it
# belongs in udev's folders, not under a scratch prefix).
cmake --install "$build" --prefix "$scratch/prefix" --component Unspecified >/dev/null
run_screenshot() {
  local program=$1 picture=$2
  (cd "$scratch" && env -u T640_PROGRAM_FOLDER HOME="$scratch/home" XDG_RUNTIME_DIR= T640_BUS_DIR="$scratch/bus" \
    QT_QPA_PLATFORM=offscreen "$program" --simulate mouse --screenshot "$picture") && [[ -s $picture ]]
}
check "installed under a prefix: t640 --simulate mouse --screenshot" \
  run_screenshot "$scratch/prefix/bin/t640" "$scratch/prefix.png"

if [[ -n $package ]]; then
  dpkg-deb -c "$package" | awk '{print $6}' >"$scratch/contents"
  holds() { grep -qx "./$1" "$scratch/contents"; }
  for path in usr/bin/t640 usr/bin/t640ctl usr/share/t640/skin/res.xml usr/share/t640/DefaultData/default_light.json \
      usr/share/applications/t640.desktop usr/share/icons/hicolor/scalable/apps/t640.svg \
      usr/share/metainfo/com.kestrune.t640.metainfo.xml usr/share/man/man1/t640.1 usr/share/man/man1/t640ctl.1 \
      usr/lib/udev/rules.d/70-t640.rules; do
    check "the package holds /$path" holds "$path"
  done
  depends=$(dpkg-deb -f "$package" Depends)
  for library in libqt6widgets6 libqt6svg6 libudev1 libjsoncpp; do
    check "the package depends on $library" grep -q "$library" <<<"$depends"
  done
  dpkg-deb -x "$package" "$scratch/root"
  check "unpacked: t640ctl --simulate mouse info" \
    sh -c "cd '$scratch' && env -u T640_PROGRAM_FOLDER '$scratch/root/usr/bin/t640ctl' --simulate mouse info | grep -q '\"kind\":\"mouse\"'"
  check "unpacked: t640 --simulate mouse --screenshot" run_screenshot "$scratch/root/usr/bin/t640" "$scratch/unpacked.png"
fi

ms=$(((${EPOCHREALTIME/./} - ${started/./}) / 1000))
echo "package stage: wall time $((ms / 1000)).$((ms % 1000 / 100)) s"
echo "package stage: $passes passed, $failures failed"
((failures == 0))
