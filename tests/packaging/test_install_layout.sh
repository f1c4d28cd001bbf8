#!/usr/bin/env bash
# Installs the build with its install rules into a throw-away DESTDIR under /usr, as the
# Debian package does, and checks the files against a table, the command's link, the icons'
# sizes, the menu entry and the AppStream description (desktop-file-validate, appstreamcli).
#   test_install_layout.sh CMAKE BUILD_DIR SOURCE_DIR PROJECT_VERSION
set -uo pipefail
cmake=$1 build=$2 source=$3 project_version=$4
fail() { echo "FAIL: $*"; exit 1; }
for tool in desktop-file-validate appstreamcli; do
  command -v $tool >/dev/null || fail "$tool is missing (bash scripts/deps.sh installs it)"
done
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >"$dest.log" 2>&1 ||
  { cat "$dest.log"; rm -f "$dest.log"; fail "cmake --install failed"; }
rm -f "$dest.log"

# The table: type (f file, l link), mode, path under DESTDIR.
id=fi.vuska.Vuska
data=usr/share/games/vuska
expected=$(
  echo "f 755 usr/games/vuska"
  for suit in hertta pata risti ruutu; do
    for rank in 2 3 4 5 6 7 8 9 10 11 12 13 a; do echo "f 644 $data/$suit$rank.jpg"; done
  done
  echo "f 644 $data/tausta.jpg"
  echo "f 644 $data/vuska.hlp"
  echo "f 644 $data/vuska122.cnt"
  echo "f 644 usr/share/applications/$id.desktop"
  echo "f 644 usr/share/metainfo/$id.metainfo.xml"
  for side in 16 32 48 64 128 256 512; do echo "f 644 usr/share/icons/hicolor/${side}x$side/apps/$id.png"; done
  echo "f 644 usr/share/icons/hicolor/scalable/apps/$id.svg"
  echo "f 644 usr/share/man/man6/vuska.6"
  echo "f 644 usr/share/man/fi/man6/vuska.6"
  echo "f 644 usr/share/man/sv/man6/vuska.6"
  echo "f 644 usr/share/doc/vuska/readme.txt"
)
actual=$(cd "$dest" && find . -mindepth 1 \( -type f -o -type l \) -printf '%y %m %P\n')
differences=$(diff <(sort <<<"$expected") <(sort <<<"$actual"))
[ -z "$differences" ] || fail "the installed files differ from the table (< table, > installed):
$differences"
echo "ok: the $(wc -l <<<"$expected") installed files are the table's"

# The installed game finds its pictures in the data folder: it deals and paints its window
# within 20 s (a missing picture's error box would wait for ever; the game is killed).
report=$dest/startup-report
home=$(mktemp -d)
trap 'rm -rf "$dest" "$home"' EXIT
env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$home" VUSKA_STARTUP_REPORT="$report" \
  "$dest/usr/games/vuska" >"$home/output" 2>&1 &
game=$!
for _ in $(seq 200); do [ -s "$report" ] && break; kill -0 $game 2>/dev/null || break; sleep 0.1; done
kill -KILL $game 2>/dev/null; wait $game 2>/dev/null
[ -s "$report" ] || fail "the installed game did not show its window: $(cat "$home/output")"
echo "ok: the installed game reads its files from /$data"

# Each picture in a size folder is of that size (the width and height of the PNG header).
for side in 16 32 48 64 128 256 512; do
  png=$dest/usr/share/icons/hicolor/${side}x$side/apps/$id.png
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$size" = "${side}x$side" ] || fail "$png is $size"
done
echo "ok: every icon is of its folder's size"

# The menu entry: desktop-file-validate has nothing to say, and its keys tie it to the game.
entry=$dest/usr/share/applications/$id.desktop
said=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed: $said"
[ -z "$said" ] || fail "desktop-file-validate: $said"
app_id=$(sed -n 's/.*GameAppId\[\] = "\(.*\)";/\1/p' "$source/game/app/appid.h")
[ "$app_id" = "$id" ] || fail "game/app/appid.h names the game [$app_id], the entry's file is $id.desktop"
while read -r key value; do
  got=$(sed -n "s/^$key=//p" "$entry")
  [ "$got" = "$value" ] || fail "the entry's $key is [$got], not [$value]"
done <<EOT
Type Application
Name Vuska
Exec vuska
Icon $id
Terminal false
Categories Game;CardGame;
StartupWMClass $app_id
EOT
for key in Comment Keywords; do
  got=$(grep "^$key=" "$entry")
  [ -n "$got" ] && grep -qxF "$got" "$source/packaging/menutexts.desktop" ||
    fail "the entry's [$got] is not the $key of setup's Vuska shortcut"
done
echo "ok: the menu entry is valid and starts the game's command with its icon and window class"

# The AppStream description: valid, with neither errors nor warnings, naming the entry.
metainfo=$dest/usr/share/metainfo/$id.metainfo.xml
said=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate failed:
$said"
! grep -q '^[EW]:' <<<"$said" || fail "appstreamcli validate warns:
$said"
for element in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
               "<release version=\"$project_version\"" "<binary>vuska</binary>"; do
  grep -qF "$element" "$metainfo" || fail "the metainfo has no $element"
done
echo "ok: the AppStream description is valid and names the entry, the command and this release"

# Each manual page's NAME line, under the section's heading in the page's language (English,
# Finnish, Swedish), is what whatis shows.
while read -r page heading; do
  grep -A1 "^\.SH $heading\$" "$dest/usr/share/man/$page" | grep -q '^vuska \\- ' ||
    fail "the manual page $page has no NAME line \"vuska \\- ...\" under .SH $heading"
done <<EOT
man6/vuska.6 NAME
fi/man6/vuska.6 NIMI
sv/man6/vuska.6 NAMN
EOT
echo "ok: the English, Finnish and Swedish manual pages have their NAME lines"

# The committed changelog is the release's: the project's version, Debian revision 1.
top=$(head -n 1 "$source/debian/changelog")
[[ $top == "vuska ($project_version-1) "* ]] || fail "debian/changelog starts [$top], not vuska ($project_version-1)"
echo "ok: debian/changelog is at $project_version-1"
