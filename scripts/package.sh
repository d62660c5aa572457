#!/usr/bin/env bash
# Builds the Debian package of T640 in build-package/ and prints its path. The programs are built
# optimised, without the tests, and without knowledge of this source tree: installed, they read
# their data from /usr/share/t640. The udev rule goes where udev reads the rules of packages.
#   bash scripts/package.sh            then: sudo apt install ./build-package/t640_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
bash scripts/setup-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DT640_BUILD_TESTS=OFF -DT640_BUILD_BENCHMARKS=OFF -DT640_SOURCE_TREE_DATA=OFF \
  -DT640_UDEV_RULES_DIR=/usr/lib/udev/rules.d >/dev/null
cmake --build "$build" -j "$(nproc)" --target t640 t640ctl t640-msg t640-skinview t640_metainfo
rm -f "$build"/t640_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$(cd "$build" && pwd)"/t640_*.deb
