#!/usr/bin/env bash
# Takes a screenshot of the main window on the sample tiles, under Xvfb, into
# docs/main-window.png, or into OUT.
# Usage: scripts/screenshot.sh [BUILD_DIR [OUT [map]]]   (default build/run)
# With "map" the editor opens a small sample world (tools/make_world) through
# File > Open, as a designer does, and the screenshot shows it on the map page.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/run}"
[[ "$build" = /* ]] || build="$root/$build"
mode="${3:-}"
if [ ! -x "$build/editor" ] || [ ! -x "$build/make_tiles" ] || [ ! -x "$build/make_world" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
  cmake --build "$build" --target editor make_tiles make_world >/dev/null
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/make_tiles" "$work/tiles"
out="${2:-$root/docs/main-window.png}"
[[ "$out" = /* ]] || out="$PWD/$out"
mkdir -p "$(dirname "$out")"
# The ImageMagick tools, not the stand-ins a PATH may hold.
import_tool=/usr/bin/import
convert_tool=/usr/bin/convert
# What the session does once the editor is up. Under Xvfb the main window
# stands at the screen's top-left corner without a frame: its menu bar starts
# at (0, 0) and the tab "map" is the second one.
session=""
if [ "$mode" = map ]; then
  "$build/make_world" "$work/village.wld"
  session='
xdotool mousemove 20 8 click 1; sleep 0.5
xdotool key Down Down Return; sleep 1.5
xdotool type --delay 20 "'"$work"'/village.wld"; xdotool key Return; sleep 1
xdotool mousemove 71 32 click 1; sleep 1
xdotool mousemove 600 660; sleep 0.5'
fi
cat > "$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
cd "$work"
"$build/editor" &
pid=\$!
sleep 3
$session
$import_tool -window root "$work/screen.png"
kill \$pid
wait \$pid 2>/dev/null || true
SHOOT
chmod +x "$work/shoot.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/shoot.sh"
# Crop to the window's size and keep the PNG small.
$convert_tool "$work/screen.png" -trim +repage -colors 128 -strip "$out"
echo "wrote $out"
