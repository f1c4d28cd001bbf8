# The fresh Debian 12 roots of the long checks (fresh-debian.sh, package-check.sh), sourced by
# them inside a mount namespace of their own, as root.
#
#   debian_root_base BASE LOGS        makes the pristine root BASE (debootstrap, minbase and git)
#                                     once; later calls reuse it
#   debian_root_enter BASE RUN ARCHIVES [KEEP]
#                                     RUN becomes a copy of BASE (kept as it is when KEEP is 1 and
#                                     it exists), with /proc, /sys, /dev, /dev/pts, /dev/shm and
#                                     /tmp mounted as a container has them and the downloaded
#                                     packages in ARCHIVES; whatever runs in it ends with the caller
mirror=${VUSKA_DEBIAN_MIRROR:-http://deb.debian.org/debian}

debian_root_base() {
  local base=$1 logs=$2
  [ -e "$base/.vuska-base-complete" ] && return 0
  command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap; }
  rm -rf "$base"
  echo "making the pristine Debian 12 root in $base (debootstrap, minbase and git)"
  debootstrap --variant=minbase --include=git bookworm "$base" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
    { tail -20 "$logs/debootstrap.log"; echo "error: debootstrap failed, see $logs/debootstrap.log" >&2; exit 1; }
  touch "$base/.vuska-base-complete"
}

debian_root_enter() {
  local base=$1 archives=$3 keep=${4:-0} node n
  debian_root_run=$2
  if [ "$keep" = 0 ] || [ ! -d "$debian_root_run" ]; then
    rm -rf "$debian_root_run"
    cp -a "$base" "$debian_root_run"
  fi
  local run=$debian_root_run
  cp /etc/resolv.conf "$run/etc/resolv.conf"
  mount -t proc proc "$run/proc"
  mount -t sysfs -o ro sysfs "$run/sys" 2>/dev/null || mount --rbind -o ro /sys "$run/sys"
  mount -t tmpfs -o mode=755,nosuid tmpfs "$run/dev"
  for node in null zero full random urandom tty; do
    touch "$run/dev/$node"; mount --bind "/dev/$node" "$run/dev/$node"
  done
  mkdir -p "$run/dev/pts" "$run/dev/shm"
  mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$run/dev/pts"
  ln -s pts/ptmx "$run/dev/ptmx"
  ln -s /proc/self/fd "$run/dev/fd"
  for n in 0:stdin 1:stdout 2:stderr; do ln -s "/proc/self/fd/${n%%:*}" "$run/dev/${n#*:}"; done
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$run/dev/shm"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$run/tmp"
  mkdir -p "$archives/partial"
  mount --bind "$archives" "$run/var/cache/apt/archives"
  trap debian_root_stop EXIT
}

# Whatever the commands left running in the root (a stray X server, say) ends with the check.
debian_root_stop() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$debian_root_run" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  return 0
}
