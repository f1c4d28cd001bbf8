#!/usr/bin/env bash
# Start-up time and memory of the game in each of its languages, side by side in one run: the
# starts take turns (fi, sv, en, fi, ...) on one private Xvfb display at 96 dpi, each from the
# installation-set folder with a fresh XDG sandbox. Prints the median time from process start
# to the first painted window and the median resident memory a second after it, each beside
# Finnish's, and the size of the installation set's ZIP. Prints figures only.
#   bench/languages.sh [BUILD_DIR] [STARTS]
set -euo pipefail
build=${1:-build}
starts=${2:-15}
set_dir=$(cd "$build/vuska122" && pwd)
[ -x "$set_dir/vuska.exe" ] || { echo "no $set_dir/vuska.exe: build first" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }

sbx=$(mktemp -d)
for d in $(seq 150 179); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null || true; rm -rf "$sbx"' EXIT
export DISPLAY=:$d QT_QPA_PLATFORM=xcb LANG=C.UTF-8
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$d ] && break; sleep 0.1; done
sleep 0.3

languages=(fi sv en)
declare -A times memory
for i in $(seq "$starts"); do
  for language in "${languages[@]}"; do
    rm -rf "$sbx/home"; mkdir -p "$sbx/home/config" "$sbx/home/run"; chmod 700 "$sbx/home/run"
    report=$sbx/report; rm -f "$report"
    t0=$(date +%s%N)
    HOME=$sbx/home XDG_CONFIG_HOME=$sbx/home/config XDG_DATA_HOME=$sbx/home/data XDG_RUNTIME_DIR=$sbx/home/run \
      LANGUAGE=$language VUSKA_STARTUP_REPORT=$report "$set_dir/vuska.exe" & pid=$!
    for _ in $(seq 200); do [ -s "$report" ] && break; sleep 0.02; done
    t1=$(cat "$report" 2>/dev/null || echo "$t0")
    sleep 1
    times[$language]+="$(( (t1 - t0) / 1000 )) "
    memory[$language]+="$(awk '/^VmRSS/ {print $2}' /proc/$pid/status) "
    kill -9 $pid; wait $pid 2>/dev/null || true
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
t_fi=$(median <<<"${times[fi]}") m_fi=$(median <<<"${memory[fi]}")
echo "The game (vuska.exe) in each language, $starts starts each, taking turns:"
printf '%-9s %22s %10s %20s %10s\n' language "start-up, median (ms)" "vs fi" "memory, median (MB)" "vs fi"
for language in "${languages[@]}"; do
  t=$(median <<<"${times[$language]}") m=$(median <<<"${memory[$language]}")
  awk -v l="$language" -v t="$t" -v tf="$t_fi" -v m="$m" -v mf="$m_fi" \
    'BEGIN { printf "%-9s %22.1f %+9.1f%% %20.1f %+9.1f%%\n", l, t / 1000, (t - tf) * 100 / tf, m / 1024, (m - mf) * 100 / mf }'
done
zip=$set_dir.zip
[ -f "$zip" ] && echo "installation set ZIP: $(stat -c %s "$zip") bytes ($(unzip -l "$zip" | tail -1 | awk '{print $2}') files)"
