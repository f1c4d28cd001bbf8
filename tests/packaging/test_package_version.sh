#!/usr/bin/env bash
# The package's version says what it was built from: the changelog's own for a clean git
# checkout, +dirty... for one with changes, +unversioned... outside git; and only then does the
# changelog to build with get an entry of its own on top of the committed one.
#   test_package_version.sh PATH/TO/package-version.sh
set -uo pipefail
script=$(realpath "$1")
fail() { echo "FAIL: $*"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# One time for every call, as package.sh gives it: the version and the changelog must agree.
export VUSKA_PACKAGE_TIME=1796786400   # 2026-12-09 03:20:00 UTC
git_() { git -c user.name=Testaaja -c user.email=testaaja@example.invalid -c init.defaultBranch=main "$@"; }

# A tree with a changelog, committed in git unless the case says otherwise.
make_tree() {  # DIR IN_GIT
  mkdir -p "$1/debian"
  printf 'vuska (1.22-1) unstable; urgency=medium\n\n  * Release.\n\n -- Oona Ohjelmoija <vuska@example.invalid>  Wed, 09 Dec 2026 03:00:00 +0000\n' >"$1/debian/changelog"
  printf 'Source: vuska\nMaintainer: Oona Ohjelmoija <vuska@example.invalid>\n' >"$1/debian/control"
  printf '/build/\n' >"$1/.gitignore"
  echo 'int main() {}' >"$1/main.cpp"
  if [ "$2" = yes ]; then
    git_ -C "$1" init -q && git_ -C "$1" add -A && git_ -C "$1" commit -q -m Release || fail "cannot make a git tree"
  fi
}

dirty='1\.22-1\+dirty20261209\.032000\.g[0-9a-f]{7,}'
n=0
# case | in git | what is done to the tree | expected version (extended regex) | new changelog entry
while IFS='|' read -r name in_git change pattern entry; do
  n=$((n + 1)); tree=$scratch/$n
  [ "$pattern" != DIRTY ] || pattern=$dirty
  make_tree "$tree" "$in_git"
  (cd "$tree" && eval "$change") || fail "$name: cannot prepare the tree"
  version=$(bash "$script" "$tree") || fail "$name: package-version.sh failed"
  [[ $version =~ ^$pattern$ ]] || fail "$name: version [$version] does not match [$pattern]"
  built=$(bash "$script" --changelog "$tree") || fail "$name: package-version.sh --changelog failed"
  if [ "$entry" = none ]; then
    [ "$built" = "$(cat "$tree/debian/changelog")" ] || fail "$name: the changelog to build with is not the committed one"
  else
    first=$(head -n 1 <<<"$built")
    [ "$first" = "vuska ($version) unstable; urgency=medium" ] || fail "$name: the new entry starts [$first]"
    grep -q "^  \* Built from $entry" <<<"$built" || fail "$name: the new entry does not say it was built from $entry"
    grep -Eq '^ -- Oona Ohjelmoija <vuska@example.invalid>  Wed, 09 Dec 2026 03:20:00 \+0000$' <<<"$built" ||
      fail "$name: the new entry has no maintainer line of the changelog's form"
    [ "$(tail -n +7 <<<"$built")" = "$(cat "$tree/debian/changelog")" ] || fail "$name: the committed entries do not follow unchanged"
  fi
  cmp -s <(git -C "$tree" show HEAD:debian/changelog 2>/dev/null || cat "$tree/debian/changelog") "$tree/debian/changelog" ||
    fail "$name: the committed changelog was changed"
  echo "ok: $name: $version"
done <<'EOT'
a clean checkout|yes|true|1\.22-1|none
an ignored file only|yes|mkdir build && touch build/x|1\.22-1|none
a changed file|yes|echo '// x' >>main.cpp|DIRTY|a git checkout with uncommitted changes
a new file|yes|touch new.cpp|DIRTY|a git checkout with uncommitted changes
a staged removal|yes|git rm -q main.cpp|DIRTY|a git checkout with uncommitted changes
outside git|no|true|1\.22-1\+unversioned20261209\.032000|a source tree outside git
EOT
