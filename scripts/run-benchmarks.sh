#!/usr/bin/env bash
# Runs every benchmark program of a Release build directory.
set -euo pipefail
dir=${1:-build/bench}
found=0
for b in $(find "$dir/bench" -maxdepth 2 -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort); do
  found=1
  echo "== $b"
  "$b" --benchmark_min_time=0.2
done
[ $found -eq 1 ] || echo "no benchmarks built"
