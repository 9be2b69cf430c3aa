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
tools=(Xvfb xdotool xprop xwininfo python3 /usr/bin/import compare)
wm=none
script=window-shots
# shellcheck source=editor-session.sh
. "$root/scripts/editor-session.sh"

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

# shot_new OPENER NAME FAILURE: the window just opened over OPENER, shot as
# NAME and closed; when none opens, FAILURE is the failure.
shot_new() {
  local w
  if w="$(wait_new_top "$1")"; then
    shot "$w" "$2"
    close_window "$w"
  else fail "$3"; fi
}

# ---- the session

session_start
open_sample_world

# The pages, left to right, by a click on each tab.
i=0
for p in "${page_tabs[@]}"; do
  i=$((i + 1))
  click_at "$main" "${p#*:}" 31
  shot "$main" "$(printf 'page-%02d-%s' $i "${p%%:*}")"
done

# The secondary windows, from the map page.
click_at "$main" 71 31

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
  shot_new "$form2" window-03-item-editor-sword "the item editor did not open from the object dialog"
  click_at "$form2" 59 47 3
  if form3="$(wait_new_top "$form2")"; then
    shot "$form3" window-04-item-editor-bow
    click_at "$form3" 396 220 3
    menu_pick 1
    shot_new "$form3" window-05-resource-editor-arrow "the resource editor did not open from the item editor"
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
  shot_new "$form8" window-07-item-editor-axe "the item editor did not open from the ground dialog"
  close_window "$form8"
else fail "the ground dialog did not open"; fi
read -r x y < <(cell 11 9)
click_at "$main" "$x" "$y" 3
if form8="$(wait_new_top "$main")"; then
  shot "$form8" window-08-ground-dialog-coins
  click_at "$form8" 24 64 3
  menu_pick 1
  shot_new "$form8" window-09-resource-editor-coins "the resource editor did not open from the ground dialog"
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
  shot_new "$form5" window-12-item-editor-npc-sword "the item editor did not open from the NPC inventory"
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
shot_new "$main" window-14-parts-list "the parts list did not open"

# The catalogue pages' buttons: items "EDIT INV", resources "INV", npc "INV".
click_at "$main" 193 31
click_at "$main" 313 529
shot_new "$main" window-15-item-template-contents "the item template contents did not open"
click_at "$main" 264 31
click_at "$main" 570 129
shot_new "$main" window-16-resource-template-contents "the resource template contents did not open"
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
