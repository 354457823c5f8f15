#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12 (run as root, or with
# sudo available). Safe to run again: it installs only what is missing.
# Usage: scripts/setup.sh [--run]   (--run: only what the run command needs)
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

# Everything the builds and the test command use. 64-bit Wine runs the
# Windows test programs; no machine here executes 32-bit code, so nothing
# of the i386 architecture is installed.
packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev python3 nlohmann-json3-dev
          clang libclang-rt-14-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine64 fonts-wine xvfb imagemagick
          # what Wine's X11 driver and crypto only recommend
          libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
          libgnutls30
          # the emulated x86 machine that runs the 32-bit build's test programs
          qemu-system-x86 debootstrap e2fsprogs)
if [ "${1:-}" = --run ]; then
  # The run command builds the 64-bit Windows deliverables and shows them
  # under 64-bit Wine (on Xvfb without a desktop); the varnctl session
  # builds the native varnctl.
  packages=(cmake ninja-build g++ python3 nlohmann-json3-dev googletest libgtest-dev libgmock-dev
            g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 fonts-wine xvfb imagemagick
            libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
            libgnutls30)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another installer may hold dpkg's lock for a while: wait for it (up to five
# minutes) instead of failing at once.
apt_options=(-o DPkg::Lock::Timeout=300 -o Dpkg::Use-Pty=0 -qq)
if ! $SUDO apt-get "${apt_options[@]}" update >/tmp/caldra-apt-update.log 2>&1; then
  cat /tmp/caldra-apt-update.log >&2
  echo "setup: apt-get update failed (is another installer still running, or the mirror unreachable?)" >&2
  exit 1
fi
if ! $SUDO env DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" install -y --no-install-recommends \
    "${missing[@]}" >/tmp/caldra-apt-install.log 2>&1; then
  tail -30 /tmp/caldra-apt-install.log >&2
  echo "setup: installing ${missing[*]} failed (full log: /tmp/caldra-apt-install.log)" >&2
  exit 1
fi
echo "installed."
