#!/usr/bin/env bash
# The project's test command: builds every build and runs every suite, then
# prints a total with each stage's time.
#   native    the portable code's tests (GoogleTest/CTest)
#   sanitize  the same tests under AddressSanitizer and UBSan
#   fuzz      the fuzz targets, each for a bounded time
#   windows   the 32-bit Windows build (the product's first platform): built,
#             and its deliverables checked as files
#   win64     the 64-bit Windows build: built, its deliverables checked as
#             files, and every Windows test program run under 64-bit Wine
#   win32     every Windows test program of the 32-bit build run under 32-bit
#             Wine in an emulated x86 machine (scripts/win32-vm; its guest is
#             built once and cached). TOLVEN_WIN32_VM=skip leaves it out
#             without failing the total; a guest that cannot be built fails it.
# Usage: scripts/test.sh [stage ...]   (default: all of them, in that order)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(native sanitize fuzz windows win64 win32)
jobs=$(nproc)
summary=()
failed=0
artifacts=build/artifacts
test_started=$(date +%s)

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

# The Windows test programs under Wine, one at a time (they share the
# prefix's registry and kernel service). Every program's full output goes to
# the log; the terminal shows each program's result, every failure and every
# skipped case with its reason. The total counts programs and their cases.
run_wine() {  # stage, build dir, architecture name
  local stage=$1 dir=$2 arch=$3
  local log=$dir/wine.log
  ctest --test-dir "$dir" -L wine -j1 -V >"$log" 2>&1
  report_wine "$stage" "$log" "$arch" $?
}

# Prints and totals a log in the form of `ctest -V` output (CTest's own, or
# the one scripts/win32-vm/run writes).
report_wine() {  # stage, log, architecture name, exit status of the run
  local stage=$1 log=$2 arch=$3 rc=$4
  grep -E "Test +#[0-9]+: |\[  (FAILED  |SKIPPED )\] [A-Za-z].*\([0-9]+ ms\)$|: Failure$" "$log" | sed -E 's/^[0-9]+: //'
  grep -E -A1 ": Skipped$" "$log" | grep -vE ": Skipped$|^--$" | sed -E 's/^[0-9]+: /    skipped because: /'
  local programs cases skipped failures
  programs=$(grep -E "tests passed" "$log" | tail -1)
  cases=$(grep -E "^[0-9]+: \[  PASSED  \] [0-9]+ test" "$log" | sed -E 's/.*PASSED  \] ([0-9]+) .*/\1/' | awk '{n += $1} END {print n + 0}')
  skipped=$(grep -cE "^[0-9]+: \[  SKIPPED \] [A-Za-z].*\([0-9]+ ms\)$" "$log" || true)
  failures=$(grep -cE "^[0-9]+: \[  FAILED  \] [A-Za-z].*\([0-9]+ ms\)$" "$log" || true)
  summary+=("$(printf '%-9s Wine (%s): %s; cases: %s passed, %s failed, %s skipped' "$stage" "$arch" \
    "${programs:-no result}" "${cases:-0}" "$failures" "$skipped")")
  echo "full output of every Windows test program: $log"
  [ "$rc" -eq 0 ] || failed=1
}

# Screenshots the Windows test programs leave beside themselves, kept as
# build artifacts named by architecture.
keep_screenshots() {  # folder of the .bmp files, architecture name
  local dir=$1 arch=$2 shot name
  mkdir -p "$artifacts/screenshots"
  for shot in "$dir"/*.bmp; do
    [ -e "$shot" ] || continue
    name=$(basename "$shot" .bmp)
    convert "$shot" "$artifacts/screenshots/$name-$arch.png" && echo "screenshot: $artifacts/screenshots/$name-$arch.png"
  done
}

# Every Windows test program's result on both architectures, side by side,
# from the logs of the win64 and win32 stages (a log left by an earlier
# invocation is marked so).
compare_wine() {
  local x64=build/win64/wine.log x86=build/windows/win32-vm.log
  [ -f $x64 ] || [ -f $x86 ] || return 0
  local label64=x64 label86=x86
  [ -f $x64 ] && [ "$(stat -c %Y $x64)" -lt "$test_started" ] && label64="x64 (earlier run)"
  [ -f $x86 ] && [ "$(stat -c %Y $x86)" -lt "$test_started" ] && label86="x86 (earlier run)"
  echo
  echo "=== Windows test programs: x64 (64-bit Wine) and x86 (32-bit Wine in the emulated machine)"
  awk -v l64="$label64" -v l86="$label86" '
    function verdict(line,   v, t) {
      v = line; sub(/^.*Test +#[0-9]+: [^ ]+ \.* */, "", v)
      t = v; sub(/ sec.*$/, "", t); sub(/^.* /, "", t)
      sub(/ +[0-9.]+ sec.*$/, "", v); sub(/^\*\*\*/, "", v)
      return sprintf("%s %6.1f s", v, t)
    }
    /Test +#[0-9]+: / {
      name = $0; sub(/^.*Test +#[0-9]+: /, "", name); sub(/ .*$/, "", name)
      if (name ~ /^wine\.prefix\./) next
      if (!(name in seen)) { seen[name] = 1; order[++n] = name }
      result[FILENAME == x64file ? "x64" : "x86", name] = verdict($0)
    }
    END {
      printf "%-28s %-24s %s\n", "program", l64, l86
      for (i = 1; i <= n; i++) {
        a = result["x64", order[i]]; b = result["x86", order[i]]
        printf "%-28s %-24s %s\n", order[i], a == "" ? "not run" : a, b == "" ? "not run" : b
      }
    }' x64file=$x64 $( [ -f $x64 ] && echo $x64 ) $( [ -f $x86 ] && echo $x86 )
}

# The channels varnctl.exe listed under Wine after a scan of the default
# virtual card (left beside the Windows test program) against what the
# native varnctl lists after the same scan: the same card, the same channels.
compare_channels() {  # stage, Windows build dir, architecture name
  local stage=$1 json=$2/bin/varnctl-channels.json arch=$3 native=build/native/tools/varnctl/varnctl
  if [ ! -f "$json" ] || [ ! -x "$native" ]; then
    summary+=("$(printf '%-9s varnctl channels (%s against native): not compared, %s missing' "$stage" "$arch" \
      "$([ -f "$json" ] && echo "$native (stage native)" || echo "$json")")")
    return
  fi
  local state
  state=$(mktemp -d)
  "$native" --state "$state" scan --progress=none >/dev/null 2>&1
  "$native" --state "$state" --json channels >"$state/native.json" 2>/dev/null
  if tr -d '\r' <"$json" | diff - "$state/native.json" >"$state/diff"; then
    summary+=("$(printf '%-9s varnctl --json channels: the same under Wine (%s) as natively (%s channels)' "$stage" "$arch" \
      "$(grep -c '"index"' "$state/native.json")")")
  else
    echo "varnctl --json channels differs between Wine ($arch, <) and native (>):"; cat "$state/diff"
    summary+=("$(printf '%-9s varnctl --json channels: DIFFERENT under Wine (%s) and natively' "$stage" "$arch")")
    failed=1
  fi
  rm -rf "$state"
}

configure_and_build() {  # stage, dir, target, cmake args...
  local stage=$1 dir=$2 target=$3; shift 3
  echo "=== $stage: building in $dir"
  if ! cmake -S . -B "$dir" -G Ninja -DTOLVEN_WERROR=ON "$@" >"$dir.configure.log" 2>&1; then
    mkdir -p "$dir"; cat "$dir.configure.log"; summary+=("$(printf '%-9s configure FAILED' "$stage")"); failed=1; return 1
  fi
  # Warnings are errors; a failure shows each failed file's full diagnostics,
  # the source file they arose in included.
  if ! cmake --build "$dir" -j"$jobs" --target "$target" >"$dir.build.log" 2>&1; then
    grep -E -A60 "^FAILED: " "$dir.build.log" | grep -vE "^\[[0-9]+/[0-9]+\] " | head -300
    echo "full build log: $dir.build.log"
    summary+=("$(printf '%-9s build FAILED' "$stage")"); failed=1; return 1
  fi
}

deliverables="tolvenu.dll tolvenk.sys Viewer.exe ardensetup.dll ardenremove.dll tolvenskin.dll setup.exe"

mkdir -p build
for stage in "${stages[@]}"; do
  started=$SECONDS
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
    # No machine here executes 32-bit code: the 32-bit build is built and
    # checked as files here; stage win32 runs its test programs.
    if configure_and_build windows build/windows all -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release; then
      echo "deliverables (x86): $(cd build/windows/bin && ls $deliverables | tr '\n' ' ')"
      run_ctest windows build/windows -LE wine
      summary+=("$(printf '%-9s 32-bit Windows test programs built; stage win32 runs them' windows)")
    fi ;;
  win64)
    if configure_and_build win64 build/win64 all -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release; then
      echo "deliverables (x64): $(cd build/win64/bin && ls $deliverables | tr '\n' ' ')"
      run_ctest win64 build/win64 -LE wine
      if [ -x /usr/lib/wine/wine64 ]; then
        rm -f build/win64/bin/*.bmp
        rm -f build/win64/bin/varnctl-channels.json
        run_wine win64 build/win64 x64
        keep_screenshots build/win64/bin x64
        compare_channels win64 build/win64 x64
      else
        summary+=("$(printf '%-9s 64-bit Wine is not installed (scripts/setup.sh installs it): the Windows test programs did NOT run' win64)")
        failed=1
      fi
    fi ;;
  win32)
    # This machine cannot execute 32-bit code: the programs run in an
    # emulated x86 machine whose kernel can (scripts/win32-vm).
    if [ "${TOLVEN_WIN32_VM:-}" = skip ]; then
      summary+=("$(printf '%-9s NOT RUN: TOLVEN_WIN32_VM=skip (the 32-bit Windows test programs were not run)' win32)")
    elif configure_and_build win32 build/windows all -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release; then
      scripts/win32-vm/run build/windows
      rc=$?
      case $rc in
      0|1)
        report_wine win32 build/windows/win32-vm.log x86 $rc
        keep_screenshots build/windows/win32-vm/bin x86
        compare_channels win32 build/windows/win32-vm x86 ;;
      3)
        summary+=("$(printf '%-9s NOT RUN: the 32-bit guest cannot be built, the Debian mirror cannot be reached (TOLVEN_WIN32_VM=skip to leave it out)' win32)")
        failed=1 ;;
      *)
        summary+=("$(printf '%-9s NOT RUN: the 32-bit guest did not run the programs (see build/windows/win32-vm/console.log)' win32)")
        failed=1 ;;
      esac
    fi ;;
  *)
    echo "unknown stage: $stage (native, sanitize, fuzz, windows, win64, win32)" >&2; exit 2 ;;
  esac
  summary+=("$(printf '%-9s took %dm%02ds' "$stage" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)))")
done

echo
echo "=== Total"
for line in "${summary[@]}"; do echo "$line"; done
compare_wine
if [ $failed -eq 0 ]; then echo "ALL SUITES PASSED"; else echo "SOME SUITES FAILED"; fi
exit $failed
