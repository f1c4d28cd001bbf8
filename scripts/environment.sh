# Sourced by the scripts so that what they run does not depend on how the caller's shell was set
# up: a bare container, a chroot, a cron job or `env -i` may hand over no PATH, no locale, no HOME.
#
# A search path that is exported and holds the system's folders. A bash started without PATH has
# one of its own that it does not export (so its children search a bare default), and dpkg, run
# by root for apt-get, refuses to work without the sbin folders on it.
case "$(declare -p PATH 2>/dev/null)" in
  "declare -x PATH="*) ;;
  *) PATH= ;;
esac
for d in /usr/local/sbin /usr/local/bin /usr/sbin /usr/bin /sbin /bin; do
  case ":$PATH:" in *":$d:"*) ;; *) PATH=${PATH:+$PATH:}$d ;; esac
done
export PATH

# A home: the game keeps its registry store under it, and fontconfig its cache. A login would
# have set it from the password database.
if [ -z "${HOME:-}" ]; then
  HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
  export HOME=${HOME:-/}
fi

# A TMPDIR that names no writable folder would fail every mktemp; the system's /tmp then.
if [ -n "${TMPDIR:-}" ] && ! { [ -d "$TMPDIR" ] && [ -w "$TMPDIR" ]; }; then
  echo "note: TMPDIR=$TMPDIR is not a writable folder; using /tmp" >&2
  unset TMPDIR
fi

# The tests' locale: UTF-8 with the C rules, whatever the caller's. Started without a UTF-8
# locale, a Qt program hands X its window titles' old-style name (WM_NAME) in the wrong encoding,
# and xdotool then cannot find a Finnish title such as "Hävisit". C.UTF-8 is part of Debian's
# libc; LANGUAGE would otherwise still choose message translations.
vuska_test_locale() {
  export LC_ALL=C.UTF-8 LANG=C.UTF-8
  unset LANGUAGE
}
