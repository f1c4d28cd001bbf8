#!/usr/bin/env bash
# Runs one of the programs as a native Wayland client under a headless sway compositor, sends
# it keys as a user would and saves a screenshot after each step, with the windows' app ids,
# titles and places as the compositor sees them:
#
#   scripts/wayland-try.sh [--scale S] [--out DIR] PROGRAM [STEP...]
#
# PROGRAM is vuska.exe or setup.exe from build/vuska122/ (or a path). A STEP is a key as wtype
# names it ("Return", "Escape", "F1"), a chord ("alt+o"), or "sleep:SECONDS". The screen is
# 1280 x 800 logical pixels at scale S (1 by default; 2 is a 200 % desktop). sway will not run
# as root, so as root everything runs as the user nobody in a throw-away home. Installs sway,
# grim and wtype when missing (root or sudo). Screenshots go to DIR (default wayland-shots/).
# The programs speak Finnish; LANGUAGE=sv or LANGUAGE=en given to the script chooses Swedish or
# English.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
scale=1; out=wayland-shots
while [ $# -gt 0 ]; do
  case "$1" in
    --scale) scale=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { sed -n '2,15p' "$0" >&2; exit 2; }
program=$1; shift
[ -e "$program" ] || program=build/vuska122/$program
[ -x "$program" ] || { echo "no program $program: build first (bash scripts/play.sh or scripts/build.sh build)" >&2; exit 1; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
bash scripts/deps.sh sway grim wtype python3

base=$(mktemp -d); chmod 755 "$base"
mkdir -p "$base/home" "$base/run" "$out"; chmod 700 "$base/run"
out=$(cd "$out" && pwd)
width=$(awk -v s="$scale" 'BEGIN { printf "%d", 1280 * s }')
height=$(awk -v s="$scale" 'BEGIN { printf "%d", 800 * s }')
# Windows float, as on a desktop with a stacking window manager.
printf 'output HEADLESS-1 resolution %sx%s scale %s\nfor_window [app_id=".*"] floating enable\n' \
  "$width" "$height" "$scale" > "$base/sway.cfg"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$base"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
session() {
  "${as_user[@]}" env -i PATH="$PATH" HOME="$base/home" XDG_RUNTIME_DIR="$base/run" \
    XDG_CONFIG_HOME="$base/home/config" XDG_DATA_HOME="$base/home/data" LANG=C.UTF-8 \
    ${LANGUAGE:+LANGUAGE="$LANGUAGE"} WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$(ls "$base"/run/sway-ipc.*.sock 2>/dev/null | head -1)" \
    QT_QPA_PLATFORM=wayland "$@"
}
pids=()
cleanup() { [ -n "${KEEP:-}" ] && cp "$base/sway.log" "$out/sway.log"; kill "${pids[@]}" 2>/dev/null || true; sleep 0.3; rm -rf "$base"; }
trap cleanup EXIT
session env -u WAYLAND_DISPLAY -u SWAYSOCK WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$base/sway.cfg" >"$base/sway.log" 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -S "$base/run/wayland-1" ] && ls "$base"/run/sway-ipc.*.sock >/dev/null 2>&1 && break; sleep 0.1; done
[ -S "$base/run/wayland-1" ] || { cat "$base/sway.log" >&2; echo "sway did not start" >&2; exit 1; }
# One keyboard that stays: without it the seat has none between two wtype calls, and the
# program would lose each key while it binds the keyboard anew.
session wtype -s 86400000 & pids+=($!)
session "$program" >"$out/program.log" 2>&1 & pids+=($!)

windows() {
  session swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("pid"):
        r = n["rect"]
        print("  app id %-22s %-34r at %4d,%4d size %4d x %4d%s" % (n.get("app_id"), n.get("name"),
              r["x"], r["y"], r["width"], r["height"], "  (focused)" if n.get("focused") else ""))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
shot() {
  session grim "$base/shot.png" && cp "$base/shot.png" "$out/$1.png"
  echo "$1: $out/$1.png"; windows
}
sleep 3
shot step-0
n=0
for step in "$@"; do
  n=$((n + 1))
  case "$step" in
    sleep:*) sleep "${step#sleep:}" ;;
    *+*) mods=(); release=(); key=${step##*+}; IFS=+ read -ra parts <<< "${step%+*}"
         for m in "${parts[@]}"; do mods+=(-M "$m"); done
         for m in "${parts[@]}"; do release+=(-m "$m"); done
         session wtype "${mods[@]}" -k "$key" "${release[@]}" ;;
    *) session wtype -k "$step" ;;
  esac
  sleep 1.5
  shot "step-$n"
done
