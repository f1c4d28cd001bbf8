#!/usr/bin/env bash
# Configures and builds one build folder: build.sh FOLDER [cmake arguments] [-- targets].
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
dir=$1; shift
args=(); targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; targets=("$@"); break; fi
  args+=("$1"); shift
done
cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]}"
else
  cmake --build "$dir" --parallel "$(nproc)"
fi
