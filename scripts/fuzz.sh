#!/usr/bin/env bash
# Runs the fuzzer of the stored placement (tests/fuzz) from its seed corpus,
# with libFuzzer's own arguments: `make test` gives it -runs=N, `make fuzz`
# -max_total_time=S. What it learns goes to a working corpus, never to the
# seeds: build/fuzz/corpus, which long runs keep building on, or with
# --fresh one for this run only, so that each short run costs the same. An
# input that fails is written under build/fuzz/findings/ and named on the
# screen; add it to tests/fuzz/seeds/ with the fix of what it found.
#
#   fuzz.sh [--fresh] <libFuzzer argument>...
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$root/build/native/tests/fuzz/stored_placement_fuzz
work=$root/build/fuzz
corpus=$work/corpus
if [ "${1:-}" = "--fresh" ]; then
  shift
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
fi
findings=$work/findings
mkdir -p "$corpus" "$findings"

# Four stored numbers, a line each, are short: longer inputs only cost time.
"$fuzzer" -max_len=256 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$@" "$corpus" "$root/tests/fuzz/seeds"
