#!/usr/bin/env bash
# Installs the Debian packages the build, the tests or the benchmarks need,
# skipping what is already there.
# Usage: install-deps.sh [test|bench|run|clang|fuzz|tsan|check]
# (check: only what the format and layering checks need).
set -euo pipefail
what=${1:-test}

packages=(build-essential cmake pkg-config libgtest-dev libgmock-dev clang-format
          libfreetype-dev libpng-dev fonts-wqy-zenhei fonts-arphic-uming fonts-liberation libsdl2-dev libxtst-dev xvfb xauth
          gpsd-clients python3)
# Debian's clang (14 on bookworm) keeps libFuzzer and the sanitizer run-times
# in the matching libclang-rt package.
clang_packages=(clang libclang-rt-14-dev)
bench_packages=(libbenchmark-dev libproj-dev proj-bin libgeographiclib-dev geographiclib-tools
                zlib1g-dev)
# Read by the tests only: another program's DXF reader for the drawings the
# conversion writes.
test_packages=(python3-ezdxf)
case "$what" in
  bench) packages+=("${bench_packages[@]}") ;;
  clang) packages+=("${clang_packages[@]}" "${bench_packages[@]}") ;;
  fuzz) packages+=("${clang_packages[@]}") ;;
  tsan) packages+=("${clang_packages[@]}" "${test_packages[@]}") ;;
  run) ;;
  # The test build compiles the benchmarks as well.
  test) packages+=("${bench_packages[@]}" "${test_packages[@]}") ;;
  check) packages=(clang-format python3 git) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
