#!/usr/bin/env bash
# The catalogues are whole: lupdate finds no text in the sources that a .ts file lacks (the
# files are up to date; nothing changes when it runs), and lrelease finds every text of every
# .ts file translated and finished.
#   test_catalogues.sh CMAKE LUPDATE LRELEASE GENERATE_SCRIPT TS_DIR LANGUAGES "LUPDATE_OPTIONS" NAME=PROJECT...
# where PROJECT is the lupdate project (.cmake) CMake wrote for catalogue NAME.
set -uo pipefail
cmake=$1 lupdate=$2 lrelease=$3 generate=$4 ts_dir=$5 languages=$6 options=$7
shift 7
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for catalogue in "$@"; do
  name=${catalogue%%=*} project=${catalogue#*=}
  "$cmake" -DIN_FILE="$project" -DOUT_FILE="$work/$name.json" -P "$generate" >"$work/log" 2>&1 ||
    { cat "$work/log"; fail "cannot make the lupdate project of $name"; }
  for language in $languages; do
    ts=$ts_dir/${name}_$language.ts
    [ -f "$ts" ] || fail "$ts is missing"
    cp "$ts" "$work/$name.ts"
    # shellcheck disable=SC2086
    "$lupdate" -project "$work/$name.json" $options -ts "$work/$name.ts" >"$work/log" 2>&1 ||
      { cat "$work/log"; fail "lupdate failed on $name"; }
    grep -q "(0 new and" "$work/log" || { cat "$work/log"; fail "$ts lacks texts of the sources (run the update_translations target)"; }
    differences=$(diff "$ts" "$work/$name.ts") ||
      fail "$ts is not as lupdate leaves it (a text gone from the sources, or edited by hand?):
$differences"
    "$lrelease" "$ts" -qm "$work/$name.qm" >"$work/log" 2>&1 || { cat "$work/log"; fail "lrelease failed on $ts"; }
    counts=$(grep -o "Generated [0-9]* translation(s) ([0-9]* finished and [0-9]* unfinished)" "$work/log")
    [[ $counts =~ \ 0\ unfinished ]] && ! grep -q "untranslated" "$work/log" ||
      { cat "$work/log"; fail "$ts has texts without a finished translation"; }
    echo "ok: $(basename "$ts"): $counts"
  done
done
