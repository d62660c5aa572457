#!/usr/bin/env bash
# Runs test programs inside Debian's packaged kernel booted under qemu, where uhid can make virtual HID
# devices that the host cannot. Builds an initramfs holding busybox, the hid, hid-generic and uhid modules,
# the programs and every library they link, boots it, runs the programs one after another and exits 0 only
# when each of them exited 0. The kernel comes from the cache that fetch-kernel.sh fills.
set -euo pipefail

usage() {
  cat <<'EOF'
usage: run-in-vm.sh [OPTIONS] PROGRAM [ARG]... [-- [OPTIONS] PROGRAM [ARG]...]...

Each "--"-separated segment is one test program, run in the VM in the order given. The options of a
segment come before its program; everything after the program, up to the next "--", are its arguments.
  --user=NAME         run as root (default) or player (uid 1000, gid 1000, home /home/player)
  --timeout=SECONDS   time-out of this program (default $T640_VM_PROGRAM_TIMEOUT, else 60)
  --env=NAME=VALUE    set a variable for this program (the environment is otherwise minimal)
  --file=HOST[:GUEST] copy a host file or folder into the VM (default GUEST: /t640/data/<name>)
  --bin=HOST          copy another executable and the libraries it needs into /t640/bin, for the
                      program to run (a tool it starts, say)

Environment: T640_VM_ACCEL (auto, kvm, tcg), T640_VM_MEMORY (MiB, default 1024), T640_VM_TIMEOUT (whole
run, seconds), T640_VM_PROGRAM_TIMEOUT, T640_VM_MODULES (default "hid hid-generic uhid"),
T640_VM_RESULTS (file to write one PASS/FAIL line per program), T640_VM_KEEP=1 (keep the work folder),
T640_KERNEL_CACHE (as for fetch-kernel.sh).
EOF
}

die() {
  echo "run-in-vm: $*" >&2
  exit 2
}

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${T640_KERNEL_CACHE:-${XDG_CACHE_HOME:-${HOME:-~}/.cache}/t640-kernel}
memory=${T640_VM_MEMORY:-1024}
default_timeout=${T640_VM_PROGRAM_TIMEOUT:-60}
read -r -a wanted_modules <<<"${T640_VM_MODULES:-hid hid-generic uhid}"
guest_path=/t640/bin:/usr/sbin:/usr/bin:/sbin:/bin

[[ $default_timeout =~ ^[1-9][0-9]*$ ]] || die "T640_VM_PROGRAM_TIMEOUT must be a number of seconds"
[[ $memory =~ ^[1-9][0-9]*$ ]] || die "T640_VM_MEMORY must be a number of MiB"

# --- host tools and kernel -------------------------------------------------------------------------------

qemu=$(command -v qemu-system-x86_64) || die "qemu-system-x86_64 not found: run tests/kernel/fetch-kernel.sh"
busybox=$(command -v busybox) || die "busybox not found: run tests/kernel/fetch-kernel.sh"
command -v cpio >/dev/null || die "cpio not found: run tests/kernel/fetch-kernel.sh"
# The initramfs carries busybox without its libraries, so it must be the static build.
if ldd "$busybox" >/dev/null 2>&1; then
  die "$busybox is dynamically linked: install busybox-static"
fi

kernel_root=$cache/current
[[ -d $kernel_root/lib/modules ]] || die "no kernel in $cache: run tests/kernel/fetch-kernel.sh"
release=$(basename "$(find "$kernel_root/lib/modules" -mindepth 1 -maxdepth 1 -type d | head -n 1)")
vmlinuz=$kernel_root/boot/vmlinuz-$release
module_dir=$kernel_root/lib/modules/$release
[[ -f $vmlinuz ]] || die "no kernel image $vmlinuz: run tests/kernel/fetch-kernel.sh"
[[ -f $module_dir/modules.dep ]] || die "no modules.dep in $module_dir: run tests/kernel/fetch-kernel.sh"

accel=${T640_VM_ACCEL:-auto}
kvm_usable=0
[[ -c /dev/kvm && -r /dev/kvm && -w /dev/kvm ]] && kvm_usable=1
# Some VMs offer a /dev/kvm without hardware virtualisation (kvm_pvm, for kernels built for it): Debian's
# kernel hangs there or stops on an instruction it cannot emulate. Only vmx or svm make KVM worth trying.
hardware_virtualisation=0
grep -qwE 'vmx|svm' /proc/cpuinfo && hardware_virtualisation=1
case $accel in
  auto) ((kvm_usable && hardware_virtualisation)) && accel=kvm || accel=tcg ;;
  kvm)
    ((kvm_usable)) || die "T640_VM_ACCEL=kvm but /dev/kvm is missing or not read/writable"
    ((hardware_virtualisation)) ||
      echo "run-in-vm: warning: the CPU shows no vmx or svm; KVM may hang on Debian's kernel" >&2
    ;;
  tcg) ;;
  *) die "T640_VM_ACCEL must be auto, kvm or tcg" ;;
esac

# --- work folder ---------------------------------------------------------------------------------------------

work=$(mktemp -d "${TMPDIR:-/tmp}/t640-vm.XXXXXX")
cleanup() {
  if [[ ${T640_VM_KEEP:-0} == 1 ]]; then
    echo "run-in-vm: kept $work"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT
root=$work/root
mkdir -p "$root"/{dev,proc,sys,run,tmp,root,home/player,etc/t640,lib/modules/t640,t640/bin,t640/run,t640/data}

# Single quotes for busybox sh, which does not read bash's $'...' quoting.
sh_quote() {
  printf "'%s'" "${1//\'/\'\\\'\'}"
}

# Copies a host file to the same path in the initramfs, following symbolic links.
copy_to_root() {
  local source=$1 target=$root$2
  [[ -e $target ]] && return
  mkdir -p "$(dirname "$target")"
  cp -L "$source" "$target"
}

# Copies every shared library the executable needs, the dynamic loader included. ldd fails on static
# programs and scripts, which need nothing.
copy_libraries() {
  local executable=$1 listing library
  listing=$(ldd "$executable" 2>/dev/null) || return 0
  if grep -q "not found" <<<"$listing"; then
    die "$executable needs libraries the host does not have:"$'\n'"$(grep "not found" <<<"$listing")"
  fi
  while read -r library; do
    copy_to_root "$library" "$library"
  done < <(awk '{ for (i = 1; i <= NF; i++) if ($i ~ /^\//) print $i }' <<<"$listing")
}

# --- test programs ---------------------------------------------------------------------------------------

declare -A placed_from      # guest program name -> host path, so two different programs cannot collide

# Copies an executable into /t640/bin with the libraries it needs, once per name.
place_executable() {
  local executable=$1 name host_path
  [[ -f $executable && -x $executable ]] || die "not an executable file: $executable"
  name=$(basename "$executable")
  host_path=$(realpath "$executable")
  if [[ -n ${placed_from[$name]:-} && ${placed_from[$name]} != "$host_path" ]]; then
    die "two different programs are named $name"
  fi
  if [[ -z ${placed_from[$name]:-} ]]; then
    placed_from[$name]=$host_path
    cp -L "$executable" "$root/t640/bin/$name"
    copy_libraries "$executable"
  fi
}

program_names=()            # display name of each program, by index
program_count=0
timeout_sum=0
plan=$root/etc/t640/programs
: >"$plan"

args=("$@")
position=0
((${#args[@]})) || { usage >&2; exit 2; }
while ((position < ${#args[@]})); do
  user=root
  seconds=$default_timeout
  envs=()
  # Options of this segment.
  while ((position < ${#args[@]})); do
    option=${args[position]}
    case $option in
      --user=root | --user=player) user=${option#--user=} ;;
      --user=*) die "unknown user in $option (the VM has root and player)" ;;
      --timeout=*)
        seconds=${option#--timeout=}
        [[ $seconds =~ ^[1-9][0-9]*$ ]] || die "bad time-out in $option"
        ;;
      --env=*=*)
        [[ ${option#--env=} =~ ^[A-Za-z_][A-Za-z0-9_]*= ]] || die "bad variable in $option"
        envs+=("${option#--env=}")
        ;;
      --file=*)
        spec=${option#--file=}
        host=${spec%%:*}
        guest=/t640/data/$(basename "$host")
        [[ $spec == *:* ]] && guest=${spec#*:}
        [[ -e $host ]] || die "no such file: $host"
        [[ $guest == /* ]] || die "guest path must be absolute in $option"
        mkdir -p "$(dirname "$root$guest")"
        cp -rL "$host" "$root$guest"
        ;;
      --bin=*) place_executable "${option#--bin=}" ;;
      -h | --help) usage; exit 0 ;;
      --) die "a program segment is empty" ;;
      -*) die "unknown option $option" ;;
      *) break ;;
    esac
    ((position += 1))
  done
  ((position < ${#args[@]})) || die "options without a program"
  program=${args[position]}
  ((position += 1))
  program_args=()
  while ((position < ${#args[@]})) && [[ ${args[position]} != -- ]]; do
    program_args+=("${args[position]}")
    ((position += 1))
  done
  ((position += 1)) # past the separator, if any

  place_executable "$program"
  name=$(basename "$program")

  ((program_count += 1))
  index=$(printf '%02d' "$program_count")
  home=/root
  [[ $user == player ]] && home=/home/player
  display="$name${program_args[*]:+ ${program_args[*]}}"
  display=${display//$'\n'/ }
  program_names[program_count]=$display
  timeout_sum=$((timeout_sum + seconds))

  # The program's own script: a minimal, known environment, then the program itself.
  {
    echo '#!/bin/sh'
    echo "cd $home || exit 1"
    printf 'exec env -i'
    for assignment in "PATH=$guest_path" "HOME=$home" "USER=$user" "LOGNAME=$user" TMPDIR=/tmp "${envs[@]}"; do
      printf ' %s' "$(sh_quote "$assignment")"
    done
    printf ' %s' "$(sh_quote "/t640/bin/$name")"
    for argument in "${program_args[@]}"; do
      printf ' %s' "$(sh_quote "$argument")"
    done
    echo
  } >"$root/t640/run/$index.program"
  # The script init starts: the switch to the program's user. As root, busybox su asks no password.
  {
    echo '#!/bin/sh'
    if [[ $user == root ]]; then
      echo "exec /bin/sh /t640/run/$index.program"
    else
      echo "exec su -s /bin/sh $user /t640/run/$index.program"
    fi
  } >"$root/t640/run/$index"
  chmod 755 "$root/t640/run/$index" "$root/t640/run/$index.program"
  echo "$index $seconds $user $display" >>"$plan"
done

# --- kernel modules --------------------------------------------------------------------------------------

declare -A module_path   # module name (with _ for -) -> path relative to module_dir
declare -A module_deps   # path -> the paths it depends on
declare -A builtin
# Module names treat "-" and "_" alike; the keys use "_".
while IFS=: read -r path deps; do
  stem=${path##*/}
  stem=${stem%%.ko*}
  module_path[${stem//-/_}]=$path
  module_deps[$path]=$deps
done <"$module_dir/modules.dep"
if [[ -f $module_dir/modules.builtin ]]; then
  while read -r path; do
    stem=${path##*/}
    stem=${stem%%.ko*}
    builtin[${stem//-/_}]=1
  done <"$module_dir/modules.builtin"
fi

declare -A loaded
load_order=()
# Depth first, so every module comes after the modules it needs.
add_module_path() {
  local path=$1 dep
  [[ -n ${loaded[$path]:-} ]] && return
  loaded[$path]=1
  for dep in ${module_deps[$path]}; do
    add_module_path "$dep"
  done
  load_order+=("$path")
}
for module in "${wanted_modules[@]}"; do
  key=${module//-/_}
  if [[ -n ${builtin[$key]:-} ]]; then
    continue
  fi
  [[ -n ${module_path[$key]:-} ]] || die "kernel $release has no module $module"
  add_module_path "${module_path[$key]}"
done

: >"$root/etc/t640/modules"
for path in "${load_order[@]}"; do
  file=${path##*/}
  target=${file%%.ko*}.ko
  # busybox insmod loads plain .ko files only; Debian compresses modules from trixie on.
  case $file in
    *.ko.xz) xz -dc "$module_dir/$path" >"$root/lib/modules/t640/$target" ;;
    *.ko.zst) zstd -dcq "$module_dir/$path" >"$root/lib/modules/t640/$target" ;;
    *.ko.gz) gzip -dc "$module_dir/$path" >"$root/lib/modules/t640/$target" ;;
    *) cp "$module_dir/$path" "$root/lib/modules/t640/$target" ;;
  esac
  echo "$target" >>"$root/etc/t640/modules"
done

# --- the rest of the initramfs ---------------------------------------------------------------------------

# Only /bin/sh is linked here; init has busybox link its other applets, which saves some 400 forks per run.
mkdir -p "$root"/{bin,sbin,usr/bin,usr/sbin}
cp "$busybox" "$root/bin/busybox"
ln -s busybox "$root/bin/sh"

cat >"$root/etc/passwd" <<'EOF'
root:x:0:0:root:/root:/bin/sh
player:x:1000:1000:player:/home/player:/bin/sh
EOF
cat >"$root/etc/group" <<'EOF'
root:x:0:
player:x:1000:
EOF
cp "$here/vm-init.sh" "$root/init"
chmod 755 "$root/init"

initrd=$work/initrd.gz
# --owner=0:0 so nothing in the VM belongs to whoever built the image on the host.
(cd "$root" && find . -print0 | cpio --null --create --format=newc --owner=0:0 --quiet) | gzip -1 >"$initrd"

# --- boot ------------------------------------------------------------------------------------------------

# A program gets its own time-out; the whole run adds time to boot (slow without KVM) and for the kill grace.
boot_allowance=30
[[ $accel == tcg ]] && boot_allowance=60
overall=${T640_VM_TIMEOUT:-$((boot_allowance + timeout_sum + 3 * program_count))}

# -nodefaults drops the network card (and its option ROM) and the VGA card, which only slow the boot;
# "-display none -serial stdio -monitor none" is -nographic without the monitor mixed into the console.
# Under tcg the speculation mitigations cost boot time and protect nothing in a VM that lives seconds,
# and 8250.nr_uarts=1 spares probing three serial ports that do not exist.
qemu_args=(
  -nodefaults -no-user-config
  -m "$memory" -smp 1
  -kernel "$vmlinuz" -initrd "$initrd"
  -append "console=ttyS0 quiet panic=-1 mitigations=off 8250.nr_uarts=1"
  -display none -serial stdio -monitor none -no-reboot
)
if [[ $accel == kvm ]]; then
  qemu_args+=(-accel kvm -cpu host)
else
  qemu_args+=(-accel tcg)
fi

log=$work/serial.log
echo "run-in-vm: booting $release ($accel, $(du -k "$initrd" | cut -f1) KiB initramfs," \
  "$program_count program(s), time-out ${overall} s)"
set +e
timeout --kill-after=5 "$overall" "$qemu" "${qemu_args[@]}" </dev/null 2>"$work/qemu.err" | tr -d '\r' | tee "$log"
qemu_status=${PIPESTATUS[0]}
set -e

# --- results ---------------------------------------------------------------------------------------------

results=()
passed=0
failed=0
report() {
  results+=("$1"$'\t'"$2${3:+$'\t'$3}")
  if [[ $1 == PASS ]]; then
    ((passed += 1))
    echo "run-in-vm: PASS $2"
  else
    ((failed += 1))
    echo "run-in-vm: FAIL $2 ($3)"
  fi
}

if [[ -s $work/qemu.err ]]; then
  sed 's/^/qemu: /' "$work/qemu.err"
fi
if ((qemu_status == 124 || qemu_status == 137)); then
  echo "run-in-vm: the VM did not finish within $overall s and was stopped"
elif ((qemu_status != 0)); then
  echo "run-in-vm: qemu failed (exit status $qemu_status)"
fi
setup_failure=$(grep -o 'T640-VM: setup failed: .*' "$log" || true)
[[ -z $setup_failure ]] || echo "run-in-vm: ${setup_failure#T640-VM: }"
if ! grep -q 'T640-VM: kernel ' "$log"; then
  echo "run-in-vm: the VM never reached /init"
fi

for ((i = 1; i <= program_count; i++)); do
  index=$(printf '%02d' "$i")
  status=$(grep -o "T640-VM: end $index status=.*" "$log" | head -n 1 | sed 's/.*status=//' || true)
  case $status in
    0) report PASS "${program_names[i]}" ;;
    timeout) report FAIL "${program_names[i]}" "timed out" ;;
    '') report FAIL "${program_names[i]}" "did not finish" ;;
    *) report FAIL "${program_names[i]}" "exit status $status" ;;
  esac
done
# Even when every program passed, a VM that never finished its plan must not pass quietly.
finished=1
if ! grep -q 'T640-VM: all done' "$log"; then
  finished=0
  ((failed)) || echo "run-in-vm: the VM stopped before init finished"
fi

if [[ -n ${T640_VM_RESULTS:-} ]]; then
  printf '%s\n' "${results[@]}" >"$T640_VM_RESULTS"
fi
echo "run-in-vm: $passed passed, $failed failed"
((failed == 0 && finished))
