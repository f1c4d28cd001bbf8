#!/usr/bin/env bash
# The installation set's programs are lean and hardened as a distribution's: no debug
# information in the set (it lies in the build's debug folder, named by a debug link), PIE,
# full RELRO, the stack protector, fortified calls and control-flow protection; and the ZIP
# of the set is small.
#   test_release_set.sh SET_DIR DEBUG_DIR COMPILE_COMMANDS_JSON SOURCE_DIR
set -u
set_dir=$1 debug_dir=$2 compile_commands=$3 source_dir=$4
export LC_ALL=C
failures=0
check() { # check PROGRAM WHAT COMMAND...: the command must succeed
  local program=$1 what=$2; shift 2
  if "$@" >/dev/null 2>&1; then echo "ok   $program: $what"; else echo "FAIL $program: $what"; failures=$((failures + 1)); fi
}
for program in vuska.exe setup.exe; do
  file=$set_dir/$program
  sections=$(readelf -S -W "$file")
  dynamic=$(readelf -d -W "$file")
  check $program "no debug information" bash -c '! grep -q "\.debug_" <<< "$1"' _ "$sections"
  check $program "no symbol table" bash -c '! grep -q " \.symtab " <<< "$1"' _ "$sections"
  check $program "debug link to its debug file" bash -c \
    'readelf -p .gnu_debuglink "$1" | grep -q "$2.debug" && readelf -S -W "$3/$2.debug" | grep -q "\.debug_info"' \
    _ "$file" "$program" "$debug_dir"
  check $program "position-independent (PIE)" bash -c 'readelf -h "$1" | grep -q "Type: *DYN"' _ "$file"
  check $program "full RELRO" bash -c 'readelf -l -W "$1" | grep -q GNU_RELRO && grep -Eq "BIND_NOW|FLAGS_1.*NOW" <<< "$2"' \
    _ "$file" "$dynamic"
  check $program "stack protector" bash -c 'readelf --dyn-syms -W "$1" | grep -q __stack_chk_fail' _ "$file"
  # Our code carries the branch-target marks; the program as a whole is not marked, since
  # Debian 12's C start-up files are not.
  check $program "control-flow protection (endbr64 marks)" bash -c \
    '[ "$(objdump -d --no-show-raw-insn "$1" | grep -c endbr64)" -gt 1000 ]' _ "$file"
done
# Fortification shows in a program only where it calls a function that it replaces, and ours
# call none (readelf finds no __*_chk but __stack_chk_fail); so every source of the programs
# must have been compiled optimised, fortified and protected.
unhardened=$(awk -v top="$source_dir/" '
  /"command":/ { command = $0 }
  /"file":/ {
    if (index($0, top "game/") || index($0, top "platform/") || index($0, top "setup/")) {
      if (command !~ /-D_FORTIFY_SOURCE=2/ || command !~ / -O[1-3s]/ ||
          command !~ /-fstack-protector-strong/ || command !~ /-fcf-protection/) print $0
    }
  }' "$compile_commands")
check "compile commands" "every source of the programs optimised and hardened" test -z "$unhardened"
[ -z "$unhardened" ] || echo "$unhardened" | head -5

# What a user downloads stays small.
check vuska122.zip "at most 2 MB" bash -c '[ "$(stat -c %s "$1")" -le 2097152 ]' _ "$set_dir.zip"
[ "$failures" -eq 0 ]
