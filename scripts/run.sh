#!/usr/bin/env bash
# make run: the program on a device root in the checkout (run/device, laid
# out as a fresh handheld on first use), talking to the receiver simulator
# through a pseudo-terminal as COM1.
#
# With a display the screen shows in a window; without one (or with
# HEADLESS=1) the program runs headless, keeps run/snapshots/latest.png up
# to date and, when standard input is a terminal, takes script lines from
# it (Ctrl-D ends the run); headless, script lines piped in or redirected
# from a file are taken too. Ending either program ends the other.
#
# BUILD_DIR names an existing build whose programs run as they are (nothing
# is installed or built); RUN_DIR moves the device root, the snapshots and
# the simulator's output out of run/ (relative paths start at the checkout).
# The end-to-end tests use both.
set -euo pipefail
cd "$(dirname "$0")/.."

run_dir=${RUN_DIR:-run}
if [ -n "${BUILD_DIR:-}" ]; then
  build=$BUILD_DIR
else
  build=build/run
  scripts/install-deps.sh run
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF -DQUORVEL_TESTS=OFF \
    "${launcher[@]}" >/dev/null
  cmake --build "$build" -j "$(nproc)" --target quorvel quorvel-gnss-sim
fi

mkdir -p "$run_dir"
sim_out=$run_dir/gnss-sim.out
"$build"/sim/quorvel-gnss-sim >"$sim_out" &
sim_pid=$!
pty=""
for _ in $(seq 100); do
  pty=$(head -n 1 "$sim_out" 2>/dev/null || true)
  [ -n "$pty" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$pty" ]; then
  echo "run: the receiver simulator did not start" >&2
  kill "$sim_pid" 2>/dev/null || true
  exit 1
fi
echo "run: receiver simulator on $pty (COM1)"

# The snapshot folder matters only headless, also when a window cannot be made.
args=(--root "$run_dir/device" --port "COM1=$pty" --snapshots "$run_dir/snapshots")
if [ "${HEADLESS:-0}" = 1 ] || [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  args+=(--headless)
  if [ -t 0 ]; then
    args+=(--script -)
    echo "run: type script lines (key NAME, tap X Y, expect \"TEXT\" ...); Ctrl-D ends the run"
  elif [ -p /dev/stdin ] || [ -f /dev/stdin ]; then
    args+=(--script -)
  fi
fi

# An explicit redirection keeps the terminal as the background program's input.
"$build"/launcher/quorvel "${args[@]}" 0<&0 &
quorvel_pid=$!
stopping=0
trap 'stopping=1; kill -TERM "$quorvel_pid" "$sim_pid" 2>/dev/null || true' INT TERM

status=0
wait -n "$quorvel_pid" "$sim_pid" || true
if [ "$stopping" = 0 ] && kill -0 "$quorvel_pid" 2>/dev/null; then
  echo "run: the receiver simulator ended; ending the program" >&2
  kill -TERM "$quorvel_pid" 2>/dev/null || true
fi
wait "$quorvel_pid" || status=$?
kill -TERM "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
exit "$status"
