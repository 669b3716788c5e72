#!/usr/bin/env bash
# Builds Quendrel and runs it on a demo mail store, beside the stand-in mail client, in a Wine
# prefix of its own (build/demo/wine).
#   - On a real display the program stays up until you quit it (or press Enter here).
#   - Without one (Xvfb) the demo plays the user: it shows the "Setting" page, presses "Start",
#     shows the alert popups, lets the stand-in receive mail, and saves screenshots under
#     build/demo/shots/.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=${QUENDREL_BUILD:-$root/build}/win
demo=$root/build/demo
state=$demo/wine
shots=$demo/shots

"$root/tools/setup.sh"

echo "== building (build/win)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target quendrel msimn quendrel-dbxgen quendrel-store quendrel-demo-driver \
  quendrel-skin-gallery

quendrel_exe=$build/app/quendrel.exe
msimn_exe=$build/tools/msimn/msimn.exe
dbxgen_exe=$build/tools/dbxgen/quendrel-dbxgen.exe
store_exe=$build/tools/storetool/quendrel-store.exe
driver_exe=$build/app/quendrel-demo-driver.exe
gallery_exe=$build/app/quendrel-skin-gallery.exe

real_display=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then real_display=yes; fi

echo "== Wine session (build/demo/wine)"
"$root/tools/wine/session.sh" up "$state"
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
DISPLAY=$(cat "$state/display")
export DISPLAY
cleanup() {
  # Only this demo's prefix: its wineserver, then the Xvfb the session started (if any).
  WINEPREFIX=$state/prefix wineserver -k >/dev/null 2>&1 || true
  "$root/tools/wine/session.sh" down "$state" >/dev/null || true
}
trap cleanup EXIT

. "$root/tools/demo/wine-registry.sh"

echo "== demo store"
store_win='C:\QuendrelDemo\Store'
store_unix=$WINEPREFIX/drive_c/QuendrelDemo/Store
rm -rf "$WINEPREFIX/drive_c/QuendrelDemo"
mkdir -p "$store_unix"
wine "$dbxgen_exe" --demo "$store_win" </dev/null
# Two more folders with unread mail, so the first check raises three alerts that stack.
wine "$dbxgen_exe" --messages 6 --unread 2 --seed 4 "$store_win\\Work.dbx" </dev/null
wine "$dbxgen_exe" --messages 4 --unread 1 --seed 5 "$store_win\\Lists.dbx" </dev/null
reg_add 'HKCU\Software\Microsoft\Outlook Express' /v 'Store Root' /t REG_SZ /d "$store_win"
"$root/tools/demo/register-standin.sh" "$state" "$msimn_exe"
# A fresh program key with Inbox, Work and Lists watched; the rest of the keys and settings come from the program.
quiet wine reg delete 'HKCU\SOFTWARE\Quendrel' /f || true
watch_folders Inbox Work Lists
# The alert sound is the user's, not the program's: the demo gives its prefix a chime where the
# sound call looks for a bare "gotmail.wav" (the Windows folder).
python3 "$root/tools/demo/make-gotmail-wav.py" "$WINEPREFIX/drive_c/windows/gotmail.wav"

show_store() {
  echo "-- quendrel-store --folder: $1"
  wine "$store_exe" --folder "$store_win" </dev/null || true
  echo "-- quendrel-store Inbox.dbx"
  wine "$store_exe" "$store_win\\Inbox.dbx" </dev/null || true
}
show_store "before the demo"

# Everything on one Wine desktop: the program finds the mail client's window only there. The
# desktop gets Wine's taskbar with its notification area (off by default for a named desktop).
reg_add 'HKCU\Software\Wine\Explorer\Desktops\Quendrel' /v EnableShell /t REG_DWORD /d 1
# On Xvfb the desktop fills the whole screen, so the screenshots show nothing but the desktop.
desktop=/desktop=Quendrel,1024x768
[ "$real_display" = yes ] || desktop=/desktop=Quendrel,$(xdpyinfo | awk '/dimensions:/ {print $2}')
on_desktop() { wine explorer "$desktop" "$@" </dev/null >/dev/null 2>&1 & }
report=$demo/driver.txt
drive() {  # runs the driver on the desktop and waits for its one-line report
  local quiet=no
  if [ "$1" = --quiet ]; then quiet=yes; shift; fi
  rm -f "$report"
  on_desktop "$driver_exe" "$(winepath -w "$report")" "$@"
  local i
  for i in $(seq 1 300); do [ -s "$report" ] && break; sleep 0.1; done
  local result
  result=$(tr -d '\r' <"$report" 2>/dev/null || echo "failed: no report")
  [ "$quiet" = yes ] || echo "driver $*: $result"
  [ "$result" = ok ]
}

echo "== starting the stand-in mail client and Quendrel on desktop \"Quendrel\""
on_desktop "$msimn_exe"
drive wait-window "Outlook Express" 20 || true
on_desktop "$quendrel_exe"

if [ "$real_display" = yes ]; then
  drive wait-window Quendrel 30 || true
  echo "Quendrel runs in the Wine desktop window \"Quendrel\" beside the stand-in mail client."
  echo "Quit it with its Exit button, or press Enter here to end the demo."
  # Until the program's windows are gone (Exit) or Enter is pressed.
  until drive --quiet wait-gone Quendrel 2; do
    if read -r -t 1 _; then break; fi
  done
  show_store "after the demo"
  exit 0
fi

mkdir -p "$shots"
rm -f "$shots"/*.png "$shots"/gallery.txt
shot() {
  import -display "$DISPLAY" -window root "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}
# The main window alone, cut out of screenshot FROM (the desktop fills the screen at its origin).
window_shot() {  # NAME FROM
  local rect=$demo/window-rect.txt
  rm -f "$rect"
  drive --quiet window-rect Quendrel "$(winepath -w "$rect")" &&
    convert "$shots/$2.png" -crop "$(tr -d '\r\n' <"$rect")" +repage "$shots/$1.png" &&
    echo "screenshot: $shots/$1.png" || echo "window shot $1: failed"
}
drive wait-window Quendrel 30
sleep 1
shot 01-setting-page
window_shot window-setting-stopped 01-setting-page
drive click Quendrel Start
# The first check alerts on the three watched folders: three popups slide out of the taskbar and
# stack above it (about 0.4 s), and stay for 10 seconds.
sleep 2
shot 02-alert-popups
# The first check posts Send/Receive to the stand-in, which takes in new mail; Quendrel goes to the
# tray, and the check hides the window titled "Outlook Express" that Send/Receive brings up.
sleep 2
shot 03-after-start
# The tray icon's menu, opened by a right click on the icon.
drive tray-click right
sleep 1
shot 04-tray-menu
drive menu-choose 2  # "Show Outlook Express"
sleep 1
# A left click on the icon brings Quendrel back.
drive tray-click left
sleep 1
shot 05-mail-received
window_shot window-setting-running 05-mail-received
# The icon's menu again: "About" shows the window on its About page.
drive tray-click right
sleep 1
drive menu-choose 7  # "About"
sleep 1
shot 06-about-page
window_shot window-about 06-about-page
# Meanwhile the user has read the mail in Lists; the window goes back to the tray, the mouse leaves
# the icon.
wine "$dbxgen_exe" --messages 4 --unread 0 --seed 5 "$store_win\\Lists.dbx" </dev/null
drive close Quendrel
drive park-mouse
# A full-screen program of the demo's own comes to the front, and the client's Send/Receive takes
# in new mail: the new-message event's check alerts Inbox and Work, and both alerts wait.
drive full-screen Slides 60
drive send-receive
sleep 2
shot 07-alert-held
# The full-screen program ends: within half a second both popups slide out, stacked, one sound.
drive close Slides
sleep 1.5
shot 08-held-alerts-released
# Once the popups have gone, the mouse rests on the tray icon: its tooltip lists the two folders.
sleep 11
drive tray-hover
sleep 2
shot 09-tray-tooltip
convert "$shots/09-tray-tooltip.png" -gravity SouthEast -crop 320x160+0+0 +repage -scale 300% \
  "$shots/09-tray-tooltip-tray.png" && echo "screenshot: $shots/09-tray-tooltip-tray.png"
# The notification area before and after: the icon turns blue once an alert was raised.
for n in 01-setting-page 03-after-start; do
  convert "$shots/$n.png" -gravity SouthEast -crop 160x40+0+0 +repage -scale 400% "$shots/$n-tray.png" &&
    echo "screenshot: $shots/$n-tray.png"
done
# The five built-in styles, a window each, on top of the demo's windows.
on_desktop "$gallery_exe" "$(winepath -w "$shots")"
for _ in $(seq 1 300); do [ -s "$shots/gallery.txt" ] && break; sleep 0.1; done
echo "skin gallery: $(tr -d '\r' <"$shots/gallery.txt" 2>/dev/null || echo "failed: no report")"
for f in "$shots"/gallery-*.bmp; do
  [ -f "$f" ] && convert "$f" "${f%.bmp}.png" && rm -f "$f" && echo "screenshot: ${f%.bmp}.png"
done
show_store "after the stand-in received mail"
echo "== screenshots in $shots"
