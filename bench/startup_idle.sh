#!/usr/bin/env bash
# Start-up and idle figures of the game and of the installer, each started from the
# installation-set folder on a private Xvfb display with a fresh XDG sandbox, at 96 dpi and at
# 192 dpi (a 200 % desktop, announced as Xft.dpi), beside an empty Qt window of the game's size
# started the same way (bench_emptywindow, the floor any Qt program pays):
#   - time from process start to the first painted window (median of several starts),
#   - resident memory after start-up,
#   - processor time and voluntary context switches (wakeups) over 20 s of idling, the game
#     after its first deal, the installer on its first wizard page.
# Prints figures only; it never fails on a timing.
#   bench/startup_idle.sh [BUILD_DIR] [IDLE_SECONDS] [STARTS]
# It builds bench_emptywindow in BUILD_DIR when it is missing.
set -euo pipefail
build=${1:-build}
idle=${2:-20}
starts=${3:-7}
set_dir=$(cd "$build/vuska122" && pwd)
for exe in "$set_dir/vuska.exe" "$set_dir/setup.exe"; do
  [ -x "$exe" ] || { echo "no $exe: build first" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }
command -v xrdb >/dev/null || { echo "xrdb is missing (apt-get install x11-xserver-utils)" >&2; exit 1; }
floor=$build/bench/bench_emptywindow
[ -x "$floor" ] || cmake --build "$build" --target bench_emptywindow >/dev/null
floor=$(cd "$(dirname "$floor")" && pwd)/$(basename "$floor")

sbx=$(mktemp -d)
for d in $(seq 120 149); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 2560x1600x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 & xpid=$!
cleanup() { kill $xpid 2>/dev/null || true; rm -rf "$sbx"; }
trap cleanup EXIT
export DISPLAY=:$d QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$d ] && break; sleep 0.1; done
sleep 0.3

fresh_env() {
  rm -rf "$sbx/home"; mkdir -p "$sbx/home/config" "$sbx/home/run"; chmod 700 "$sbx/home/run"
  export HOME=$sbx/home XDG_CONFIG_HOME=$sbx/home/config XDG_DATA_HOME=$sbx/home/data XDG_RUNTIME_DIR=$sbx/home/run
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }

# measure EXE WHAT IDLE_WHERE: the figures of one program.
measure() {
  local exe=$1 what=$2 where=$3 times=() i t0 t1 pid sorted median rss hz c0 c1 w0 w1
  echo "$what:"
  for i in $(seq "$starts"); do
    fresh_env
    report=$sbx/report
    rm -f "$report"
    t0=$(date +%s%N)
    VUSKA_STARTUP_REPORT=$report "$exe" & pid=$!
    for _ in $(seq 100); do [ -s "$report" ] && break; sleep 0.05; done
    t1=$(cat "$report" 2>/dev/null || echo "$t0")
    times+=($(( (t1 - t0) / 1000 )))
    if [ "$i" -lt "$starts" ]; then kill -9 $pid; wait $pid 2>/dev/null || true; fi
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  median=${sorted[$(( ${#sorted[@]} / 2 ))]}
  awk -v m="$median" -v lo="${sorted[0]}" -v hi="${sorted[-1]}" -v n="$starts" \
    'BEGIN { printf "  start-up to first painted window: median %.1f ms (min %.1f, max %.1f, %d starts)\n", m / 1000, lo / 1000, hi / 1000, n }'

  sleep 1
  rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
  awk -v r="$rss" 'BEGIN { printf "  resident memory after start-up: %.1f MB\n", r / 1024 }'

  hz=$(getconf CLK_TCK)
  c0=$(cpu_ticks $pid); w0=$(wakeups $pid)
  sleep "$idle"
  c1=$(cpu_ticks $pid); w1=$(wakeups $pid)
  awk -v s="$idle" -v c=$(( c1 - c0 )) -v hz="$hz" -v w=$(( w1 - w0 )) -v where="$where" \
    'BEGIN { printf "  idle %d s %s: CPU time %.2f s (%.3f %% of a core), %d wakeups (voluntary context switches)\n", s, where, c / hz, c * 100 / hz / s, w }'
  kill -9 $pid; wait $pid 2>/dev/null || true
}

for dpi in 96 192; do
  echo "Xft.dpi: $dpi" | xrdb -merge
  echo "== at $dpi dpi (scale $(( dpi * 100 / 96 )) %) =="
  measure "$floor" "an empty Qt window (the floor)" "shown"
  measure "$set_dir/vuska.exe" "the game (vuska.exe)" "after the first deal"
  measure "$set_dir/setup.exe" "the installer (setup.exe)" "on the first wizard page"
done
