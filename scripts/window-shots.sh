#!/usr/bin/env bash
# Takes a screenshot of every page of the main window and of every secondary
# window, each opened as a designer does, so that a change that should leave
# the windows as they are can be checked picture by picture.
# On an Xvfb display without a window manager it starts the editor on the
# sample tiles, opens the sample world (tools/make_world) through File > Open,
# clicks each tab of the main window (the events page's tab is hidden) and
# opens each secondary window from its openers (the way desktop-check.sh
# does), taking one PNG of the window's client area alone per page and window
# (and per inner page of the NPC windows).
# The pictures are meant to be the same on every run of the same build: the
# pointer rests off every window at each shot (no hover), the keyboard focus
# is taken from the editor's windows before each shot (no caret), and a shot
# is only kept once the window has stopped changing (no animation frame).
# Not part of make test: it needs Xvfb, xdotool, xwininfo, xprop, python3 and
# ImageMagick (import, compare).
# Usage: scripts/window-shots.sh [BUILD_DIR [OUT_DIR [DISPLAY_NUMBER]]]
#          (default build/run, build/window-shots, 93)
#        scripts/window-shots.sh --compare DIR_A DIR_B
#          prints the AE (differing pixels) of each pair of PNGs of the same
#          name and fails when one differs, is missing, or the folders are empty.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [ "${1:-}" = --compare ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --compare DIR_A DIR_B" >&2; exit 2; }
  a="$2" b="$3" bad=0 n=0
  shopt -s nullglob
  for f in "$a"/*.png; do
    name="$(basename "$f")"
    n=$((n + 1))
    if [ ! -f "$b/$name" ]; then echo "$name: missing in $b"; bad=$((bad + 1)); continue; fi
    ae="$(compare -metric AE "$f" "$b/$name" null: 2>&1)"
    echo "$name: $ae"
    [ "$ae" = 0 ] || bad=$((bad + 1))
  done
  for f in "$b"/*.png; do
    [ -f "$a/$(basename "$f")" ] || { echo "$(basename "$f"): missing in $a"; bad=$((bad + 1)); }
  done
  [ $n -gt 0 ] || { echo "no pictures in $a"; exit 1; }
  if [ $bad -eq 0 ]; then echo "window-shots: all $n pictures agree"; else echo "window-shots: $bad pictures differ"; fi
  [ $bad -eq 0 ]
  exit
fi

build="${1:-$root/build/run}"
[[ "$build" = /* ]] || build="$root/$build"
out="${2:-$root/build/window-shots}"
[[ "$out" = /* ]] || out="$PWD/$out"
display_number="${3:-93}"
for tool in Xvfb xdotool xprop xwininfo python3 /usr/bin/import compare; do
  command -v "$tool" >/dev/null || { echo "window-shots: $tool is missing" >&2; exit 2; }
done
if [ ! -x "$build/editor" ] || [ ! -x "$build/make_tiles" ] || [ ! -x "$build/make_world" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
  cmake --build "$build" --target editor make_tiles make_world >/dev/null || exit 2
fi
mkdir -p "$out"
rm -f "$out"/*.png
work="$(mktemp -d)"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; wait "${pids[i]}" 2>/dev/null; done
  [ -n "${KEEP_WORK:-}" ] && echo "work folder: $work" || rm -rf "$work"
}
trap cleanup EXIT
"$build/make_tiles" "$work/tiles" >/dev/null
"$build/make_world" "$work/village.wld" >/dev/null

export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
(cd "$work" && exec "$build/editor") >"$work/editor.log" 2>&1 &
pids+=($!)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The program's windows on the screen, bottom first (xwininfo lists the
# root's children top first).
stacking() {
  local w
  for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) ".*/\1/p' | tac); do
    xwininfo -id "$w" | grep -q IsViewable && echo -n "$w "
  done
  echo
}
name_of() { xprop -id "$1" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }
# The client area in screen pixels: X Y W H.
client() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}/^  Width/{w=$2}/^  Height/{h=$2}END{print x, y, w, h}'; }
stack_index() {
  local i=0 w
  for w in $(stacking); do
    [ $((w)) -eq $(($1)) ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}
# Waits until the topmost window is another one than $1; prints it.
wait_new_top() {
  local k t
  for k in $(seq 1 40); do
    t="$(stacking | awk '{print $NF}')"
    if [ -n "$t" ] && [ $((t)) -ne $(($1)) ]; then sleep 0.3; echo "$t"; return 0; fi
    sleep 0.1
  done
  return 1
}

click_at() {  # window x y [button]
  local cx cy cw ch
  read -r cx cy cw ch < <(client "$1")
  xdotool mousemove $((cx + $2)) $((cy + $3)) click "${4:-1}"
  sleep 0.4
}
menu_pick() {  # n: the n-th item of the popup menu that is open
  local keys=()
  for ((k = 0; k < $1; k++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
  sleep 0.6
}

# What a window manager sends to close window argv[1]: WM_DELETE_WINDOW; and
# with "unfocus", the keyboard focus given to the root window, so that no
# window of the editor is active (no caret, no focus frame that blinks).
cat >"$work/x.py" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
if sys.argv[1] == "unfocus":
    x.XSetInputFocus(d, x.XDefaultRootWindow(d), 1, 0)  # RevertToPointerRoot, CurrentTime
else:
    e = Event()
    e.xclient.type = 33  # ClientMessage
    e.xclient.window = int(sys.argv[1], 0)
    e.xclient.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
    e.xclient.format = 32
    e.xclient.l[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(d, e.xclient.window, 0, 0, ctypes.byref(e))
x.XFlush(d)
PY

# shot WINDOW NAME: the pointer off every window, the focus off the editor,
# then the window's client area once two takes in a row agree.
shot() {
  xdotool mousemove 1599 999
  python3 "$work/x.py" unfocus
  sleep 0.5
  local k
  /usr/bin/import -window "$1" "$work/take.png"
  for k in $(seq 1 10); do
    sleep 0.3
    /usr/bin/import -window "$1" "$work/again.png"
    if [ "$(compare -metric AE "$work/take.png" "$work/again.png" null: 2>&1)" = 0 ]; then
      mv "$work/again.png" "$out/$2.png"
      echo "$2: $(name_of "$1")"
      return 0
    fi
    mv "$work/again.png" "$work/take.png"
  done
  fail "$2 kept changing"
  mv "$work/take.png" "$out/$2.png"
}

close_window() {
  python3 "$work/x.py" "$1"
  local k
  for k in $(seq 1 30); do
    [ "$(stack_index "$1")" -lt 0 ] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "$(name_of "$1") ($1) did not close"
}

# ---- the session

main=""
for k in $(seq 1 50); do
  main="$(stacking | awk '{print $1}')"
  [ -n "$main" ] && break
  sleep 0.2
done
sleep 1
main="$(stacking | awk '{print $1}')"
[ -n "$main" ] || { echo "window-shots: the editor's window did not come up" >&2; exit 2; }

# File > Open with the sample world.
click_at "$main" 20 8
xdotool key Down Down Return
sleep 1.5
xdotool type --delay 20 "$work/village.wld"
xdotool key Return
sleep 1

# The pages, left to right, by a click on each tab (x of the tab's middle).
pages=(terr:23 map:70 objects:130 items:194 resources:264 fractions:344 npc:406
       craft:455 paths:510 player:570 triggers:638 test-1:703 test-2:763)
i=0
for p in "${pages[@]}"; do
  i=$((i + 1))
  click_at "$main" "${p#*:}" 31
  shot "$main" "$(printf 'page-%02d-%s' $i "${p%%:*}")"
done

# The secondary windows, from the map page.
click_at "$main" 71 31
cell() { echo $((48 + 32 * $1)) $((122 + 32 * $2)); }

# The object dialog from the chest's menu: "properties"; its page "items":
# the sword, then the bow in the item editor, the bow's arrow in the
# resource editor.
read -r x y < <(cell 3 4)
click_at "$main" "$x" "$y" 3
menu_pick 2
if form2="$(wait_new_top "$main")"; then
  shot "$form2" window-01-object-dialog
  click_at "$form2" 114 13
  shot "$form2" window-02-object-dialog-items
  click_at "$form2" 26 47 3
  if form3="$(wait_new_top "$form2")"; then
    shot "$form3" window-03-item-editor-sword
    close_window "$form3"
  else fail "the item editor did not open from the object dialog"; fi
  click_at "$form2" 59 47 3
  if form3="$(wait_new_top "$form2")"; then
    shot "$form3" window-04-item-editor-bow
    click_at "$form3" 396 220 3
    menu_pick 1
    if form9="$(wait_new_top "$form3")"; then
      shot "$form9" window-05-resource-editor-arrow
      close_window "$form9"
    else fail "the resource editor did not open from the item editor"; fi
    close_window "$form3"
  else fail "the item editor did not open on the bow"; fi
  close_window "$form2"
else fail "the object dialog did not open"; fi

# The ground dialog of the axe's cell, and the axe in the item editor; the
# coins' cell: the coins in the resource editor.
read -r x y < <(cell 13 9)
click_at "$main" "$x" "$y" 3
if form8="$(wait_new_top "$main")"; then
  shot "$form8" window-06-ground-dialog-axe
  click_at "$form8" 24 64 3
  menu_pick 1
  if form3="$(wait_new_top "$form8")"; then
    shot "$form3" window-07-item-editor-axe
    close_window "$form3"
  else fail "the item editor did not open from the ground dialog"; fi
  close_window "$form8"
else fail "the ground dialog did not open"; fi
read -r x y < <(cell 11 9)
click_at "$main" "$x" "$y" 3
if form8="$(wait_new_top "$main")"; then
  shot "$form8" window-08-ground-dialog-coins
  click_at "$form8" 24 64 3
  menu_pick 1
  if form9="$(wait_new_top "$form8")"; then
    shot "$form9" window-09-resource-editor-coins
    close_window "$form9"
  else fail "the resource editor did not open from the ground dialog"; fi
  close_window "$form8"
else fail "the ground dialog did not open on the coins"; fi

# The villager's menu: "inv", the sword it carries in the item editor; then
# "settings".
read -r x y < <(cell 4 5)
click_at "$main" "$x" "$y" 3
menu_pick 1
if form5="$(wait_new_top "$main")"; then
  shot "$form5" window-10-npc-inventory
  click_at "$form5" 87 20
  shot "$form5" window-11-npc-inventory-equipment
  click_at "$form5" 34 57 3
  menu_pick 1
  if form3="$(wait_new_top "$form5")"; then
    shot "$form3" window-12-item-editor-npc-sword
    close_window "$form3"
  else fail "the item editor did not open from the NPC inventory"; fi
  click_at "$form5" 37 20
  shot "$form5" window-19-npc-inventory-doll
  click_at "$form5" 142 20
  shot "$form5" window-20-npc-inventory-parts
  close_window "$form5"
else fail "the NPC inventory did not open"; fi
read -r x y < <(cell 4 5)
click_at "$main" "$x" "$y" 3
menu_pick 2
if form10="$(wait_new_top "$main")"; then
  shot "$form10" window-13-npc-settings
  click_at "$form10" 472 21
  shot "$form10" window-18-npc-settings-attributes
  close_window "$form10"
else fail "the NPC settings did not open"; fi

# The chest's menu: "parts".
read -r x y < <(cell 3 4)
click_at "$main" "$x" "$y" 3
menu_pick 6
if finv="$(wait_new_top "$main")"; then
  shot "$finv" window-14-parts-list
  close_window "$finv"
else fail "the parts list did not open"; fi

# The catalogue pages' buttons: items "EDIT INV", resources "INV", npc "INV".
click_at "$main" 193 31
click_at "$main" 313 529
if form6="$(wait_new_top "$main")"; then
  shot "$form6" window-15-item-template-contents
  close_window "$form6"
else fail "the item template contents did not open"; fi
click_at "$main" 264 31
click_at "$main" 570 129
if form7="$(wait_new_top "$main")"; then
  shot "$form7" window-16-resource-template-contents
  close_window "$form7"
else fail "the resource template contents did not open"; fi
click_at "$main" 405 31
click_at "$main" 207 633
if form4="$(wait_new_top "$main")"; then
  shot "$form4" window-17-npc-template-equipment
  click_at "$form4" 88 21
  shot "$form4" window-21-npc-template-inventory
  click_at "$form4" 142 21
  shot "$form4" window-22-npc-template-parts
  click_at "$form4" 365 21
  shot "$form4" window-23-npc-template-resources
  close_window "$form4"
else fail "the NPC template equipment did not open"; fi

echo
echo "window-shots: $(ls "$out"/*.png | wc -l) pictures in $out, $failures failures"
[ $failures -eq 0 ]
