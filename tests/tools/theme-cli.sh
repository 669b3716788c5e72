#!/bin/sh
# quendrel-theme as a user runs it (native build): a built-in style through a theme file and back,
# and the exit codes of bad calls.   theme-cli.sh TOOL ART_DIR
set -eu
tool=$1 art=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "theme-cli: $*" >&2; exit 1; }

"$tool" style BlueGlass "$art" "$work/style"
"$tool" build "$work/style" "$work/a.qst"
"$tool" dump "$work/a.qst" "$work/dumped"
"$tool" build "$work/dumped" "$work/b.qst"
cmp -s "$work/a.qst" "$work/b.qst" || fail "build, dump, build gave different files"
grep -qx 'FormRoundCornerInt=11' "$work/dumped/values.txt" || fail "values.txt lacks FormRoundCornerInt=11"
cmp -s "$art/BLUEGLASS_BUTTON.bmp" "$work/dumped/ButtonImage.bmp" || fail "ButtonImage.bmp is not the style's button"

printf 'not a theme' >"$work/bad.qst"
rc=0; "$tool" dump "$work/bad.qst" "$work/x" 2>"$work/err" || rc=$?
[ "$rc" = 1 ] && grep -q 'Invalid skin file!' "$work/err" || fail "a file without the magic: exit $rc"
head -c 200 "$work/a.qst" >"$work/cut.qst"
rc=0; "$tool" dump "$work/cut.qst" "$work/y" 2>"$work/err" || rc=$?
[ "$rc" = 1 ] && grep -q 'Stream read error' "$work/err" || fail "a cut file: exit $rc"
rc=0; "$tool" frobnicate 2>/dev/null || rc=$?
[ "$rc" = 2 ] || fail "an unknown command: exit $rc"
echo "theme-cli: ok"
