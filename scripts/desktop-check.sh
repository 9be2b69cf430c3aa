#!/usr/bin/env bash
# Checks under a window manager that every secondary window stays above the
# window that opened it: on an Xvfb display with openbox it starts the editor
# on the sample tiles, opens the sample world (tools/make_world) through
# File > Open, opens each secondary window as a designer does (menus, clicks),
# then clicks its opener, and reads the window manager's stacking order
# (_NET_CLIENT_LIST_STACKING) to see that the window is still above its
# opener. It also checks that the window is a transient window of its opener
# (WM_TRANSIENT_FOR), that it opens over the opener below the opener's title
# bar and on the screen, and takes a screenshot of each, into OUT_DIR.
# With WM "none" it runs without a window manager: then the stacking order is
# the X server's, a window is closed by the WM_DELETE_WINDOW message a window
# manager would send, and the title bar is a band as high as Qt's title bar.
# Not part of make test: it needs Xvfb, openbox, xdotool, xprop, xwininfo,
# python3 and ImageMagick's import.
# Usage: scripts/desktop-check.sh [BUILD_DIR [OUT_DIR [DISPLAY_NUMBER [openbox|none]]]]
#        (default build/run, build/desktop-check, 91, openbox)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/run}"
[[ "$build" = /* ]] || build="$root/$build"
out="${2:-$root/build/desktop-check}"
[[ "$out" = /* ]] || out="$PWD/$out"
display_number="${3:-91}"
wm="${4:-openbox}"
for tool in Xvfb openbox xdotool xprop xwininfo python3 /usr/bin/import; do
  command -v "$tool" >/dev/null || { echo "desktop-check: $tool is missing" >&2; exit 2; }
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
"$build/make_world" "$work/village.wld"

export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
if [ "$wm" = openbox ]; then
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
fi
(cd "$work" && exec "$build/editor") >"$work/editor.log" 2>&1 &
pids+=($!)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# ---- what the window manager and the X server say

# The program's windows on the screen, bottom first.
stacking() {
  if [ "$wm" = openbox ]; then
    xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | sed 's/,//g'
    return
  fi
  # xwininfo lists the root's children top first.
  local w
  for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) ".*/\1/p' | tac); do
    xwininfo -id "$w" | grep -q IsViewable && echo -n "$w "
  done
  echo
}
active() {
  if [ "$wm" = openbox ]; then xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; else xdotool getwindowfocus; fi
}
name_of() { xprop -id "$1" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p'; }
# The client area in screen pixels: X Y W H.
client() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}/^  Width/{w=$2}/^  Height/{h=$2}END{print x, y, w, h}'; }
# The frame's extents: left right top bottom.
extents() {
  local e
  e="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')"
  echo "${e:-0 0 0 0}"
}
# The position of window $1 in the stacking order, bottom first; -1 when not listed.
stack_index() {
  local i=0 w
  for w in $(stacking); do
    [ $((w)) -eq $(($1)) ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}
# Waits until the active window is another one than $1; prints it.
wait_new_active() {
  local k a
  for k in $(seq 1 40); do
    a="$(active)"
    if [ -n "$a" ] && [ $((a)) -ne 0 ] && [ $((a)) -ne $(($1)) ]; then echo "$a"; return 0; fi
    sleep 0.1
  done
  return 1
}

# ---- input, relative to a window's client area

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
shot() { /usr/bin/import -window root "$out/$1.png"; }

# ---- the check of one window

# check DIALOG OPENER LABEL: DIALOG is a transient window of OPENER, over it
# below its title bar and on the screen; a click on OPENER leaves DIALOG above.
check() {
  local d="$1" o="$2" label="$3"
  local dx dy dw dh ox oy ow oh dl dr dt db ol or ot ob
  read -r dx dy dw dh < <(client "$d")
  read -r ox oy ow oh < <(client "$o")
  read -r dl dr dt db < <(extents "$d")
  read -r ol or ot ob < <(extents "$o")
  local what="$label \"$(name_of "$d")\" over \"$(name_of "$o")\"" before=$failures
  local t
  t="$(transient_for "$d")"
  if [ -z "$t" ] || [ $((t)) -ne $(($o)) ]; then fail "$what: WM_TRANSIENT_FOR is '${t:-none}', not the opener $o"; fi
  # The frames: the dialog's top edge below the opener's title bar, and the
  # dialog's centre over the opener's.
  local d_top=$((dy - dt)) o_caption_bottom=$oy
  [ "$wm" = openbox ] || o_caption_bottom=$((oy + 1))
  if [ $d_top -lt $o_caption_bottom ]; then fail "$what: its frame top $d_top covers the opener's title bar (down to $o_caption_bottom)"; fi
  local dcx=$((dx + dw / 2)) ocx=$((ox + ow / 2))
  if [ $((dcx - ocx)) -gt 2 ] || [ $((ocx - dcx)) -gt 2 ]; then fail "$what: not centred over the opener (centre x $dcx, opener's $ocx)"; fi
  if [ $((dx - dl)) -lt 0 ] || [ $((dy - dt)) -lt 0 ] || [ $((dx + dw + dr)) -gt 1600 ] || [ $((dy + dh + db)) -gt 1000 ]; then
    fail "$what: off the screen ($dx,$dy ${dw}x$dh)"
  fi
  shot "$label"
  # A click on the opener's title bar, left of the dialog where the opener
  # shows (without a window manager: on the band of the opener above it).
  if [ "$wm" = openbox ]; then xdotool mousemove $((ox + 40)) $((oy - ot / 2)) click 1; else xdotool mousemove $((ox + 40)) $((oy + 3)) click 1; fi
  sleep 0.8
  local di oi
  di="$(stack_index "$d")"
  oi="$(stack_index "$o")"
  if [ "$di" -le "$oi" ]; then fail "$what: after a click on the opener the stacking order is $(stacking): the dialog ($d) is below the opener ($o)"; fi
  local a
  a="$(active)"
  local verdict=ok
  [ $failures -eq $before ] || verdict=seen
  echo "$verdict: $what: client $dx,$dy ${dw}x$dh, opener $ox,$oy ${ow}x$oh; after the click on the opener: stacking $di over $oi, active $a$([ $((a)) -eq $(($d)) ] && echo ' (the dialog)')"
  shot "$label-after-click"
}

# Closes window $1 by its title bar's close button, as the designer does, and
# waits until the window manager lists it no more.
close_window() {
  local x y w h l r t b
  read -r x y w h < <(client "$1")
  read -r l r t b < <(extents "$1")
  if [ "$wm" = openbox ]; then
    xdotool mousemove $((x + w + r - 10)) $((y - t / 2 - 1)) click 1
  else
    python3 "$work/wm_delete.py" "$1"
  fi
  local k
  for k in $(seq 1 30); do
    [ "$(stack_index "$1")" -lt 0 ] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "$(name_of "$1") ($1) did not close"
}

# What a window manager sends to close window argv[1]: WM_DELETE_WINDOW.
cat >"$work/wm_delete.py" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
e = Event()
e.xclient.type = 33  # ClientMessage
e.xclient.window = int(sys.argv[1], 0)
e.xclient.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
e.xclient.format = 32
e.xclient.l[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(d, e.xclient.window, 0, 0, ctypes.byref(e))
x.XFlush(d)
PY

# ---- the session

main=""
for k in $(seq 1 50); do
  main="$(stacking | awk '{print $1}')"
  [ -n "$main" ] && break
  sleep 0.2
done
sleep 1
main="$(stacking | awk '{print $1}')"
[ -n "$main" ] || { echo "desktop-check: the editor's window did not come up" >&2; exit 2; }
echo "main window $main: $(client "$main")"

# File > Open with the sample world, then the map page.
click_at "$main" 20 8
xdotool key Down Down Return
sleep 1.5
xdotool type --delay 20 "$work/village.wld"
xdotool key Return
sleep 1
click_at "$main" 71 32
sleep 0.5
shot 00-main
# Map cell (x, y) of the map page, relative to the main window's client area.
cell() { echo $((48 + 32 * $1)) $((122 + 32 * $2)); }

# 1. The object dialog from the chest's menu: "properties".
read -r x y < <(cell 3 4)
click_at "$main" "$x" "$y" 3
menu_pick 2
form2="$(wait_new_active "$main")" || fail "the object dialog did not open"
check "$form2" "$main" 01-object-dialog
# Its page "items": the sword, then the bow, each in the item editor.
click_at "$form2" 114 13
click_at "$form2" 26 47 3
form3="$(wait_new_active "$form2")" || fail "the item editor did not open from the object dialog"
check "$form3" "$form2" 02-item-editor-over-object-dialog
close_window "$form3"
click_at "$form2" 59 47 3
form3="$(wait_new_active "$form2")" || fail "the item editor did not open on the bow"
# The bow's arrow in the resource editor: its ammunition's menu, "edit".
click_at "$form3" 396 220 3
menu_pick 1
form9="$(wait_new_active "$form3")" || fail "the resource editor did not open from the item editor"
check "$form9" "$form3" 03-resource-editor-over-item-editor
close_window "$form9"
close_window "$form3"
close_window "$form2"

# 2. The ground dialog of the axe's cell, and the axe in the item editor.
read -r x y < <(cell 13 9)
click_at "$main" "$x" "$y" 3
form8="$(wait_new_active "$main")" || fail "the ground dialog did not open"
check "$form8" "$main" 04-ground-dialog
click_at "$form8" 24 64 3
menu_pick 1
form3="$(wait_new_active "$form8")" || fail "the item editor did not open from the ground dialog"
check "$form3" "$form8" 05-item-editor-over-ground-dialog
close_window "$form3"
close_window "$form8"
# The coins' cell: the coins in the resource editor.
read -r x y < <(cell 11 9)
click_at "$main" "$x" "$y" 3
form8="$(wait_new_active "$main")" || fail "the ground dialog did not open on the coins"
click_at "$form8" 24 64 3
menu_pick 1
form9="$(wait_new_active "$form8")" || fail "the resource editor did not open from the ground dialog"
check "$form9" "$form8" 06-resource-editor-over-ground-dialog
close_window "$form9"
close_window "$form8"
shot calib-after6

# 3. The villager's menu: "inv", and the sword it carries in the item editor;
# then "settings".
read -r x y < <(cell 4 5)
click_at "$main" "$x" "$y" 3
menu_pick 1
form5="$(wait_new_active "$main")" || fail "the NPC inventory did not open"
check "$form5" "$main" 07-npc-inventory
click_at "$form5" 87 20
click_at "$form5" 34 57 3
menu_pick 1
form3="$(wait_new_active "$form5")" || fail "the item editor did not open from the NPC inventory"
check "$form3" "$form5" 08-item-editor-over-npc-inventory
close_window "$form3"
close_window "$form5"
read -r x y < <(cell 4 5)
click_at "$main" "$x" "$y" 3
menu_pick 2
form10="$(wait_new_active "$main")" || fail "the NPC settings did not open"
check "$form10" "$main" 09-npc-settings
close_window "$form10"

# 4. The chest's menu: "parts".
read -r x y < <(cell 3 4)
click_at "$main" "$x" "$y" 3
menu_pick 6
finv="$(wait_new_active "$main")" || fail "the parts list did not open"
check "$finv" "$main" 10-parts-list
close_window "$finv"

# 5. The catalogue pages' buttons: items "EDIT INV", resources "INV", npc "INV".
click_at "$main" 193 31
click_at "$main" 313 529
form6="$(wait_new_active "$main")" || fail "the item template contents did not open"
check "$form6" "$main" 11-item-template-contents
close_window "$form6"
click_at "$main" 264 31
click_at "$main" 570 129
form7="$(wait_new_active "$main")" || fail "the resource template contents did not open"
check "$form7" "$main" 12-resource-template-contents
close_window "$form7"
click_at "$main" 405 31
click_at "$main" 207 633
form4="$(wait_new_active "$main")" || fail "the NPC template equipment did not open"
check "$form4" "$main" 13-npc-template-equipment
close_window "$form4"
shot 14-main-at-the-end

echo
if [ $failures -eq 0 ]; then echo "desktop-check: all windows stay above their openers"; else echo "desktop-check: $failures failures"; fi
echo "screenshots in $out"
[ $failures -eq 0 ]
