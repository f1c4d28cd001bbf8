#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when missing.
# Needs root, or sudo for apt-get. Further package names may be given as arguments.
set -euo pipefail
. "$(dirname "$0")/environment.sh"

packages=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland qt6-translations-l10n libqt6sql6-sqlite
  qt6-tools-dev qt6-l10n-tools
  libsqlite3-dev sqlite3
  fonts-liberation2
  xvfb xauth x11-utils xdotool openbox imagemagick desktop-file-utils appstream
  zip unzip
)
packages+=("$@")  # a caller's own, e.g. the fuzzing build's clang

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "error: these Debian packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
