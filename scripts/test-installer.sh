#!/usr/bin/env bash
# The Windows installer's round trip under Wine, in a Wine prefix of its own made afresh: a
# silent install, its files, shortcuts and registry keys; the installed program started through
# the "Send to" shortcut with two files, as Explorer does, listing both in a fixed window, and
# its help opened once; then a silent uninstall that leaves nothing behind. Needs a display
# with a window manager (scripts/test-windows.sh runs it on its own).
# Usage: scripts/test-installer.sh [BUILD_DIR]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(cd "${1:-build-windows}" && pwd)
setup=$(ls "$build_dir"/Chronodex-*-setup.exe)
version=$(basename "$setup" | sed 's/^Chronodex-\(.*\)-setup\.exe$/\1/')
[ -n "${DISPLAY:-}" ] || { echo "test-installer: no display (run scripts/test-windows.sh)" >&2; exit 1; }

export WINEPREFIX="$build_dir/wineprefix-setup"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT

checks=0
fail() { echo "test-installer: FAIL: $*" >&2; exit 1; }
pass() { checks=$((checks + 1)); }
# Runs a Windows program and waits until every program of the prefix has ended (the
# uninstaller goes on in a copy of itself).
run() { wine "$@" </dev/null >/dev/null 2>&1 || true; wineserver -w; }
key() { wine reg query "$1" </dev/null 2>/dev/null | tr -d '\r'; }
has_key() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
unix() { winepath -u "$1" 2>/dev/null; }

run cmd /c exit # a new prefix
drive=$WINEPREFIX/drive_c
program_dir="$drive/Program Files/Chronodex"
start_menu="$(unix "$(wine cmd /c echo %ProgramData% </dev/null 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/Chronodex.lnk"
send_to="$(unix "$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')")/Microsoft/Windows/SendTo/Chronodex.lnk"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Chronodex'
verbs=('HKLM\Software\Classes\*\shell\Chronodex' 'HKLM\Software\Classes\Directory\shell\Chronodex')

SECONDS=0
run "$setup" /S
for f in chronodex.exe Help.html uninstall.exe; do
  [ -f "$program_dir/$f" ] || fail "not installed: Program Files\\Chronodex\\$f"; pass
done
for link in "$start_menu" "$send_to"; do [ -f "$link" ] || fail "no shortcut $link"; pass; done
for value in "DisplayName.*Chronodex" "DisplayVersion.*$version" "Publisher.*Chronodex developers" \
  'UninstallString.*"C:\\Program Files\\Chronodex\\uninstall.exe"' \
  'QuietUninstallString.*uninstall.exe" /S'; do
  key "$uninstall" | grep -q "$value" || fail "Apps & features: no $value"; pass
done
for verb in "${verbs[@]}"; do
  key "$verb\\command" | grep -qF '"C:\Program Files\Chronodex\chronodex.exe" "%1"' ||
    fail "no context-menu command in $verb"; pass
done
echo "Installed in $SECONDS s: the program, its help, the uninstaller, two shortcuts, the keys"

# "Send to" with two files: one window lists both, ticked. Its style has no sizing border and
# no minimise or maximise box, which Wine hands on to the window manager as Motif hints (their
# functions without resize 0x2, minimise 0x8 and maximise 0x10) and a fixed size.
mkdir -p "$drive/sent"
echo one >"$drive/sent/first file.txt"
echo two >"$drive/sent/second.txt"
wine start "$(winepath -w "$send_to")" 'C:\sent\first file.txt' 'C:\sent\second.txt' \
  </dev/null >/dev/null 2>&1
title='Chronodex - 2 files, no directories ticked.'
window=
for _ in $(seq 120); do # windows come and go while Wine starts the program: look again
  window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || fail "no window \"$title\" after Send to with two files"
pass
motif=$(xprop -id "$window" _MOTIF_WM_HINTS | sed -n 's/.* = //p')
IFS=', ' read -r flags functions _ <<<"$motif"
if [ -z "$motif" ] || ! ((flags & 1)) || ((functions & 0x1a)); then
  fail "the window's style offers to resize, minimise or maximise it: $motif"
fi
pass
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
min=$(sed -n 's/.*minimum size: //p' <<<"$hints")
max=$(sed -n 's/.*maximum size: //p' <<<"$hints")
[ -n "$min" ] && [ "$min" = "$max" ] || fail "the window can be resized: $hints"
pass
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q MOVE <<<"$actions" && ! grep -q MAXIMIZE <<<"$actions" ||
  fail "the window manager offers to maximise the window: $actions"
pass

# Help > Help file hands the installed Help.html to its application once: an association that
# notes each document it is given (Wine's shell answers 33 for it). Neither the program's own
# help window nor the question "Help not found" follows.
wine reg add 'HKLM\Software\Classes\.html' /ve /d htmlfile /f </dev/null >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\htmlfile\shell\open\command' /ve /f \
  /d 'cmd.exe /c echo %1>>C:\opened.txt' </dev/null >/dev/null 2>&1
xdotool windowactivate --sync "$window" key --delay 300 alt+h h
for _ in $(seq 40); do [ -s "$drive/opened.txt" ] && break; sleep 0.5; done
sleep 2
opened=$(tr -d '\r' <"$drive/opened.txt" 2>/dev/null || true)
[ "$opened" = 'C:\Program Files\Chronodex\Help.html' ] || fail "help documents opened: $opened"
pass
for other in 'Chronodex - Help' 'Chronodex - Help not found.'; do
  [ -z "$(xdotool search --name "^$other\$" 2>/dev/null)" ] || fail "help opened twice: $other"
  pass
done

wine taskkill /im chronodex.exe </dev/null >/dev/null 2>&1 || true
wineserver -w

SECONDS=0
run "C:\\Program Files\\Chronodex\\uninstall.exe" /S
[ ! -e "$program_dir" ] || fail "left behind: $(ls -A "$program_dir")"
pass
for link in "$start_menu" "$send_to"; do [ ! -e "$link" ] || fail "left behind: $link"; pass; done
for k in "$uninstall" "${verbs[@]}"; do ! has_key "$k" || fail "left behind: $k"; pass; done
echo "Uninstalled in $SECONDS s, nothing left"
echo "test-installer: $checks checks passed"
