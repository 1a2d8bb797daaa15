#!/usr/bin/env bash
# Builds the presets named in CMakePresets.json: by default the shipped
# program (win: build/win/KESTRANE.exe, with the tests' Windows programs);
# `make test` adds the checks' builds, which need the test packages
# (native: the portable core with its unit tests and the fuzzer, and tidy,
# which is only configured: clang-tidy reads its compile database). Configures a build folder when it has none yet or when
# CMakePresets.json has changed since; after that the build itself re-runs
# CMake when a CMake file changes, so a second run is silent. With --quiet
# the build's output is shown only when it fails.
#
#   build.sh [--quiet] [preset...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}

quiet=false
if [ "${1:-}" = "--quiet" ]; then
  quiet=true
  shift
fi
presets=(win)
if [ $# -gt 0 ]; then presets=("$@"); fi

# Configures a build (a preset in CMakePresets.json), showing CMake's
# report only when it fails.
configure() {
  local preset=$1 out
  [ "build/$preset/CMakeCache.txt" -nt CMakePresets.json ] && return 0
  if ! out=$(cmake --preset "$preset" 2>&1); then
    echo "$out"
    return 1
  fi
}

steps() {
  for preset in "${presets[@]}"; do
    configure "$preset"
    if [ "$preset" != tidy ]; then
      cmake --build --preset "$preset" -j"$jobs"
    fi
  done
}

if $quiet; then
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
