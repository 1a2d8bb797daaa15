#!/usr/bin/env bash
# Builds the shipped program (build/win/KESTRANE.exe) and the native core
# with its tests: the two builds named in CMakePresets.json. Configures each
# build folder only when it has none yet; after that the build itself
# re-runs CMake when a CMake file changes, so a second run is silent. With --quiet the build's output is shown only when
# it fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}

# Configures a build (a preset in CMakePresets.json) whose folder has none
# yet, showing CMake's report only when it fails.
configure() {
  local preset=$1 out
  [ -f "build/$preset/CMakeCache.txt" ] && return 0
  if ! out=$(cmake --preset "$preset" 2>&1); then
    echo "$out"
    return 1
  fi
}

# The Windows build first: the native build's tests run what it made.
steps() {
  for preset in win native; do
    configure "$preset"
    cmake --build --preset "$preset" -j"$jobs"
  done
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
