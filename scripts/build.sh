#!/usr/bin/env bash
# Builds the shipped program (build/win/KESTRANE.exe) and the native core
# with its tests. Configures each build folder only when it has none yet;
# after that the build itself re-runs CMake when a CMake file changes, so a
# second run is silent. With --quiet the build's output is shown only when
# it fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}
win=build/win
native=build/native

# Configures a build folder that has none yet, showing CMake's report
# only when it fails.
configure() {
  local folder=$1 out
  shift
  [ -f "$folder/CMakeCache.txt" ] && return 0
  if ! out=$(cmake -S . -B "$folder" "$@" 2>&1); then
    echo "$out"
    return 1
  fi
}

steps() {
  configure "$win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  cmake --build "$win" -j"$jobs"
  configure "$native" -DCMAKE_BUILD_TYPE=Debug -DKESTRANE_WIN_BUILD_DIR="$root/$win"
  cmake --build "$native" -j"$jobs"
}

if [ "${1:-}" = "--quiet" ]; then
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  echo "Building KESTRANE (the build's output shows only if it fails) ..."
  if ! steps >"$log" 2>&1; then
    cat "$log"
    echo "The build failed." >&2
    exit 1
  fi
else
  steps
fi
