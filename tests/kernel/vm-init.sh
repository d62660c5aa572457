#!/bin/sh
# PID 1 of the kernel test VM (busybox sh). run-in-vm.sh copies it into the initramfs as /init together with
# the plan it wrote: /etc/t640/modules (kernel modules in load order) and /etc/t640/programs (one line per
# test program: index, time-out in seconds, user, name). Every line starting with "T640-VM:" is read by
# run-in-vm.sh on the host, so their wording is part of its interface.
/bin/busybox --install -s
export PATH=/t640/bin:/usr/sbin:/usr/bin:/sbin:/bin

mount -t devtmpfs -o mode=0755 devtmpfs /dev
# The initramfs holds no /dev/console (making device nodes would need root on the host), so the kernel
# started us without stdio: take the console from devtmpfs.
exec </dev/null >/dev/console 2>&1
mount -t proc -o nosuid,nodev,noexec proc /proc
mount -t sysfs -o nosuid,nodev,noexec sysfs /sys
mount -t tmpfs -o nosuid,nodev,mode=0755 tmpfs /run
mount -t tmpfs -o nosuid,nodev,mode=1777 tmpfs /tmp
mkdir -p /dev/shm
mount -t tmpfs -o nosuid,nodev,mode=1777 tmpfs /dev/shm
# The initramfs is packed with every file owned by root.
chown -R player:player /home/player

marker() {
  echo "T640-VM: $*"
}

power_off() {
  sync
  poweroff -f
  # Should poweroff ever return, ending PID 1 panics the kernel, and panic=-1 with -no-reboot stops qemu.
  exit 1
}

setup_failed() {
  marker "setup failed: $*"
  power_off
}

# Runs program $1 with a time-out of $2 seconds and sets status to its exit status, or to "timeout".
run_program() {
  index=$1
  seconds=$2
  rm -f /run/t640-timed-out
  "/t640/run/$index" </dev/null &
  pid=$!
  # The watchdog kills its own sleep when it is stopped, so no stray sleeper outlives a quick program.
  (
    trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
    sleep "$seconds" &
    sleeper=$!
    wait "$sleeper"
    : >/run/t640-timed-out
    kill -TERM "$pid" 2>/dev/null
    sleep 2
    kill -KILL "$pid" 2>/dev/null
  ) &
  watchdog=$!
  wait "$pid"
  status=$?
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null
  if [ -e /run/t640-timed-out ]; then
    status=timeout
  fi
}

marker "kernel $(uname -r) up after $(cut -d' ' -f1 /proc/uptime) s"

while read -r module; do
  insmod "/lib/modules/t640/$module" || setup_failed "cannot load $module"
done </etc/t640/modules
[ -c /dev/uhid ] || setup_failed "no /dev/uhid after loading the modules"

# The plan is read on descriptor 3 so that no program can swallow the rest of it through stdin.
exec 3</etc/t640/programs
while read -r index seconds user name <&3; do
  marker "begin $index $name (as $user, time-out $seconds s)"
  run_program "$index" "$seconds"
  marker "end $index status=$status"
done
exec 3<&-

marker "all done after $(cut -d' ' -f1 /proc/uptime) s"
power_off
