#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12 (run as root, or with
# sudo available). Safe to run again: it installs only what is missing.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev python3 nlohmann-json3-dev
          clang libclang-rt-14-dev
          g++-mingw-w64-i686 mingw-w64-tools
          wine wine64 wine32:i386 xvfb imagemagick)

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

if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "32-bit Wine cannot run on this machine (it executes 64-bit user code only):"
  echo "the Windows test programs will be built but not run."
fi
