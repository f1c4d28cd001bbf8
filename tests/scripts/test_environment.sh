#!/usr/bin/env bash
# scripts/environment.sh, sourced by a shell started with an empty or an odd environment, leaves
# what the scripts run a usable PATH, HOME and TMPDIR, and the tests a UTF-8 locale.
#   test_environment.sh PATH/TO/environment.sh
set -uo pipefail
environment=$(realpath "$1")
failures=0
# Runs SCRIPT in a bash that sourced the file, started by env with the given variables only.
in_fresh_shell() {  # [VAR=value ...] -- SCRIPT
  local vars=()
  while [ "$1" != -- ]; do vars+=("$1"); shift; done
  /usr/bin/env -i "${vars[@]}" /bin/bash -c ". '$environment' && $2"
}
expect() {  # WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"
  else echo "FAIL: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}

# With no PATH at all, the children still find the system's programs, dpkg's sbin helpers too.
got=$(in_fresh_shell -- '/bin/sh -c "command -v ldconfig >/dev/null && command -v dpkg-query >/dev/null && echo found"')
expect "an empty environment's children find ldconfig and dpkg-query" found "$got"
got=$(in_fresh_shell -- '/usr/bin/env | grep -c "^PATH="')
expect "an empty environment's children are given a PATH" 1 "$got"
# A caller's own folders keep their place in front.
got=$(in_fresh_shell PATH=/opt/vuska-bin:/usr/bin -- 'echo "$PATH"')
expect "a caller's PATH stays in front" /opt/vuska-bin:/usr/bin "${got%%:/usr/local/sbin*}"
got=$(in_fresh_shell PATH=/usr/bin -- 'echo "$PATH" | tr : "\n" | sort | uniq -d')
expect "no folder is on the PATH twice" "" "$got"

# HOME from the password database when unset; kept when set.
got=$(in_fresh_shell -- 'echo "$HOME"')
expect "an unset HOME is the user's home" "$(getent passwd "$(id -u)" | cut -d: -f6)" "$got"
got=$(in_fresh_shell HOME=/nowhere/else -- 'echo "$HOME"')
expect "a set HOME is kept" /nowhere/else "$got"

# A TMPDIR that is no writable folder gives way to /tmp; a good one is kept.
got=$(in_fresh_shell TMPDIR=/nonexistent/vuska -- 'd=$(mktemp -d) && echo "${d%/*}" && rmdir "$d"' 2>/dev/null)
expect "a missing TMPDIR gives way to /tmp" /tmp "$got"
scratch=$(mktemp -d)
got=$(in_fresh_shell TMPDIR="$scratch" -- 'd=$(mktemp -d) && echo "${d%/*}" && rmdir "$d"')
expect "a writable TMPDIR is kept" "$scratch" "$got"
rmdir "$scratch"

# The tests' locale is UTF-8 whatever the caller chose, message translations included.
for caller in "" "LANG=C" "LC_ALL=POSIX" "LANG=fi_FI.ISO-8859-1 LANGUAGE=fi:en"; do
  # shellcheck disable=SC2086
  got=$(in_fresh_shell $caller -- 'vuska_test_locale && locale charmap && echo "${LANGUAGE-unset}"' 2>/dev/null | tr '\n' ' ')
  expect "the tests' locale under [${caller:-no locale}]" "UTF-8 unset " "$got"
done

[ $failures -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
