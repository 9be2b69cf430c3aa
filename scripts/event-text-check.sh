#!/usr/bin/env bash
# Runs one designer's sequence on the triggers page under a window manager and
# checks that the event form's Text box still shows what was typed: on an
# Xvfb display with openbox it starts the editor on the sample tiles, opens
# the sample world through File > Open, creates a trigger, types the event
# text, creates the event, adds a path and a recipe, clicks every page tab
# once, opens and closes the File menu, and compares the Text box on screen
# with its picture taken right after the event was created. RUNS runs, each
# in an editor of its own, or all in one editor with ONE_SESSION=1 (then each
# run types its own text over the last). DELAY is the pause after each click.
# Prints one line per run and fails when any box changed; the pictures of
# each run (after the event was created, and at the end) go to OUT_DIR/runN.
# Not part of make test: it needs Xvfb, openbox, xdotool, xprop, xwininfo,
# python3 and ImageMagick.
# Usage: scripts/event-text-check.sh [BUILD_DIR [OUT_DIR [DISPLAY_NUMBER [openbox|none]]]]
#        (default build/run, build/event-text-check, 93, openbox)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/run}"
[[ "$build" = /* ]] || build="$root/$build"
out="${2:-$root/build/event-text-check}"
[[ "$out" = /* ]] || out="$PWD/$out"
display_number="${3:-93}"
wm="${4:-openbox}"
runs="${RUNS:-9}"
delay="${DELAY:-0.3}"
tools=(Xvfb openbox xdotool xprop xwininfo python3 /usr/bin/import compare convert)
script=event-text-check
# shellcheck source=editor-session.sh
. "$root/scripts/editor-session.sh"

# A click in the main window's client area.
tap() { click_at "$main" "$1" "$2"; }
# A click on the tab of page $1 (page_tabs).
tab() {
  local p
  for p in "${page_tabs[@]}"; do [ "${p%%:*}" = "$1" ] && tap "${p#*:}" 31; done
}
# The main window's client area as a picture.
shot() {
  local cx cy cw ch
  read -r cx cy cw ch < <(client "$main")
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "${cw}x${ch}+${cx}+${cy}" +repage "$1"
}
# The inside of the event Text box in a picture of the main window.
text_box() { convert "$1" -crop 290x280+596+370 +repage "$2"; }

one_run() {  # n
  local n="$1" t
  mkdir -p "$out/run$n"
  tab triggers
  tap 190 107; xdotool key ctrl+a; xdotool type --delay 10 "trigger $n"; tap 351 337
  tap 740 500; xdotool key ctrl+a; xdotool type --delay 10 "the text of run $n"; tap 351 649
  shot "$out/run$n/created.png"
  # A path between the first map and itself.
  tab paths
  tap 120 79; xdotool key Down Return; sleep "$click_pause"
  tap 590 79; xdotool key Down Return; sleep "$click_pause"
  tap 851 79
  # A recipe: one of the first item, and the first produce.
  tab craft
  tap 120 84; xdotool key Down Return; sleep "$click_pause"
  tap 311 84
  tap 688 90; xdotool key Down Return; sleep "$click_pause"
  tap 871 194
  for t in "${page_tabs[@]}"; do tab "${t%%:*}"; done
  tab triggers
  tap 20 8
  xdotool key Escape
  sleep 0.5
  shot "$out/run$n/end.png"
  text_box "$out/run$n/created.png" "$work/a.png"
  text_box "$out/run$n/end.png" "$work/b.png"
  local ae
  ae="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)"
  if [ "$ae" = 0 ]; then echo "run $n: the Text box kept its text"; else fail "run $n: the Text box changed ($ae pixels)"; fi
}

# The editor on the sample world, opened at the usual pace; the runs click at DELAY's.
start() {
  click_pause=0.4
  session_start
  open_sample_world
  click_pause="$delay"
}

if [ "${ONE_SESSION:-0}" = 1 ]; then
  start
  for n in $(seq 1 "$runs"); do one_run "$n"; done
else
  for n in $(seq 1 "$runs"); do
    start
    one_run "$n"
    session_cleanup
    trap - EXIT
  done
fi
[ "$failures" -eq 0 ] && echo "event-text-check: $runs of $runs runs kept the text" || exit 1
