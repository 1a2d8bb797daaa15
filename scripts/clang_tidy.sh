#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over every source in src/ as the MinGW-w64
# build compiles it, from the compile database of the tidy preset
# (build/tidy): the Windows build's, without the precompiled header, which
# clang cannot read from GCC. clang is told the target, and the C++
# headers GCC's MinGW-w64 compiler uses, which it does not find in
# Debian's layout by itself. Exits non-zero on any finding.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}

# The C++ library's folders from the cross compiler's own search list.
cxx_folders=$(x86_64-w64-mingw32-g++ -x c++ -E -v /dev/null 2>&1 >/dev/null | grep '^ .*/include/c++')
extra=(-extra-arg=--target=x86_64-w64-mingw32 -extra-arg=-nostdinc++)
for folder in $cxx_folders; do
  extra+=(-extra-arg=-isystem"$folder")
done

run-clang-tidy-14 -quiet -j "$jobs" -p "$root/build/tidy" -clang-tidy-binary clang-tidy-14 \
  "${extra[@]}" "^$root/src/"
