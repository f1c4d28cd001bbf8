#!/usr/bin/env bash
# Builds the Debian package of the game on Debian 12: dist/vuska_<version>_<arch>.deb (with its
# debug symbols, .buildinfo and .changes beside it), then runs lintian on it.
#
#   bash scripts/package.sh
#
# Installs what the build needs when missing (root or sudo; without either it says what is
# missing and stops). The package is built from a copy of the tree in a temporary folder, so
# the checkout gets no build files; a checkout with uncommitted changes or a tree outside git
# still builds, under a version that says so (scripts/package-version.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
top=$PWD

bash scripts/deps.sh build-essential debhelper dpkg-dev lintian appstream

# One time for the version and the changelog entry that names it.
VUSKA_PACKAGE_TIME=$(date +%s)
export VUSKA_PACKAGE_TIME
version=$(bash scripts/package-version.sh "$top")
arch=$(dpkg --print-architecture)
upstream=${version%%-*}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/vuska-$upstream
mkdir "$src"

# The files git knows and the new ones it does not ignore, as they are in the working tree.
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do
      if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
    done |
    tar -cf - --null --no-recursion -T - | tar -xf - -C "$src"
else
  tar -cf - --exclude=./.git --exclude='./build*' --exclude=./dist --exclude=./obj-* . | tar -xf - -C "$src"
fi
bash scripts/package-version.sh --changelog "$top" >"$work/changelog"
mv "$work/changelog" "$src/debian/changelog"

echo "Building vuska $version for $arch in $src"
(cd "$src" && nice dpkg-buildpackage -b -us -uc -J"$(nproc)") >"$work/build.log" 2>&1 ||
  { tail -40 "$work/build.log"; echo "error: the package build failed" >&2; exit 1; }

mkdir -p dist
rm -f dist/vuska_"$version"_* dist/vuska-dbgsym_"$version"_*
cp "$work"/vuska_"$version"_"$arch".{deb,buildinfo,changes} dist/
cp "$work"/vuska-dbgsym_"$version"_"$arch".deb dist/ 2>/dev/null || true
cp "$work/build.log" dist/vuska_"$version"_"$arch".build
deb=dist/vuska_${version}_$arch.deb
echo "Built $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends Installed-Size

echo "lintian:"
lintian --pedantic --display-info --fail-on error,warning "$deb"
echo "lintian: no errors or warnings"
