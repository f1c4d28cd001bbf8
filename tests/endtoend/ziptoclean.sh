#!/usr/bin/env bash
# The whole road on a clean desktop, as a user walks it: unpack vuska122.zip, install with the
# wizard's defaults, start the game through its menu entry, play one game to its end, quit,
# remove the game with the installed setup.exe, and check that nothing is left behind and that
# setup starts as the installer again.
#
#   ziptoclean.sh ZIP
#
# Runs in a throw-away sandbox on a private X display with a window manager. Exits 77 (skipped)
# with a line saying why when no X server can be started.
set -uo pipefail
zip=$(realpath "$1")
# The caller's environment may be empty (env -i): an exported PATH, and a UTF-8 locale, without
# which the programs give X their titles in the wrong encoding and xdotool cannot find "Hävisit".
. "$(dirname "$0")/../../scripts/environment.sh"
vuska_test_locale
for tool in Xvfb openbox xdotool unzip sqlite3; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

sbx=$(mktemp -d "${TMPDIR:-/tmp}/ziptoclean.XXXX")
# The programs are unpacked and run inside the sandbox: where the temporary folder does not let
# programs run (a noexec mount), the sandbox goes beside the ZIP instead.
printf '#!/bin/sh\n' >"$sbx/probe" && chmod +x "$sbx/probe"
if ! "$sbx/probe" 2>/dev/null; then
  rm -rf "$sbx"; sbx=$(mktemp -d "$(dirname "$zip")/ziptoclean.XXXX")
  echo "note: ${TMPDIR:-/tmp} does not let programs run; the sandbox is $sbx"
fi
rm -f "$sbx/probe"
export HOME=$sbx/home XDG_CONFIG_HOME=$sbx/config XDG_DATA_HOME=$sbx/data XDG_CACHE_HOME=$sbx/cache
export XDG_RUNTIME_DIR=$sbx/run XDG_CONFIG_DIRS=/etc/xdg XDG_DATA_DIRS=/usr/share
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
# Under the sanitizers, the X keyboard library reads its strings with strndup from buffers
# that need not end in a NUL, which the strict string check reports although it is sound.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
# The server takes the first display number it can listen on and tells it: a number guessed from
# the lock files in /tmp could belong to another server whose /tmp we do not see (a chroot shares
# the abstract socket names with the host), and the test would then drive that server's windows.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$sbx/display" >"$sbx/xvfb.log" 2>&1 & xpid=$!
d=
for _ in $(seq 300); do d=$(head -1 "$sbx/display"); [ -n "$d" ] && break
  kill -0 $xpid 2>/dev/null || break; sleep 0.1; done
export DISPLAY=:$d
if [ -z "$d" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "SKIP: no X server could be started"; tail -5 "$sbx/xvfb.log"; kill $xpid 2>/dev/null; rm -rf "$sbx"; exit 77
fi
openbox >"$sbx/wm.log" 2>&1 & wmpid=$!
sleep 0.5
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; kill $wmpid $xpid 2>/dev/null; wait 2>/dev/null; rm -rf "$sbx"; }
trap cleanup EXIT

step=0
fail() { echo "FAIL at step $step: $*"; for f in "$sbx"/*.log; do echo "--- $f"; tail -20 "$f"; done; exit 1; }
say() { step=$((step + 1)); echo "step $step: $*"; }
# The window whose title matches, waiting up to $2 seconds.
window() { local until=$(( $(date +%s) + ${2:-10} )); while :; do
  w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
  [ -n "$w" ] && { echo "$w"; return 0; }
  [ "$(date +%s)" -ge $until ] && return 1; sleep 0.1; done; }
gone() { local until=$(( $(date +%s) + ${2:-10} )); while xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
  [ "$(date +%s)" -ge $until ] && return 1; sleep 0.1; done; }
key() { local w; w=$(window "$1" 10) || fail "no window \"$1\" for keys $2"
  xdotool windowactivate --sync "$w" >/dev/null 2>&1; sleep 0.3; xdotool key --clearmodifiers $2; sleep 0.5; }
store() { sqlite3 "$XDG_CONFIG_HOME/vuska-registry/$1.db" "$2" 2>/dev/null; }

say "unpack the ZIP"
mkdir -p "$sbx/download" && (cd "$sbx/download" && unzip -q "$zip") || fail "unzip"
[ "$(ls "$sbx/download" | wc -l)" -eq 59 ] || fail "the ZIP does not hold 59 files"
[ -x "$sbx/download/setup.exe" ] && [ -x "$sbx/download/vuska.exe" ] || fail "the programs lost their run bits"

say "install with the defaults"
(cd "$sbx/download" && exec ./setup.exe) >"$sbx/setup.log" 2>&1 & pids+=($!)
key '^Vuska-ohjelman asennus$' Return    # step 0: Seuraava
key '^Vuska-ohjelman asennus$' Return    # step 1: Hyväksy
key '^Vuska-ohjelman asennus$' Return    # step 2: Seuraava with C:\Program Files\Vuska
key '^Ei kansiota$' Return               # create the folder: Kyllä is the default
key '^Vuska-ohjelman asennus$' Return    # step 3: the group Vuska
key '^Vuska-ohjelman asennus$' Return    # step 4: start copying
window '^Kopioidaan tiedostoja$' 5 >/dev/null || true
gone '^Kopioidaan tiedostoja$' 30 || fail "the copy window did not go"
sleep 1
key '^Vuska-ohjelman asennus$' Return    # step 5: Lopeta
gone '^Vuska-ohjelman asennus$' 10 || fail "setup did not end"
kansio=$(store HKEY_CURRENT_USER "select cast(data as text) from vals where name = 'Kansio'" | tr -d '\0')
[ -n "$kansio" ] || fail "no installation record"
echo "installed into $kansio"

say "start the game through its menu entry"
entry=$(grep -rl '^Name=Vuska$' "$XDG_DATA_HOME/applications" | head -1)
[ -n "$entry" ] || fail "no menu entry named Vuska"
folder=$(sed -n 's/^Path=//p' "$entry")
[ -f "$folder/vuska.exe" ] || fail "the entry's folder $folder holds no vuska.exe"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
(cd "$folder" && eval "exec $exec_line") >"$sbx/game.log" 2>&1 & pids+=($!)
game=$(window '^Vuska$' 15) || fail "the game did not start"
sleep 2

say "play one game to its end"
eval "$(xdotool getwindowgeometry --shell "$game")"
for round in $(seq 40); do
  if w=$(window '^(Voitit|Hävisit)$' 0); then break; fi
  if w=$(window '^Lyötävä ' 0); then xdotool windowactivate --sync "$w"; xdotool key Return; sleep 0.3; fi
  if w=$(window '^Onneksi olkoon!$' 0); then xdotool windowactivate --sync "$w"; xdotool key Return; sleep 0.3; fi
  k=$(( round % 5 ))
  xdotool mousemove --sync $((X + 4 + 8 + 88 * k + 40)) $((Y + 30 + 8 + 312 + 64)) click 1
  sleep 1.5
done
result=$(window '^(Voitit|Hävisit)$' 10) || fail "the game did not end"
echo "the game ended: $(xdotool getwindowname "$result")"
xdotool windowactivate --sync "$result"; xdotool key Return; sleep 0.5
w=$(window '^Onneksi olkoon!$' 2) && { xdotool windowactivate --sync "$w"; xdotool key Return; sleep 0.5; }

say "quit the game"
key '^Vuska$' alt+p; xdotool key l; sleep 0.5
key '^Lopeta$' alt+k
w=$(window '^Onneksi olkoon!$' 2) && { xdotool windowactivate --sync "$w"; xdotool key Return; }
gone '^Vuska$' 10 || fail "the game did not end"

say "remove the game with the installed setup.exe"
host=$(ls -d "$folder")
(cd "$host" && exec ./setup.exe) >"$sbx/remove.log" 2>&1 & pids+=($!)
key '^Vuska-ohjelman asennuksen poisto$' Return       # Poista
w=$(window '^Tiedoksi$' 20) || fail "no leftover dialog"
xdotool windowactivate --sync "$w"; xdotool key Return; sleep 0.5
key '^Vuska-ohjelman asennuksen poisto$' Escape       # Sulje
gone '^Vuska-ohjelman asennuksen poisto$' 10 || fail "the uninstaller did not end"

say "nothing is left behind"
left=$(cd "$sbx/download" && for f in *; do [ -e "$host/$f" ] && echo "$f"; done)
[ -z "$left" ] || fail "left in $host: $left"
[ -z "$(grep -rl 'X-Vuska' "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME/menus" "$XDG_DATA_HOME/desktop-directories" 2>/dev/null)" ] || fail "menu files are left"
[ -z "$(store HKEY_CURRENT_USER "select path from keys where path like '%Vuska%'")" ] || fail "the game's key is left"
[ -z "$(store HKEY_LOCAL_MACHINE "select path from keys where path like '%Vuska%'")" ] || fail "the uninstall entry is left"

say "setup starts as the installer again"
(cd "$sbx/download" && exec ./setup.exe) >"$sbx/again.log" 2>&1 & pids+=($!)
window '^Vuska-ohjelman asennus$' 10 >/dev/null || fail "the wizard did not come back"
key '^Vuska-ohjelman asennus$' Escape
key '^Lopeta$' alt+k
gone '^Vuska-ohjelman asennus$' 10 || fail "the wizard did not end"

say "no program reported a fault on its way"
sleep 1
for log in "$sbx"/setup.log "$sbx"/game.log "$sbx"/remove.log "$sbx"/again.log; do
  if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; then
    fail "$(basename "$log") holds a sanitizer report"
  fi
done
echo "PASS"
