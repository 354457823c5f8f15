#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12 (run as root, or with
# sudo available). Safe to run again: it installs only what is missing.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev python3
          clang libclang-rt-14-dev
          g++-mingw-w64-i686 mingw-w64-tools
          wine wine64 wine32:i386 xvfb imagemagick qemu-user-static)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
elif [ -n "${need_update:-}" ]; then
  $SUDO apt-get update -qq
fi

# Some machines run 64-bit user code only (the kernel refuses i386 binaries).
# 32-bit Wine then runs through qemu-user: register it for i386 executables.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || true
  fi
  if [ -e /proc/sys/fs/binfmt_misc/register ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      | $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null || true
  fi
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "32-bit Wine runs through qemu-user on this machine (slow)"
  else
    echo "32-bit Wine cannot run on this machine; the Windows suite will be skipped"
  fi
fi
