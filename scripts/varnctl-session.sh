#!/usr/bin/env bash
# The varnctl session (the second run command): sets the machine up, builds the native varnctl
# and runs a short session on the default virtual card, in a fresh state
# folder that is removed afterwards. Usage: scripts/varnctl-session.sh
# (VARNCTL_BUILD_DIR chooses another build folder than build/native.)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh --run
build=${VARNCTL_BUILD_DIR:-build/native}
mkdir -p "$build"
echo "=== building varnctl in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >"$build/varnctl.configure.log" 2>&1 ||
  { cat "$build/varnctl.configure.log"; exit 1; }
if ! cmake --build "$build" -j"$(nproc)" --target varnctl >"$build/varnctl.build.log" 2>&1; then
  grep -E "error|FAILED" "$build/varnctl.build.log" || tail -20 "$build/varnctl.build.log"
  exit 1
fi

state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
varnctl() {
  echo
  echo "\$ varnctl $*"
  "$build/tools/varnctl/varnctl" --state "$state" "$@"
}

echo "=== a session on the default virtual card (state in $state)"
varnctl info
# The bar is drawn on standard error even when that is not a terminal.
varnctl scan --progress=bar
varnctl channels
varnctl source Tuner
varnctl tune 1
varnctl info
