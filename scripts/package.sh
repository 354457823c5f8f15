#!/bin/sh
# Makes the two Windows packages, dist/caldra-one-<version>-x86.zip and
# -x64.zip, from the 32-bit (build/windows) and 64-bit (build/win64) builds,
# building what they need first, and checks each zip.
# PACKAGE_BUILD_X86 / PACKAGE_BUILD_X64 name other build folders.
set -eu
cd "$(dirname "$0")/.."

# The one version: the project's, which the version resources carry too.
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
jobs=${JOBS:-2}
targets="setup_exe tolvenu tolvenk Viewer ardensetup ardenremove tolvenskin default_skins"

package() {  # architecture, build folder, toolchain file
  arch=$1 dir=$2 toolchain=$3
  if [ ! -f "$dir/build.ninja" ]; then
    echo "configuring $dir"
    cmake -S . -B "$dir" -G Ninja -DTOLVEN_WERROR=ON -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release >"$dir.configure.log" 2>&1 ||
      { echo "package.sh: configuring $dir failed, see $dir.configure.log" >&2; exit 1; }
  fi
  echo "building $dir"
  # shellcheck disable=SC2086
  cmake --build "$dir" -j"$jobs" --target $targets >"$dir.package.log" 2>&1 ||
    { echo "package.sh: building $dir failed, see $dir.package.log" >&2; exit 1; }
  zip="dist/caldra-one-$version-$arch.zip"
  rm -f "$zip"
  python3 scripts/package.py make "$dir/bin" "$zip" "$arch" "$version"
  python3 scripts/package.py check "$zip" "$dir/bin" "$arch" "$version"
}

mkdir -p dist
package x86 "${PACKAGE_BUILD_X86:-build/windows}" cmake/mingw-i686.cmake
package x64 "${PACKAGE_BUILD_X64:-build/win64}" cmake/mingw-x86_64.cmake
ls -l dist/caldra-one-"$version"-x86.zip dist/caldra-one-"$version"-x64.zip
