#!/usr/bin/env bash
# Plays the game by keys on a private X display and prints what a screen reader is told over
# the accessibility bus, one line each: the control that takes the focus (name and role), each
# notification as it appears, names that change, and the windows that come up.
#
#   scripts/reader-try.sh [STEP...]
#
# A STEP is a key as xdotool names it ("1", "Right", "space", "Return") or "sleep:SECONDS";
# without steps it plays the first card and waits for the computer. The game is
# build/vuska122/vuska.exe (bash scripts/play.sh builds it), with settings of its own in a
# throw-away home. Installs xvfb, openbox, xdotool, at-spi2-core and python3-pyatspi when
# missing (root or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
program=$PWD/build/vuska122/vuska.exe
[ -x "$program" ] || { echo "no game at $program: build first (bash scripts/play.sh)" >&2; exit 1; }
bash scripts/deps.sh dbus-x11 at-spi2-core python3-pyatspi
[ $# -gt 0 ] || set -- sleep:3 1 sleep:4

base=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$base"; }
trap cleanup EXIT
export HOME=$base/home XDG_CONFIG_HOME=$base/config XDG_RUNTIME_DIR=$base/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
for d in $(seq 150 199); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb ":$d" -screen 0 1280x1024x24 -nolisten tcp >"$base/xvfb.log" 2>&1 & pids+=($!)
export DISPLAY=:$d QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
eval "$(dbus-launch --sh-syntax)"; pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
sleep 0.5

# What the reader gets from the game, as it arrives.
/usr/bin/python3 - "$base/heard.txt" <<'PY' & pids+=($!)
import sys, pyatspi
out = open(sys.argv[1], "a", buffering=1)
def said(acc):
    try:
        return "%s (%s)" % (acc.name, acc.getLocalizedRoleName() or acc.getRoleName())
    except Exception:
        return "?"
def on(ev):
    try:
        if "vuska" not in ev.source.getApplication().name.lower():
            return
        role = ev.source.getRole()
    except Exception:
        return
    t = ev.type
    if t.startswith("object:state-changed:focused") and ev.detail1:
        out.write("focus:        %s\n" % said(ev.source))
    elif t.startswith("object:state-changed:showing") and ev.detail1 and role == pyatspi.ROLE_NOTIFICATION:
        out.write("notification: %s\n" % ev.source.name)
    elif t.startswith("object:property-change:accessible-name") and role != pyatspi.ROLE_NOTIFICATION:
        out.write("name now:     %s\n" % said(ev.source))
    elif t.startswith("window:activate"):
        texts = [c.name for c in ev.source if c is not None and c.getRole() == pyatspi.ROLE_LABEL]
        out.write("window:       %s%s\n" % (ev.source.name, "".join(" | " + x.replace("\n", " ") for x in texts)))
for t in ("object:state-changed:focused", "object:state-changed:showing",
          "object:property-change:accessible-name", "window:activate"):
    pyatspi.Registry.registerEventListener(on, t)
pyatspi.Registry.start()
PY
sleep 1
"$program" >"$base/game.log" 2>&1 & pids+=($!)
for step in "$@"; do
  case "$step" in
    sleep:*) sleep "${step#sleep:}" ;;
    *) echo "key:          $step" >>"$base/heard.txt"; xdotool key "$step"; sleep 0.5 ;;
  esac
done
sleep 1
cat "$base/heard.txt"
