#!/usr/bin/env bash
# Takes a screenshot of the main window on the sample tiles, under Xvfb, into
# docs/main-window.png, or into OUT. Usage: scripts/screenshot.sh [BUILD_DIR [OUT]]
# (default build/run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/run}"
[[ "$build" = /* ]] || build="$root/$build"
if [ ! -x "$build/editor" ] || [ ! -x "$build/make_tiles" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEDITOR_TESTS=OFF >/dev/null
  cmake --build "$build" --target editor make_tiles >/dev/null
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/make_tiles" "$work/tiles"
out="${2:-$root/docs/main-window.png}"
mkdir -p "$(dirname "$out")"
# The ImageMagick tools, not the stand-ins a PATH may hold.
import_tool=/usr/bin/import
convert_tool=/usr/bin/convert
cat > "$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
cd "$work"
"$build/editor" &
pid=\$!
sleep 3
$import_tool -window root "$work/screen.png"
kill \$pid
wait \$pid 2>/dev/null || true
SHOOT
chmod +x "$work/shoot.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/shoot.sh"
# The window stands at the screen's top-left corner without a frame under Xvfb:
# crop to its size and keep the PNG small.
$convert_tool "$work/screen.png" -trim +repage -colors 128 -strip "$out"
echo "wrote $out"
