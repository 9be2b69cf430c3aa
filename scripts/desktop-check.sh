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
tools=(Xvfb openbox xdotool xprop xwininfo python3 /usr/bin/import)
script=desktop-check
# shellcheck source=editor-session.sh
. "$root/scripts/editor-session.sh"

# ---- what the window manager and the X server say

active() {
  if [ "$wm" = openbox ]; then xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; else xdotool getwindowfocus; fi
}
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p'; }
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

# ---- the session

session_start
echo "main window $main: $(client "$main")"

# The sample world, then the map page.
open_sample_world
click_at "$main" 71 32
sleep 0.5
shot 00-main

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
