#!/usr/bin/env bash
# The Debian package on a fresh Debian 12: in a fresh copy of a minimal root (no compiler, no
# Qt), `apt-get install ./vuska_*.deb` pulls in what the game needs, the `vuska` command opens
# the game's window as an ordinary user without an error box (under Xvfb; a screenshot is
# kept), and `apt-get remove vuska` leaves none of the package's files behind while the
# player's own store stays. Needs root and the network (deb.debian.org). A long run, not part
# of the test command.
#
#   sudo bash scripts/package-check.sh [--root DIR] [DEB]
#
#   --root DIR  the folder of scripts/fresh-debian.sh (default /var/tmp/vuska-fresh-debian):
#               DIR/base is the pristine root (made with debootstrap when missing), DIR/package-run
#               its copy for this check, made anew; DIR/apt-archives keeps downloaded packages;
#               DIR/logs/package-check.* the commands' output and the screenshot.
#   DEB         the package (default: the newest dist/vuska_*.deb)
set -euo pipefail
base_dir=/var/tmp/vuska-fresh-debian
deb=
usage() { echo "usage: scripts/package-check.sh [--root DIR] [DEB]" >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    --root) [ $# -ge 2 ] || usage; base_dir=$2; shift ;;
    -*) usage ;;
    *) [ -z "$deb" ] || usage; deb=$1 ;;
  esac
  shift
done
. "$(dirname "$0")/environment.sh"
top=$(cd "$(dirname "$0")/.." && pwd -P)
if [ -z "$deb" ]; then
  deb=$(ls -t "$top"/dist/vuska_*.deb 2>/dev/null | head -n 1 || true)
  [ -n "$deb" ] || { echo "error: no dist/vuska_*.deb; build it with bash scripts/package.sh" >&2; exit 1; }
fi
deb=$(realpath "$deb")
base_dir=$(realpath -m "$base_dir")
[ "$(id -u)" -eq 0 ] || { echo "error: needs root (debootstrap, chroot, mount)" >&2; exit 1; }

# The mounts live in a mount namespace of our own, so they go with this process.
if [ -z "${VUSKA_PACKAGE_CHECK_NAMESPACE:-}" ]; then
  exec env VUSKA_PACKAGE_CHECK_NAMESPACE=1 unshare --mount --propagation private -- \
    bash "$0" --root "$base_dir" "$deb"
fi

base=$base_dir/base run=$base_dir/package-run archives=$base_dir/apt-archives logs=$base_dir/logs
mkdir -p "$logs"
. "$(dirname "$0")/debian-root.sh"
debian_root_base "$base" "$logs"
debian_root_enter "$base" "$run" "$archives"
cp "$deb" "$run/root/"
package=/root/$(basename "$deb")

# One command in the root as root, with an empty environment.
inside() {
  env -i "$(command -v chroot)" "$run" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive /bin/bash -c "$1" </dev/null
}
results=() failed=0
step() {  # NAME COMMAND: runs it in the root, its output in the log, and notes the outcome
  local name=$1 log=$logs/package-check.$((${#results[@]} + 1)).log rc=0
  echo "== $name"
  inside "$2" >"$log" 2>&1 || rc=$?
  if [ $rc -eq 0 ]; then results+=("PASS  $name"); else results+=("FAIL  $name (exit $rc; $log)"); failed=1; fi
  sed 's/^/   /' "$log" | tail -n "${3:-25}"
  return $rc
}

echo "checking $(basename "$deb") in $run"
step "nothing of Qt, no compiler, no vuska before" \
  '! dpkg-query -W -f="\${Package}\n" "libqt6*" g++ gcc vuska 2>/dev/null | grep -q . && echo "none installed"' || true
step "apt-get install ./$(basename "$deb") pulls in its dependencies" \
  "apt-get update -qq && apt-get install -y $package && dpkg-query -W -f='\${Package} \${Version} \${Status}\n' vuska" 12 ||
  { printf '%s\n' "${results[@]}"; exit 1; }
inside 'dpkg -L vuska' >"$logs/package-check.files"
step "the package's $(wc -l <"$logs/package-check.files") paths are in place" \
  'dpkg -L vuska | while read -r p; do [ -e "$p" ] || [ -L "$p" ] || echo "missing: $p"; done | grep . && exit 1; ls -l /usr/games/vuska; echo all present' 5 || true

# The trial's own tools, after the package so that they pull in nothing the game needs.
step "the trial's tools (xvfb, xdotool, xwd) and an ordinary user" \
  'apt-get install -y -qq --no-install-recommends xvfb xauth xdotool x11-utils x11-apps >/dev/null && useradd -m pelaaja &&
   mkdir -p /run/user && install -d -m 700 -o pelaaja -g pelaaja /run/user/$(id -u pelaaja) && echo ready' 3 || true

# The game as the user, from the command, on a private X display. It must show its window,
# show no error box ("Virhe"), stay up, write nothing on its error output, and end as the
# desktop ends it: SIGTERM asks "Lopeta" whether to quit, and Kyllä (Alt+K) quits. Each wait
# has a limit: a window that never comes fails the step with a screenshot of what was shown.
step "vuska opens the game's window, no error box, and quits when told" '
  unshare --net -- runuser -u pelaaja -- env -i HOME=/home/pelaaja USER=pelaaja LANG=C.UTF-8 XDG_RUNTIME_DIR=/run/user/$(id -u pelaaja) \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/games xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
      cd /home/pelaaja
      give_up() { xwd -root -silent >/tmp/vuska.xwd; kill -KILL \$game 2>/dev/null; exit 1; }
      vuska 2>/tmp/vuska.err & game=\$!
      timeout 60 xdotool search --sync --onlyvisible --name \"^Vuska\\\$\" >/dev/null ||
        { echo no game window named Vuska appeared within 60 s; give_up; }
      sleep 3   # the window paints; an error box would be up by now
      echo windows: \$(xdotool search --onlyvisible --name . getwindowname %@ | sort -u | paste -sd, -)
      if xdotool search --onlyvisible --name \"^Virhe\" >/dev/null; then echo an error box is shown; bad=1; fi
      kill -0 \$game 2>/dev/null || { echo the game ended by itself; exit 1; }
      xwd -root -silent >/tmp/vuska.xwd
      kill -TERM \$game
      box=\$(timeout 30 xdotool search --sync --onlyvisible --name \"^Lopeta\\\$\" | head -n 1)
      [ -n \"\$box\" ] || { echo no Lopeta box appeared within 30 s of SIGTERM; give_up; }
      xdotool windowfocus --sync \$box key --clearmodifiers alt+k
      for _ in \$(seq 300); do kill -0 \$game 2>/dev/null || break; sleep 0.1; done
      kill -0 \$game 2>/dev/null && { echo the game did not quit within 30 s of Alt+K; give_up; }
      wait \$game; status=\$?; echo the game quit with status \$status; [ \$status = 0 ] || bad=1
      if [ -s /tmp/vuska.err ]; then echo the game wrote on its error output:; cat /tmp/vuska.err; bad=1
      else echo the game wrote nothing on its error output; fi
      exit \${bad:-0}
    "; rc=$?; cp /tmp/vuska.xwd /root/vuska.xwd 2>/dev/null; exit $rc' || true
if [ -s "$run/root/vuska.xwd" ] && command -v convert >/dev/null; then
  convert "xwd:$run/root/vuska.xwd" "$logs/package-check.png" && echo "   screenshot: $logs/package-check.png"
fi

inside 'find /home/pelaaja -printf "%M %s %P\n" | sort >/root/home-before' || true
step "apt-get remove vuska" 'apt-get remove -y vuska && dpkg -l vuska 2>&1 | tail -n 1' 4 || true
# What remains of the package's paths: any file or link, and any folder no other package owns.
cp "$logs/package-check.files" "$run/root/vuska.files"
step "nothing of the package is left" '
  left=0
  while read -r p; do
    [ "$p" != /. ] || continue
    if [ -L "$p" ] || [ -f "$p" ]; then echo "left: $p"; left=1
    elif [ -d "$p" ] && ! dpkg -S "$p" >/dev/null 2>&1; then echo "left folder of no package: $p"; left=1
    fi
  done </root/vuska.files
  [ $left = 0 ] && echo "none of the $(wc -l </root/vuska.files) paths is left but folders other packages own"
  [ $left = 0 ]' || true
step "the user's home, and the store in it, stays as it was" '
  find /home/pelaaja -printf "%M %s %P\n" | sort | diff /root/home-before - && echo "unchanged:" &&
  { find /home/pelaaja/.config/vuska-registry 2>/dev/null || echo "(the game stored no setting or result: ~/.config/vuska-registry was never made)"; }' || true
echo
echo "Package check of $(basename "$deb") on a fresh Debian 12 ($run):"
printf '  %s\n' "${results[@]}"
exit $failed
