#!/usr/bin/env bash
# make run: the program on a device root in the checkout (run/device, laid
# out as a fresh handheld on first use), talking to the receiver simulator
# through a pseudo-terminal as COM1 and to the echo-sounder simulator (type
# 0) as COM2.
#
# A first use lays the default job out by a short headless start of the
# program itself, then sets the job's SoundPort to 2 in its .ini: the
# program writes every other value as it always does.
#
# With a display the screen shows in a window; without one (or with
# HEADLESS=1) the program runs headless, keeps run/snapshots/latest.png up
# to date and, when standard input is a terminal, takes script lines from
# it (Ctrl-D ends the run); headless, script lines piped in or redirected
# from a file are taken too. Ending either program ends the other.
#
# SCALE=N (make run SCALE=N) shows each screen pixel as N x N in the window;
# by default the window is as large as fits the display.
#
# GNSS_SIM_ARGS adds options to the receiver simulator's command line
# (GNSS_SIM_ARGS="--rate 5 --refstation"; quorvel-gnss-sim --help lists them).
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
  cmake --build "$build" -j "$(nproc)" --target quorvel quorvel-gnss-sim quorvel-sounder-sim
fi

mkdir -p "$run_dir"
# Starts a simulator in the background; its terminal's path (its first
# output line) goes to the variable named by $1, its process id to $2.
start_sim() {
  local path_var=$1 pid_var=$2 out=$run_dir/$3.out program=$4
  shift 4
  "$build"/sim/"$program" "$@" >"$out" &
  local pid=$! path=""
  for _ in $(seq 100); do
    path=$(head -n 1 "$out" 2>/dev/null || true)
    [ -n "$path" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  printf -v "$path_var" '%s' "$path"
  printf -v "$pid_var" '%s' "$pid"
}
read -r -a gnss_sim_args <<<"${GNSS_SIM_ARGS:-}"
start_sim pty sim_pid gnss-sim quorvel-gnss-sim "${gnss_sim_args[@]}"
start_sim sounder_pty sounder_pid sounder-sim quorvel-sounder-sim --type 0
if [ -z "$pty" ] || [ -z "$sounder_pty" ]; then
  echo "run: a simulator did not start" >&2
  kill "$sim_pid" "$sounder_pid" 2>/dev/null || true
  exit 1
fi
echo "run: receiver simulator on $pty (COM1), echo sounder on $sounder_pty (COM2)"

ports=(--port "COM1=$pty" --port "COM2=$sounder_pty")
ini=$run_dir/device/Flash\ Disk/Jobs/ruvo/ruvo.ini
if [ ! -e "$run_dir/device" ]; then
  printf 'expect "Quorvel<ruvo.dat>"\n' >"$run_dir/layout.script"
  if "$build"/launcher/quorvel --root "$run_dir/device" "${ports[@]}" \
      --script "$run_dir/layout.script" >/dev/null && [ -f "$ini" ]; then
    sed -i 's/^SoundPort=[0-9]*\r$/SoundPort=2\r/' "$ini"
  else
    echo "run: the first start did not lay the job out; SoundPort stays as it is" >&2
  fi
fi

# The snapshot folder matters only headless, also when a window cannot be made.
args=(--root "$run_dir/device" "${ports[@]}" --snapshots "$run_dir/snapshots")
[ -n "${SCALE:-}" ] && args+=(--scale "$SCALE")
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
trap 'stopping=1; kill -TERM "$quorvel_pid" "$sim_pid" "$sounder_pid" 2>/dev/null || true' INT TERM

status=0
wait -n "$quorvel_pid" "$sim_pid" || true
if [ "$stopping" = 0 ] && kill -0 "$quorvel_pid" 2>/dev/null; then
  echo "run: the receiver simulator ended; ending the program" >&2
  kill -TERM "$quorvel_pid" 2>/dev/null || true
fi
wait "$quorvel_pid" || status=$?
kill -TERM "$sim_pid" "$sounder_pid" 2>/dev/null || true
wait "$sim_pid" "$sounder_pid" 2>/dev/null || true
exit "$status"
