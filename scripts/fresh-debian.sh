#!/usr/bin/env bash
# Checks the README's quick start on a fresh Debian 12: makes a minimal Debian 12 root with
# debootstrap (minbase and git, as a fresh machine has), clones the checkout's commit into a
# fresh copy of it, and runs there, as root and with an empty environment,
#   env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin bash scripts/play.sh   (no display: builds, says how to start)
#   env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin bash scripts/test.sh
# then prints what passed. Needs root. Takes long (the test command builds three times).
#
#   sudo bash scripts/fresh-debian.sh [--root DIR] [--no-path] [--play-only] [--keep] [CHECKOUT]
#
#   --root DIR   where the roots are kept (default /var/tmp/vuska-fresh-debian; not inside the
#                checkout): DIR/base, the pristine root, made once and reused; DIR/run, its copy
#                for one check, made anew each time; DIR/apt-archives, the downloaded packages,
#                kept so a later check does not fetch them again; DIR/logs, the commands' output.
#   --no-path    run the two commands with no PATH at all (env -i alone)
#   --play-only  run play.sh only
#   --keep       reuse DIR/run as the last check left it, with the packages it installed (the
#                clone, and so the build folders, are made anew)
#   CHECKOUT     the git checkout whose HEAD commit is checked (default: this one)
#
# It works in a mount namespace of its own: /proc, /sys, /dev, /dev/pts, /dev/shm and /tmp (a
# tmpfs) are mounted into the root as a container has them, and are gone when it ends.
set -euo pipefail
base_dir=/var/tmp/vuska-fresh-debian
with_path=1; play_only=0; keep=0; checkout=
usage() { echo "usage: scripts/fresh-debian.sh [--root DIR] [--no-path] [--play-only] [--keep] [CHECKOUT]" >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    --root) [ $# -ge 2 ] || usage; base_dir=$2; shift ;;
    --no-path) with_path=0 ;;
    --play-only) play_only=1 ;;
    --keep) keep=1 ;;
    -*) usage ;;
    *) [ -z "$checkout" ] || usage; checkout=$1 ;;
  esac
  shift
done
. "$(dirname "$0")/environment.sh"
checkout=$(cd "${checkout:-$(dirname "$0")/..}" && git rev-parse --show-toplevel)
base_dir=$(realpath -m "$base_dir")
[ "$(id -u)" -eq 0 ] || { echo "error: needs root (debootstrap, chroot, mount)" >&2; exit 1; }
case "$base_dir/" in "$checkout"/*) echo "error: the root must be outside the checkout" >&2; exit 1 ;; esac

# The mounts live in a namespace of our own, so they go with this process whatever ends it.
if [ -z "${VUSKA_FRESH_NAMESPACE:-}" ]; then
  exec env VUSKA_FRESH_NAMESPACE=1 unshare --mount --propagation private -- bash "$0" --root "$base_dir" \
    $([ $with_path = 1 ] || echo --no-path) $([ $play_only = 0 ] || echo --play-only) \
    $([ $keep = 0 ] || echo --keep) "$checkout"
fi

commit=$(git -C "$checkout" rev-parse HEAD)
[ -z "$(git -C "$checkout" status --porcelain --untracked-files=no)" ] ||
  echo "note: $checkout has uncommitted changes; the check runs its commit $commit without them"
base=$base_dir/base run=$base_dir/run archives=$base_dir/apt-archives logs=$base_dir/logs
mkdir -p "$base_dir" "$logs"
. "$(dirname "$0")/debian-root.sh"
debian_root_base "$base" "$logs"
debian_root_enter "$base" "$run" "$archives" "$keep"

rm -rf "$run/root/vuska"
git clone -q --no-hardlinks "$checkout" "$run/root/vuska"
git -C "$run/root/vuska" checkout -q --detach "$commit"
echo "checking $commit in $run/root/vuska ($( [ $with_path = 1 ] && echo 'env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin' || echo 'env -i, no PATH'))"

# One command in the root, from the top of the clone, with an empty environment.
inside() {
  local path=()
  [ $with_path = 0 ] || path=(PATH=/usr/sbin:/usr/bin:/sbin:/bin)
  env -i "$(command -v chroot)" "$run" /usr/bin/env -i "${path[@]}" /bin/bash -c 'cd /root/vuska && exec "$@"' bash "$@" </dev/null
}
results=()
run_step() {  # NAME LOG COMMAND...: runs it, its output in the log, and notes the outcome
  local name=$1 log=$2 t0=$SECONDS rc=0; shift 2
  echo "$name: running (log: $log)"
  inside "$@" >"$log" 2>&1 || rc=$?
  local took=$(( SECONDS - t0 ))
  if [ $rc -eq 0 ]; then results+=("PASS  $name  ($(( took / 60 )) min $(( took % 60 )) s)")
  else results+=("FAIL  $name  (exit $rc after $(( took / 60 )) min $(( took % 60 )) s; $log)"); tail -30 "$log"; fi
  return $rc
}

failed=0
if run_step "bash scripts/play.sh" "$logs/play.log" bash scripts/play.sh; then
  # No display in the root: it must have built the game and said how to start it, and that way
  # must show the game's window within a minute. Without a network namespace of its own,
  # xvfb-run's X server would share the host's abstract socket names and could meet one of the
  # host's servers.
  if ! grep -q 'xvfb-run -a build/vuska122/vuska.exe' "$logs/play.log"; then
    results+=("FAIL  play.sh does not say how to start the game without a display"); failed=1
  elif ! inside unshare --net -- timeout 120 xvfb-run -a bash -c 'build/vuska122/vuska.exe & game=$!
         timeout 60 xdotool search --sync --onlyvisible --name "^Vuska\$" >/dev/null; found=$?
         [ $found = 0 ] || echo "no game window named Vuska appeared within 60 s"; kill -9 $game; exit $found' \
         >"$logs/play-start.log" 2>&1; then
    results+=("FAIL  the game does not start as play.sh says (xvfb-run -a build/vuska122/vuska.exe; $logs/play-start.log)")
    tail -30 "$logs/play-start.log"; failed=1
  else
    results+=("PASS  xvfb-run -a build/vuska122/vuska.exe shows the game's window")
  fi
else
  failed=1
fi
if [ $play_only = 0 ]; then
  run_step "bash scripts/test.sh" "$logs/test.log" bash scripts/test.sh || failed=1
fi

echo
echo "Fresh Debian 12 root ($run), commit $commit:"
printf '  %s\n' "${results[@]}"
exit $failed
