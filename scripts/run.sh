#!/usr/bin/env bash
# The run command: shows the product. Sets the machine up, builds the 64-bit
# Windows deliverables, makes a fresh 64-bit Wine prefix, installs the card's
# software there with setup.exe /S, points the driver at the virtual card,
# finds its stations, and starts Viewer.exe.
#   - With a DISPLAY (a desktop), the viewer is left running for you; the
#     command ends when you close it.
#   - Without one, it runs under Xvfb: a short scripted session (channel up
#     twice, volume up, controls undocked and docked again) saves
#     screenshots to build/demo/ as PNG files, prints their paths and ends.
# Prints the time from the command's start to the first picture.
# Usage: scripts/run.sh      (the varnctl session: scripts/varnctl-session.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
began=$(date +%s.%N)
elapsed() { awk -v a="$began" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }

scripts/setup.sh --run
build=build/win64
mkdir -p "$build"
echo "=== building the 64-bit Windows deliverables in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  >"$build.run-configure.log" 2>&1 || { cat "$build.run-configure.log"; exit 1; }
targets=(Viewer tolvenu tolvenk tolvencard tolvenskin setup_exe ardensetup ardenremove default_skins viewer_demo)
if ! cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >"$build.run-build.log" 2>&1; then
  grep -E "error|FAILED" "$build.run-build.log" || tail -20 "$build.run-build.log"
  exit 1
fi

demo=$root/build/demo
prefix=$demo/wineprefix
rm -rf "$demo"
mkdir -p "$demo"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
# The virtual card's stations send on the United Kingdom's channels, so the
# Windows user of the demonstration is in the United Kingdom: setup lets the
# driver take its country (and so its channel plan) from the user's locale.
# (Set for Wine alone: the host need not have that locale installed.)
en_gb() { env LC_ALL=en_GB.UTF-8 "$@"; }
echo "=== a fresh 64-bit Wine prefix in $prefix"
en_gb scripts/wine-prefix start "$prefix" win64 >"$demo/prefix.log" 2>&1 || { cat "$demo/prefix.log"; exit 1; }
trap 'scripts/wine-prefix stop "$prefix" >/dev/null 2>&1 || true' EXIT
export WINEPREFIX=$prefix
bin=$root/$build/bin
winpath() { echo "Z:${1//\//\\}"; }

if [ $headless = 0 ]; then
  echo "=== installing (setup.exe /S), pointing the card at the virtual card, finding its stations"
  (cd "$bin" && en_gb "$root/scripts/wine-run" viewer_demo.exe --prepare)
  echo "=== Viewer.exe runs on your desktop ($(elapsed) s after the start); close it to end"
  en_gb "$root/scripts/wine-run" "C:\\Program Files\\Caldra One\\Viewer.exe"
  exit 0
fi

echo "=== headless: installing and playing a short session under Xvfb"
first=""
(cd "$bin" && en_gb "$root/scripts/wine-run" viewer_demo.exe "$(winpath "$demo")") 2>"$demo/demo-errors.log" |
  while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
      "viewer start"*) echo "$line"; echo "first picture $(elapsed) s after the run command started" ;;
      screenshot:*)
        bmp=$demo/$(basename "${line##*\\}")
        png=${bmp%.bmp}.png
        if convert "$bmp" "$png" 2>/dev/null; then rm -f "$bmp"; echo "screenshot: $png"; fi ;;
      *) echo "$line" ;;
    esac
  done
status=${PIPESTATUS[0]}
if [ "$status" != 0 ]; then
  cat "$demo/demo-errors.log" >&2
  echo "the session failed (status $status)" >&2
  exit 1
fi
echo "=== done in $(elapsed) s; screenshots in $demo"
