# Sourced by scripts/win32-vm/image and scripts/win32-vm/run: where the guest
# is kept and how the emulated machine is started. Everything that decides
# what the image holds is hashed into its cache key (recipe_files below and
# the machine's settings), so a changed recipe builds a new image.
win32vm_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
win32vm_cache=${TOLVEN_WIN32_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/caldra-one/win32-vm}

# The machine. The memory state saved after the guest's start is only valid
# for the same machine, so these settings are part of the recipe.
# smap=off: with it on, qemu 7.2's emulated CPU faults every 32-bit process
# in the guest kernel at its return to user mode.
win32vm_machine="-accel tcg,thread=multi -cpu max,smap=off -smp 2 -m 3G"
win32vm_append="root=/dev/vda ro console=ttyS0 init=/sbin/caldra-init quiet loglevel=3 mitigations=off"

win32vm_recipe_files=(lib.sh image guest/init guest/first-boot guest/warm)

win32vm_key() {
  {
    for f in "${win32vm_recipe_files[@]}"; do cat "$win32vm_here/$f"; done
    qemu-system-x86_64 --version | head -1
  } | sha256sum | cut -c1-16
}

# The mirror apt uses on this machine (never written into the repository):
# the first Debian source of the host's apt configuration, unless
# TOLVEN_WIN32_VM_MIRROR names one.
win32vm_mirror() {
  if [ -n "${TOLVEN_WIN32_VM_MIRROR:-}" ]; then echo "$TOLVEN_WIN32_VM_MIRROR"; return; fi
  local f uri
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk '/^URIs:/ {u=$2} /^Suites:/ && / bookworm( |$)/ {if (u) {print u; exit}} /^$/ {u=""}' "$f")
    [ -n "$uri" ] && { echo "$uri"; return; }
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    uri=$(awk '$1 == "deb" && $0 ~ / bookworm / {for (i = 2; i <= NF; i++) if ($i ~ /^(https?|ftp|file):/) {print $i; exit}}' "$f")
    [ -n "$uri" ] && { echo "$uri"; return; }
  done
  echo http://deb.debian.org/debian
}

# win32vm_qemu <image dir> <share dir> <work dir> <seconds> [qemu args...]
# Starts the machine under nice and timeout. Its console goes to
# <work>/console.log; <work>/ctl.in reaches the guest's second serial port and
# <work>/mon.in the qemu monitor (FIFOs made here).
win32vm_qemu() {
  local img=$1 share=$2 work=$3 seconds=$4; shift 4
  rm -f "$work/ctl.in" "$work/ctl.out" "$work/mon.in" "$work/mon.out"
  mkfifo "$work/ctl.in" "$work/ctl.out" "$work/mon.in" "$work/mon.out"
  : >"$work/console.log"
  # Drain what comes back on those channels so qemu never blocks on a full
  # pipe (opened read-write: the open does not wait for qemu).
  local drains=() rc
  cat <>"$work/ctl.out" >/dev/null & drains+=($!)
  cat <>"$work/mon.out" >>"$work/monitor.log" & drains+=($!)
  # shellcheck disable=SC2086
  timeout -k 10 "$seconds" nice -n 10 qemu-system-x86_64 -nodefaults -display none -no-reboot \
    $win32vm_machine \
    -kernel "$img/vmlinuz" -initrd "$img/initrd.img" -append "$win32vm_append" \
    -drive file="$img/root.img",if=virtio,format=raw,cache=unsafe \
    -virtfs local,path="$share",mount_tag=share,security_model=none \
    -chardev file,id=con,path="$work/console.log" -serial chardev:con \
    -chardev pipe,id=ctl,path="$work/ctl" -serial chardev:ctl \
    -chardev pipe,id=mon,path="$work/mon" -mon chardev=mon,mode=readline \
    -net none -pidfile "$work/qemu.pid" "$@"
  rc=$?
  kill "${drains[@]}" 2>/dev/null
  wait "${drains[@]}" 2>/dev/null
  return $rc
}

# win32vm_wait_console <work dir> <text> <seconds> <qemu pid>
# Waits until the guest prints <text> on its console; fails when qemu ends or
# the time runs out.
win32vm_wait_console() {
  local work=$1 text=$2 seconds=$3 pid=$4 i
  for ((i = 0; i < seconds * 2; i++)); do
    grep -q "$text" "$work/console.log" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}

# win32vm_stop <work dir>: ends the machine started by win32vm_qemu.
win32vm_stop() {
  [ -f "$1/qemu.pid" ] && kill "$(cat "$1/qemu.pid")" 2>/dev/null
  return 0
}
