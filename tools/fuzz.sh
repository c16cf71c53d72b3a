#!/usr/bin/env bash
# Builds the readers' fuzz targets with clang (libFuzzer, address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs each for the given number of seconds, starting from its
# corpus under fuzz/corpus/ and splicing in the pieces of fuzz/kotohana.dict. Fails when a
# target crashes; the input that made it crash is kept under build-fuzz/crashes/<target>/.
#
# The corpus is kept in the repository: the inputs of a run that reach code no input of the
# corpus reached are merged into fuzz/corpus/<target>/ (named by their SHA-1), so that the next
# run, a developer's or CI's, starts from what this one found. Commit them.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
targets="listformat playrecordfile settings history"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOTOHANA_FUZZ=ON -DKOTOHANA_WERROR=ON
build_targets=()
for t in $targets; do build_targets+=(--target "fuzz_$t"); done
cmake --build build-fuzz -j"$(nproc)" "${build_targets[@]}"

export LANG=C.UTF-8 LC_ALL=C.UTF-8
crashed=""
for t in $targets; do
  work=build-fuzz/run/$t
  crashes=build-fuzz/crashes/$t
  rm -rf "$work"
  mkdir -p "$work/corpus" "$crashes"
  cp fuzz/corpus/"$t"/* "$work/corpus/"
  echo "== fuzz_$t for $seconds s"
  # An input that takes more than 30 s is a finding too: a reader that hangs.
  if ./build-fuzz/fuzz/fuzz_"$t" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 -dict=fuzz/kotohana.dict \
       -artifact_prefix="$crashes/" "$work/corpus" >"$work/log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' "$work/log" || true
  else
    tail -n 60 "$work/log"
    crashed="$crashed fuzz_$t"
  fi
  # What the run found is kept even when it stopped on a crash (the crashing input is not
  # among it); a merge that fails says so.
  before=$(find fuzz/corpus/"$t" -type f | wc -l)
  if ! ./build-fuzz/fuzz/fuzz_"$t" -merge=1 -timeout=30 fuzz/corpus/"$t" "$work/corpus" >"$work/merge.log" 2>&1; then
    echo "fuzz/corpus/$t: the merge failed, see $work/merge.log" >&2
  fi
  echo "fuzz/corpus/$t: $(( $(find fuzz/corpus/"$t" -type f | wc -l) - before )) new inputs kept"
done
if [ -n "$crashed" ]; then
  echo "crashed:$crashed (inputs under build-fuzz/crashes/)" >&2
  exit 1
fi
