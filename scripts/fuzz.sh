#!/usr/bin/env bash
# Coverage-guided fuzzing of every reader with libFuzzer, under ASan + UBSan: builds build-fuzz/
# with clang, runs each target and prints "inputs, crashes, hangs". Exits 1 when an input crashed
# or hung; such inputs are kept in build-fuzz/findings/ and their logs named.
#   bash scripts/fuzz.sh [--quick] [--jobs N] [--seed N] [registry|picture|help|paths|desktop ...]
# Each target's corpus grows in build-fuzz/corpus/NAME and is read again by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
vuska_test_locale
quick=0; jobs=1; seed=20261207; targets=()
usage() { echo "usage: scripts/fuzz.sh [--quick] [--jobs N] [--seed N] [registry|picture|help|paths|desktop ...]" >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --jobs) [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]?$ ]] || usage; jobs=$2; shift ;;
    --seed) [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || usage; seed=$2; shift ;;
    registry|picture|help|paths|desktop) targets+=("$1") ;;
    *) usage ;;
  esac
  shift
done
[ ${#targets[@]} -gt 0 ] || targets=(registry picture help paths desktop)

bash scripts/deps.sh clang libclang-rt-14-dev
bash scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DVUSKA_WERROR=ON -DVUSKA_LIBFUZZER=ON -DVUSKA_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug -- "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
findings=$PWD/build-fuzz/findings
logs=$PWD/build-fuzz/fuzz-logs
rm -rf "$logs"; mkdir -p "$findings" "$logs"

echo "Fuzzing of the readers with libFuzzer ($([ $quick = 1 ] && echo quick || echo full), seed $seed, $jobs job$([ "$jobs" = 1 ] || echo s))"
printf '%-10s %10s %9s %7s %9s\n' target inputs crashes hangs seconds
started=$SECONDS
failed=0
for t in "${targets[@]}"; do
  program=build-fuzz/bench/fuzz/fuzz_$t
  full=$("$program" --full-inputs)
  count=$full
  if [ $quick = 1 ]; then count=$(( full / 500 > 200 ? full / 500 : 200 )); fi
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  t0=$SECONDS
  pids=()
  for ((j = 0; j < jobs; j++)); do
    runs=$(( count * (j + 1) / jobs - count * j / jobs ))
    "$program" -runs=$runs -seed=$(( seed + j )) -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$findings/$t-" "$corpus" >"$logs/$t-$j.log" 2>&1 &
    pids+=($!)
  done
  inputs=0; crashes=0; hangs=0; lost=0
  for ((j = 0; j < jobs; j++)); do
    rc=0; wait "${pids[$j]}" || rc=$?
    log=$logs/$t-$j.log
    ran=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    inputs=$(( inputs + ${ran:-0} ))
    if grep -q "Test unit written to .*/$t-timeout-" "$log"; then
      hangs=$(( hangs + 1 ))
    elif grep -qE "Test unit written to .*/$t-(crash|leak|oom)-" "$log"; then
      crashes=$(( crashes + 1 ))
    elif [ $rc -ne 0 ] || [ -z "$ran" ]; then
      lost=$(( lost + 1 ))  # ended without a finding, say killed from outside
    fi
    if [ $rc -ne 0 ]; then echo "  $t, job $j ended with $rc: see $log" >&2; fi
  done
  printf '%-10s %10d %9d %7d %9d\n' "$t" "$inputs" "$crashes" "$hangs" $(( SECONDS - t0 ))
  [ $(( crashes + hangs + lost )) -eq 0 ] || failed=1
done
echo "elapsed: $(( SECONDS - started )) s"
[ $failed = 0 ] || { echo "findings kept in $findings" >&2; exit 1; }
