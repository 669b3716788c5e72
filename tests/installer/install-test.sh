#!/usr/bin/env bash
# The installer on a fresh Wine prefix, the way a user meets it:
#   install-test.sh BUILD_DIR STATE_DIR DRIVER.exe VERSION
# BUILD_DIR holds the build the installer was packed from and its Quendrel-VERSION-win64.exe
# (tools/build-installer.sh); its programs are shipped stripped, so they are compared stripped;
# DRIVER.exe is quendrel-demo-driver, which finds and presses the program's buttons. Installs
# silently, checks files, uninstall entry and Start-menu entry, starts the installed program (its
# window comes up, "Help" hands the installed help file to the shell, "Exit" ends it), installs
# again with the logon choice, uninstalls silently and checks that only the user's settings are left.
# Prints the figures (sizes, times) and one line per check; exits 1 when a check fails.
set -uo pipefail
release=$(cd "${1:?usage: install-test.sh BUILD_DIR STATE_DIR DRIVER.exe VERSION}" && pwd)
state=${2:?}
driver=${3:?}
version=${4:?}
root=$(cd "$(dirname "$0")/../.." && pwd)
session=$root/tools/wine/session.sh
installer=$release/Quendrel-$version-win64.exe
passed=0 failed=0

check() {  # description command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failed=$((failed + 1)); fi
}
finish() {
  "$session" down "$state" >/dev/null 2>&1
  echo "$passed passed, $failed failed"
  # A bare exit in an EXIT trap keeps the status from before the trap: a failed check must fail the test.
  [ "$failed" = 0 ]
  exit $?
}
[ -f "$installer" ] || { echo "no installer $installer (tools/build-installer.sh first)"; exit 1; }

# A fresh prefix every time: what was left by an earlier run must not count.
rm -rf "$state"
mkdir -p "$state"
state=$(cd "$state" && pwd)
trap finish EXIT
"$session" up "$state" >/dev/null || { echo "FAILED: Wine session"; failed=1; exit; }
export WINEPREFIX=$state/prefix WINEDEBUG=-all DISPLAY=$(cat "$state/display")
# No Linux menu entries for the Start-menu shortcut (winemenubuilder would write into $HOME).
export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d;winemenubuilder.exe=d"

c=$WINEPREFIX/drive_c
dir="$c/Program Files/Quendrel"
win_dir='C:\Program Files\Quendrel'
menu_link="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quendrel.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quendrel'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\SOFTWARE\Quendrel'

# The data of a registry value ("" when it or its key is missing).
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)\$/\1/p"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
now_ms() { date +%s%3N; }
win_path() { printf 'Z:%s' "${1//\//\\}"; }
drive() {  # driver command args...: runs quendrel-demo-driver and passes on its report
  local report=$state/driver.txt
  rm -f "$report"
  wine "$driver" "$(win_path "$report")" "$@" </dev/null >/dev/null 2>&1
  [ "$(cat "$report" 2>/dev/null)" = ok ] || { echo "  driver $*: $(cat "$report" 2>/dev/null)"; return 1; }
}
wait_for() {  # seconds command...: polls the command every 0.1 s
  local limit=$(( $1 * 10 )) i; shift
  for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

# --- the program the installer ships: the build's own, stripped as packing strips it
exe=$state/quendrel.exe
x86_64-w64-mingw32-strip -o "$exe" "$release/app/quendrel.exe"

# --- silent install
start=$(now_ms)
wine "$installer" /S </dev/null >/dev/null 2>&1
install_ms=$(( $(now_ms) - start ))
check "installer exits" test -d "$dir"
installed=$(cd "$dir" 2>/dev/null && ls | sort | tr '\n' ' ')
check "installed files: $installed" \
  test "$installed" = "Uninstall.exe quendrel-store.exe quendrel.exe quendrelhelp.chm "
# Stripping stamps the time into the PE header (and so its checksum): those two fields may differ.
check "installed quendrel.exe is the built program, stripped" \
  python3 -c "import struct, sys; a, b = (bytearray(open(f, 'rb').read()) for f in sys.argv[1:])
for d in (a, b):
    pe = struct.unpack_from('<I', d, 0x3c)[0]
    d[pe + 8:pe + 12] = d[pe + 88:pe + 92] = bytes(4)
sys.exit(a != b)" "$exe" "$dir/quendrel.exe"
objdump=x86_64-w64-mingw32-objdump
check "installed quendrel.exe has no debug sections" \
  bash -c "! $objdump -h '$dir/quendrel.exe' | grep -q '\.debug'"
check "installed quendrel.exe has no symbol table" \
  bash -c "$objdump -t '$dir/quendrel.exe' | grep -q 'no symbols'"
check "installed quendrel.exe needs no MinGW runtime DLLs" \
  bash -c "! $objdump -p '$dir/quendrel.exe' | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'"
check "installed quendrel.exe carries the version $version in its version resource" \
  python3 -c "import re, sys; u=lambda t: re.escape(t.encode('utf-16-le')); d=open(sys.argv[1], 'rb').read()
sys.exit(not all(re.search(u(k) + b'(\\x00\\x00)+' + u(sys.argv[2]) + b'\\x00\\x00', d) for k in ('FileVersion', 'ProductVersion')))" \
  "$dir/quendrel.exe" "$version"
check "installed help file is the built one" cmp -s "$release/app/quendrelhelp.chm" "$dir/quendrelhelp.chm"
check "Start-menu entry points at the program" bash -c "grep -aq 'quendrel.exe' '$menu_link'"
check "uninstall entry: name" test "$(reg_value "$uninstall_key" DisplayName)" = Quendrel
check "uninstall entry: version" test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
check "uninstall entry: publisher" test "$(reg_value "$uninstall_key" Publisher)" = Quendrel
check "uninstall entry: icon" test "$(reg_value "$uninstall_key" DisplayIcon)" = "$win_dir\\quendrel.exe,0"
check "uninstall entry: uninstaller" test "$(reg_value "$uninstall_key" UninstallString)" = "\"$win_dir\\Uninstall.exe\""
estimated=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
installed_kb=$(du -sk "$dir" | cut -f1)
check "uninstall entry: size ${estimated} KiB (on disk ${installed_kb} KiB)" \
  test "$estimated" -gt 0 -a "$estimated" -le $((installed_kb + 8)) -a "$estimated" -ge $((installed_kb * 9 / 10))
check "no logon entry unless chosen" test -z "$(reg_value "$run_key" Quendrel)"

# --- the installed program, once. Its Help goes to the shell; a stand-in for the help viewer
# records what it was asked to open.
opened=$c/help-opened.txt
wine reg add 'HKLM\Software\Classes\.chm' /ve /d Quendrel.TestHelp /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\Quendrel.TestHelp\shell\open\command' /ve \
  /d 'C:\windows\system32\cmd.exe /c echo %1>C:\help-opened.txt' /f >/dev/null 2>&1
wine "$win_dir\\quendrel.exe" </dev/null >/dev/null 2>&1 &
program=$!
check "the installed program's window appears" drive wait-window Quendrel 30
check "its Help button presses" drive click Quendrel Help
wait_for 20 test -s "$opened"
check "Help opens the installed help file by its full path: $(tr -d '\r"' <"$opened" 2>/dev/null)" \
  test "$(tr -d '\r"' <"$opened" 2>/dev/null | sed 's/ *$//')" = "$win_dir\\quendrelhelp.chm"
check "its Exit button presses" drive click Quendrel Exit
check "the program ends" wait_for 30 bash -c "! kill -0 $program 2>/dev/null"
kill "$program" 2>/dev/null
check "the program saved its settings" key_exists "$settings_key"

# --- again, with the logon choice: the value the Setting page's logon box writes
start=$(now_ms)
wine "$installer" /S /AUTOSTART </dev/null >/dev/null 2>&1
reinstall_ms=$(( $(now_ms) - start ))
check "logon entry written" test "$(reg_value "$run_key" Quendrel)" = "\"$win_dir\\quendrel.exe\""
check "logon choice shows on the Setting page (startwork 1)" test "$(reg_value "$settings_key" startwork)" = 0x1

# --- silent uninstall. The uninstaller runs on from a copy of itself, so wait for its work.
start=$(now_ms)
wine "$win_dir\\Uninstall.exe" /S </dev/null >/dev/null 2>&1
wait_for 60 bash -c "[ ! -e '$dir' ]"
uninstall_ms=$(( $(now_ms) - start ))
check "program folder removed" test ! -e "$dir"
check "Start-menu entry removed" test ! -e "$menu_link"
check "uninstall entry removed" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "logon entry removed" test -z "$(reg_value "$run_key" Quendrel)"
check "the user's settings are kept" test "$(reg_value "$settings_key" startwork)" = 0x1

cat <<FIGURES
figures:
  installer $(basename "$installer"): $(stat -c %s "$installer") bytes
  shipped quendrel.exe: $(stat -c %s "$exe") bytes
  installed: ${installed_kb} KiB on disk (uninstall entry: ${estimated} KiB)
  silent install: ${install_ms} ms (first program run in the prefix), again over it: ${reinstall_ms} ms
  silent uninstall: ${uninstall_ms} ms (until the program folder is gone)
FIGURES
