#!/usr/bin/env bash
# The project's test command: builds both builds and runs every suite —
# native tests, the same tests under AddressSanitizer+UBSan, the fuzz targets
# for a bounded time, and the Windows test programs under 32-bit Wine —
# then prints a total. Usage: scripts/test.sh [native|sanitize|fuzz|windows ...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(native sanitize fuzz windows)
jobs=$(nproc)
summary=()
failed=0

record() {  # stage, ctest log
  local stage=$1 log=$2 line
  line=$(grep -E "tests passed|No tests were found" "$log" | tail -1)
  local skipped
  skipped=$(grep -cE "\(Skipped\)|\*\*\*Skipped" "$log" || true)
  summary+=("$(printf '%-9s %s%s' "$stage" "${line:-no result}" "$([ "$skipped" -gt 0 ] && echo ", $skipped skipped")")")
}

run_ctest() {  # stage, build dir, extra ctest args...
  local stage=$1 dir=$2; shift 2
  local log=$dir/ctest.log
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure "$@" 2>&1 | tee "$log" | grep -vE "^ +Start |Test +#[0-9]+: .* Passed" 
  local rc=${PIPESTATUS[0]}
  record "$stage" "$log"
  [ "$rc" -eq 0 ] || failed=1
}

configure_and_build() {  # stage, dir, target, cmake args...
  local stage=$1 dir=$2 target=$3; shift 3
  echo "=== $stage: building in $dir"
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
    mkdir -p "$dir"; cat "$dir.configure.log"; summary+=("$(printf '%-9s configure FAILED' "$stage")"); failed=1; return 1
  fi
  if ! cmake --build "$dir" -j"$jobs" --target "$target" 2>&1 | grep -E "error|FAILED|warning: " ; then :; fi
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then
    summary+=("$(printf '%-9s build FAILED' "$stage")"); failed=1; return 1
  fi
}

mkdir -p build
for stage in "${stages[@]}"; do
  case $stage in
  native)
    configure_and_build native build/native all -DCMAKE_BUILD_TYPE=Debug && run_ctest native build/native ;;
  sanitize)
    configure_and_build sanitize build/sanitize all -DCMAKE_BUILD_TYPE=Debug -DTOLVEN_SANITIZE=ON &&
      ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize build/sanitize ;;
  fuzz)
    CC=clang CXX=clang++ configure_and_build fuzz build/fuzz fuzzers -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVEN_FUZZ=ON &&
      run_ctest fuzz build/fuzz -L fuzz ;;
  windows)
    configure_and_build windows build/windows all -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release || continue
    echo "deliverables: $(cd build/windows/bin && ls tolvenu.dll tolvenk.sys Viewer.exe ardensetup.dll ardenremove.dll | tr '\n' ' ')"
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
      run_ctest windows build/windows -LE wine
      # The Wine programs have not yet been seen to run (they were written on
      # machines that cannot execute 32-bit code). Their results are shown in
      # full, but only gate the total once TOLVEN_WINE_GATING=1 says they have.
      gating_before=$failed
      run_ctest wine build/windows -L wine -j1
      if [ "${TOLVEN_WINE_GATING:-0}" != 1 ] && [ $failed -ne $gating_before ]; then
        failed=$gating_before
        summary+=("$(printf '%-9s the Wine results above do not gate yet (set TOLVEN_WINE_GATING=1 to make them)' '')")
      fi
    else
      # Machines that run 64-bit user code only cannot start 32-bit Wine;
      # the checks that need no Wine still run.
      run_ctest windows build/windows -LE wine
      summary+=("$(printf '%-9s Wine test programs built but NOT RUN: this machine cannot execute 32-bit code' '')")
    fi ;;
  *)
    echo "unknown stage: $stage (native, sanitize, fuzz, windows)" >&2; exit 2 ;;
  esac
done

echo
echo "=== Total"
for line in "${summary[@]}"; do echo "$line"; done
if [ $failed -eq 0 ]; then echo "ALL SUITES PASSED"; else echo "SOME SUITES FAILED"; fi
exit $failed
