#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for SECONDS (default 60) each, one
# after the other, seeded from its committed corpus (fuzz/corpus/TARGET, only
# read) and its dictionary; what it finds new goes to build/fuzz/found/TARGET,
# emptied first, and a crashing input to build/fuzz/crashes. Prints each
# target's executions per second and coverage; fails when any target crashed.
set -uo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
# A smaller quarantine than the default 256 MiB, with which a target's memory
# grew to near 1 GiB in its first minute, on its way to libFuzzer's 2 GiB limit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

mkdir -p "$build/crashes" "$build/logs"
failed=()
summary=()
for program in "$build"/fuzz/fuzz_*; do
  [[ -f $program && -x $program ]] || continue
  target=${program##*/fuzz_}
  found=$build/found/$target
  rm -rf "$found" && mkdir -p "$found"
  dict=()
  [[ -e $root/fuzz/$target.dict ]] && dict=(-dict="$root/fuzz/$target.dict")
  log=$build/logs/$target.log
  echo "== $target: ${seconds}s"
  "$program" "${dict[@]}" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$target-" "$found" "$root/fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  # The last status line: "#RUNS  DONE  cov: N ft: N corp: N/Nb ... exec/s: N ...".
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log" | tail -1)
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
  corp=$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$last")
  rate=$(sed -nE 's/.* exec\/s: ([0-9]+).*/\1/p' <<<"$last")
  summary+=("$(printf '%-22s %10s runs %8s exec/s  cov: %-6s ft: %-6s corpus: %s' "$target" "${runs:-?}" "$rate" "${cov:-?}" "${ft:-?}" "${corp:-?}")")
  if [[ $status -ne 0 ]]; then
    failed+=("$target")
    echo "!! $target failed ($status); its log: $log"
    grep -E 'ERROR|broken:|runtime error|artifact' "$log" | head -5
  fi
done
echo
printf '%s\n' "${summary[@]}"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "crashed: ${failed[*]} (inputs in $build/crashes)"
  exit 1
fi
echo "no target crashed"
