#!/usr/bin/env bash
# Installs every Debian package T640 needs to build, test and run. Safe to run again: packages
# already present are skipped, and apt is only called when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  # Keeps compiled objects in ~/.cache/ccache, so a rebuild or a fresh clone reuses them.
  ccache
  # Links the sanitizer builds' large test programs faster than the default linker.
  lld
  clang libclang-rt-14-dev
  libudev-dev libjsoncpp-dev
  # Recording keys and clicks from the whole X11 desktop: Xlib and the X Input extension's raw
  # events; its test plays the user's keys and clicks through XTest.
  libx11-dev libxi-dev libxtst-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  # Qt's own texts in Chinese (the file chooser's columns, tool tips and questions).
  qt6-translations-l10n
  # The Chinese interface needs a CJK font; without one its texts draw as empty boxes.
  fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  # The suspend-notice tests run a private bus with a stand-in for logind on it; the desktop
  # stage gives its user a session bus with it.
  dbus-daemon
  # The desktop stage (tests/desktop): an X server, a window manager, a system tray, and the
  # clicks and window queries of a user.
  xvfb openbox trayer xdotool x11-utils
  # The package stage: the Debian package (dpkg-shlibdeps finds its dependencies) and the checks
  # of its desktop entry and AppStream metainfo.
  dpkg-dev desktop-file-utils appstream
  # Where a desktop-stage start hangs, the stage prints the stack of each of the program's threads.
  gdb
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
