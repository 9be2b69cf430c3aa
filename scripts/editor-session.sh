# What the scripts that drive the editor on an Xvfb display share, sourced by
# them (desktop-check.sh, window-shots.sh): starting the editor on the sample
# tiles with the sample world beside it, opening that world through File >
# Open, and reading and driving its windows through the X server.
# The sourcing script sets first: root, build, out, display_number, the tools
# it needs in tools, wm (openbox or none) and script (its name, for messages);
# then it calls session_start, which leaves the main window's id in main.

session_start() {
  local tool k
  for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "$script: $tool is missing" >&2; exit 2; }
  done
  if [ ! -x "$build/editor" ] || [ ! -x "$build/make_tiles" ] || [ ! -x "$build/make_world" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
    cmake --build "$build" --target editor make_tiles make_world >/dev/null || exit 2
  fi
  mkdir -p "$out"
  rm -f "$out"/*.png
  work="$(mktemp -d)"
  pids=()
  trap session_cleanup EXIT
  "$build/make_tiles" "$work/tiles" >/dev/null
  "$build/make_world" "$work/village.wld" >/dev/null
  write_x_helper

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

  main=""
  for k in $(seq 1 50); do
    main="$(stacking | awk '{print $1}')"
    [ -n "$main" ] && break
    sleep 0.2
  done
  sleep 1
  main="$(stacking | awk '{print $1}')"
  [ -n "$main" ] || { echo "$script: the editor's window did not come up" >&2; exit 2; }
}

session_cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; wait "${pids[i]}" 2>/dev/null; done
  [ -n "${KEEP_WORK:-}" ] && echo "work folder: $work" || rm -rf "$work"
}

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
name_of() { xprop -id "$1" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }
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

# ---- input, relative to a window's client area

# The pause after a click is click_pause seconds, 0.4 unless the script sets it.
click_at() {  # window x y [button]
  local cx cy cw ch
  read -r cx cy cw ch < <(client "$1")
  xdotool mousemove $((cx + $2)) $((cy + $3)) click "${4:-1}"
  sleep "${click_pause:-0.4}"
}
menu_pick() {  # n: the n-th item of the popup menu that is open
  local keys=()
  for ((k = 0; k < $1; k++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
  sleep 0.6
}
# The main window's pages, left to right: name and the x of the tab's middle
# in the main window's client area (the tabs' middle is at y 31).
page_tabs=(terr:23 map:70 objects:130 items:194 resources:264 fractions:344 npc:406
           craft:455 paths:510 player:570 triggers:638 test-1:703 test-2:763)
# Map cell (x, y) of the map page, relative to the main window's client area.
cell() { echo $((48 + 32 * $1)) $((122 + 32 * $2)); }

# File > Open with the sample world.
open_sample_world() {
  click_at "$main" 20 8
  xdotool key Down Down Return
  sleep 1.5
  xdotool type --delay 20 "$work/village.wld"
  xdotool key Return
  sleep 1
}

# Closes window $1 as the designer does: by its title bar's close button under
# a window manager, else by the WM_DELETE_WINDOW message a window manager
# would send; waits until it is listed no more.
close_window() {
  if [ "$wm" = openbox ]; then
    local x y w h l r t b
    read -r x y w h < <(client "$1")
    read -r l r t b < <(extents "$1")
    xdotool mousemove $((x + w + r - 10)) $((y - t / 2 - 1)) click 1
  else
    python3 "$work/x.py" "$1"
  fi
  local k
  for k in $(seq 1 30); do
    [ "$(stack_index "$1")" -lt 0 ] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "$(name_of "$1") ($1) did not close"
}

# x.py WINDOW sends window WINDOW what a window manager sends to close it,
# WM_DELETE_WINDOW; x.py unfocus gives the keyboard focus to the root window,
# so that no window of the editor is active (no caret, no focus frame).
write_x_helper() {
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
}
