#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a set time each and sums
# up what they did. Usage: run-fuzzers.sh [build-dir] [seconds-per-target]
#
# Each target starts from its seed corpus (fuzz/<topic>/corpus), the inputs
# of faults found before (fuzz/<topic>/regressions) and the extra seeds its
# CMakeLists names (the real captures in tests/data, listed by the build in
# fuzz_<topic>.seeds, as the replay test of `make test` uses them); what it learns
# stays in <build-dir>/corpus/<topic>, so a second run goes on from there.
# The captures are cut into pieces at line ends and those targets kept to
# inputs of a piece's size: seeded whole, the largest capture set the input
# limit, and every mutation of it decoded 180 KB for a change in one line.
# An input that crashes, leaks or hangs is copied to fuzz/<topic>/regressions,
# where the replay test of `make test` runs it from then on, and the run
# fails.
set -uo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/fuzz}
seconds=${2:-60}
# A few dozen sentences: enough for a receiver's whole epoch, its logs and a
# sounder's telegrams, little enough that each execution stays cheap.
piece_bytes=4096

status=0
summary=()
targets=$(find "$dir/fuzzers" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
[ -n "$targets" ] || { echo "no fuzz targets built in $dir/fuzzers"; exit 1; }
for exe in $targets; do
  topic=${exe##*/fuzz_}
  src=fuzz/$topic
  work=$dir/corpus/$topic
  artifacts=$dir/artifacts/$topic/
  log=$dir/logs/$topic.log
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  rm -f "$artifacts"*
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$artifacts")
  [ -f "$src/$topic.dict" ] && args+=(-dict="$src/$topic.dict")
  inputs=("$work" "$src/corpus")
  [ -d "$src/regressions" ] && inputs+=("$src/regressions")
  # libFuzzer reads folders of inputs, so the listed seed files go, in
  # pieces, into one of their own.
  if [ -s "$exe.seeds" ]; then
    seeds=$dir/seeds/$topic
    rm -rf "$seeds" && mkdir -p "$seeds"
    while IFS= read -r seed; do
      [ -n "$seed" ] || continue
      find "$seed" -type f | while IFS= read -r file; do
        split -C "$piece_bytes" -d -a 4 "$file" "$seeds/$(basename "$file")."
      done
    done <"$exe.seeds"
    inputs+=("$seeds")
    args+=(-max_len="$piece_bytes")
  fi
  echo "== fuzz_$topic for ${seconds}s (log: $log)"
  "$exe" "${args[@]}" "${inputs[@]}" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  found=$(find "$artifacts" -maxdepth 1 -type f | sort)
  line="fuzz_$topic: ${runs:-?} executions, ${coverage:-cov: ?}, corpus $(ls "$work" | wc -l) files"
  if [ -n "$found" ]; then
    mkdir -p "$src/regressions"
    for f in $found; do cp "$f" "$src/regressions/"; done
    line+=", FOUND: $(echo "$found" | xargs -n1 basename | tr '\n' ' ')-> $src/regressions/"
    grep -m1 -E 'ERROR: |runtime error:' "$log" | sed 's/^/    /'
    status=1
  elif [ $rc -ne 0 ]; then
    line+=", libFuzzer failed (exit $rc), see $log"
    tail -20 "$log"
    status=1
  fi
  summary+=("$line")
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
