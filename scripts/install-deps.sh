#!/usr/bin/env bash
# Installs the Debian packages the build, the tests or the benchmarks need,
# skipping what is already there. Usage: install-deps.sh [test|bench|run|check]
# (check: only what the format and layering checks need).
set -euo pipefail
what=${1:-test}

packages=(build-essential cmake pkg-config libgtest-dev libgmock-dev clang-format
          libfreetype-dev libpng-dev fonts-wqy-zenhei libsdl2-dev libxtst-dev xvfb xauth
          gpsd-clients python3)
case "$what" in
  bench) packages+=(libbenchmark-dev libproj-dev proj-bin libgeographiclib-dev geographiclib-tools) ;;
  run) ;;
  # The test build compiles the benchmarks as well.
  test) packages+=(libbenchmark-dev libproj-dev libgeographiclib-dev) ;;
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
