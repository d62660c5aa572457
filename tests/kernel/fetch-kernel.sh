#!/usr/bin/env bash
# Prepares everything the kernel test stage needs on the host: installs the tools that build and boot the
# test VM, and fetches Debian's packaged kernel into a cache folder without installing it on the host.
# Safe to run again: packages already present are skipped and a cached kernel of the same version is reused.
#
# Environment:
#   T640_KERNEL_CACHE    cache folder (default: ${XDG_CACHE_HOME:-$HOME/.cache}/t640-kernel)
#   T640_KERNEL_FLAVOUR  "cloud" (default) or "generic": which linux-image metapackage to follow
set -euo pipefail

cache=${T640_KERNEL_CACHE:-${XDG_CACHE_HOME:-${HOME:-~}/.cache}/t640-kernel}
flavour=${T640_KERNEL_FLAVOUR:-cloud}

# The cloud kernel carries hid, hid-generic and uhid as modules like the generic one, is a third of the
# download and boots a little faster, because it probes far fewer drivers.
case $flavour in
  cloud) metapackage=linux-image-cloud-amd64 ;;
  generic) metapackage=linux-image-amd64 ;;
  *) echo "fetch-kernel: unknown T640_KERNEL_FLAVOUR '$flavour' (use cloud or generic)" >&2; exit 2 ;;
esac

host_packages=(
  qemu-system-x86   # qemu-system-x86_64
  busybox-static    # the VM's shell, init and tools; static, so it needs no libraries in the initramfs
  cpio              # packs the initramfs
  kmod              # depmod, to work out module dependencies of the unpacked kernel
  xz-utils zstd     # newer Debian kernels ship compressed modules; they are unpacked at build time
)

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

lists_updated=0
update_lists() {
  if ((lists_updated)); then
    return 1
  fi
  echo "fetch-kernel: refreshing the package lists"
  "${sudo_cmd[@]}" apt-get update -qq
  lists_updated=1
}

install_host_tools() {
  local missing=() package
  for package in "${host_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]} == 0)); then
    echo "fetch-kernel: host tools present (${host_packages[*]})"
    return
  fi
  echo "fetch-kernel: installing ${missing[*]}"
  local install=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq --no-install-recommends "${missing[@]}")
  # A fresh machine may have no package lists yet; refresh them only when the install says so.
  "${install[@]}" >/dev/null || { update_lists && "${install[@]}" >/dev/null; }
}

# Sets kernel_package and kernel_version from the metapackage's current dependency.
resolve_kernel_package() {
  kernel_package=$(apt-cache depends --no-recommends --no-suggests "$metapackage" 2>/dev/null |
    awk '$1 == "Depends:" && $2 ~ /^linux-image-/ { print $2; exit }')
  [[ -n $kernel_package ]] || return 1
  kernel_version=$(apt-cache policy "$kernel_package" | awk '$1 == "Candidate:" { print $2 }')
  [[ -n $kernel_version && $kernel_version != "(none)" ]]
}

download_kernel_package() {
  local into=$1
  local download=(apt-get download -q "$kernel_package=$kernel_version")
  # As root apt hands the download to its unprivileged _apt user, who cannot write into a cache under
  # /root; downloading as root directly avoids a noisy warning and nothing else.
  [[ $(id -u) -ne 0 ]] || download+=(-o APT::Sandbox::User=root)
  (cd "$into" && "${download[@]}" >/dev/null)
}

# Unpacks the .deb into a staging folder and moves it into place only when complete, so an interrupted
# run never leaves a half-unpacked kernel that a later run would mistake for a cached one.
unpack_kernel() {
  local staging=$1 target=$2 deb
  deb=$(find "$staging" -maxdepth 1 -name '*.deb' | head -n 1)
  dpkg-deb -x "$deb" "$staging/root"
  rm -f "$deb"
  # Newer packages put modules under usr/lib/modules; depmod -b and run-in-vm.sh expect lib/modules.
  if [[ ! -d $staging/root/lib/modules && -d $staging/root/usr/lib/modules ]]; then
    mkdir -p "$staging/root/lib"
    mv "$staging/root/usr/lib/modules" "$staging/root/lib/modules"
  fi
  local release
  release=$(basename "$(find "$staging/root/lib/modules" -mindepth 1 -maxdepth 1 -type d | head -n 1)")
  [[ -f $staging/root/boot/vmlinuz-$release ]] || {
    echo "fetch-kernel: $kernel_package has no boot/vmlinuz-$release" >&2
    return 1
  }
  # The package leaves modules.dep to the postinst, which we never run.
  depmod -b "$staging/root" "$release"
  mv "$staging/root" "$target"
}

install_host_tools

mkdir -p "$cache"
# Two stages started at once (two checkouts) would otherwise unpack into the same folder.
exec {lock_fd}>"$cache/.lock"
flock "$lock_fd"

if ! resolve_kernel_package; then
  update_lists || true
  resolve_kernel_package || { echo "fetch-kernel: cannot resolve $metapackage" >&2; exit 1; }
fi

entry="${kernel_package}_${kernel_version}"
if [[ -d $cache/$entry ]]; then
  echo "fetch-kernel: reusing cached $kernel_package $kernel_version"
else
  staging=$(mktemp -d "$cache/.staging.XXXXXX")
  trap 'rm -rf "$staging"' EXIT
  echo "fetch-kernel: downloading $kernel_package $kernel_version"
  if ! download_kernel_package "$staging"; then
    # Stale lists name a version the mirror no longer serves: refresh and follow the metapackage again.
    update_lists || { echo "fetch-kernel: cannot download $kernel_package" >&2; exit 1; }
    resolve_kernel_package || { echo "fetch-kernel: cannot resolve $metapackage" >&2; exit 1; }
    entry="${kernel_package}_${kernel_version}"
    echo "fetch-kernel: downloading $kernel_package $kernel_version"
    download_kernel_package "$staging" || { echo "fetch-kernel: cannot download $kernel_package" >&2; exit 1; }
  fi
  if [[ -d $cache/$entry ]]; then
    echo "fetch-kernel: reusing cached $kernel_package $kernel_version"
  else
    unpack_kernel "$staging" "$cache/$entry"
    echo "fetch-kernel: unpacked into $cache/$entry"
  fi
fi

ln -sfn "$entry" "$cache/current"

# Older kernels only take space (the generic one unpacks to about 400 MB).
for old in "$cache"/linux-image-*; do
  if [[ -d $old && $(basename "$old") != "$entry" ]]; then
    echo "fetch-kernel: removing old $(basename "$old")"
    rm -rf "$old"
  fi
done

echo "fetch-kernel: kernel ready: $cache/current -> $entry"
