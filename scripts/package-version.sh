#!/usr/bin/env bash
# The Debian package's version for a source tree, from the top entry of its debian/changelog:
#   package-version.sh TREE               prints the version
#   package-version.sh --changelog TREE   prints the changelog to build with
# A git checkout without changes (untracked files count, ignored ones do not) builds the
# changelog's own version. A checkout with changes builds <version>+dirty<UTC time>.g<commit>,
# a tree outside git <version>+unversioned<UTC time>; their changelog gets an entry of that
# version on top, saying what it was built from. The committed changelog is never changed.
# The time is now, or VUSKA_PACKAGE_TIME (seconds since 1970) when set, so that the version and
# the changelog of one build agree.
set -euo pipefail
changelog_mode=0
if [ "${1:-}" = --changelog ]; then changelog_mode=1; shift; fi
[ $# -eq 1 ] || { echo "usage: package-version.sh [--changelog] TREE" >&2; exit 2; }
tree=$(cd "$1" && pwd -P)
changelog=$tree/debian/changelog
[ -f "$changelog" ] || { echo "error: no debian/changelog in $tree" >&2; exit 1; }
top=$(head -n 1 "$changelog")
[[ $top =~ ^([a-z0-9][a-z0-9+.-]*)\ \(([^\)]+)\)\ ([^\;]+)\; ]] ||
  { echo "error: the first line of $changelog is not a changelog entry's: $top" >&2; exit 1; }
source_name=${BASH_REMATCH[1]} base=${BASH_REMATCH[2]} distribution=${BASH_REMATCH[3]}

time=${VUSKA_PACKAGE_TIME:-$(date +%s)}
stamp=$(date -u -d "@$time" +%Y%m%d.%H%M%S)
if [ "$(git -C "$tree" rev-parse --show-toplevel 2>/dev/null)" = "$tree" ]; then
  if [ -z "$(git -C "$tree" status --porcelain --untracked-files=normal)" ]; then
    version=$base built_from=
  else
    commit=$(git -C "$tree" rev-parse --short HEAD 2>/dev/null || echo none)
    version=$base+dirty$stamp.g$commit
    built_from="a git checkout with uncommitted changes (commit $commit)"
  fi
else
  version=$base+unversioned$stamp
  built_from="a source tree outside git"
fi

if [ $changelog_mode = 0 ]; then
  echo "$version"
elif [ -z "$built_from" ]; then
  cat "$changelog"
else
  maintainer=$(sed -n 's/^Maintainer: *//p' "$tree/debian/control" 2>/dev/null | head -n 1)
  printf '%s (%s) %s; urgency=medium\n\n  * Built from %s.\n\n -- %s  %s\n\n' \
    "$source_name" "$version" "$distribution" "$built_from" "${maintainer:-Vuska <vuska@example.invalid>}" \
    "$(LC_ALL=C date -u -R -d "@$time")"
  cat "$changelog"
fi
