#pragma once
// Loading the tile frames: every picture of the world is a frame number into
// the frames cut from the bitmap files of one folder.
#include "tiles/utils.h"

#include <cstdint>
#include <string>

// The frame size a tile file's name carries: the part between the first "_" and
// the next "_" or "." is the width, a lowercase "x" and the height
// ("wall_32x64.bmp", "wall_32x64_old.bmp"). A name without that part throws
// ListIndexError(1); a width or height that is not a number throws ConvertError;
// a width or height of 0 or below throws EditorError naming the file.
struct TileSize {
    int width = 0;
    int height = 0;
};
TileSize tile_size_from_name(const std::string& name);

// The most frames a tile folder may hold: 4,194,304, a 2048 x 2048 file of 1 x 1
// frames. Frame numbers and the tile palette's rows (a third of them) stay far
// inside their 32 bits, and the frames cost about their pixels at any count.
constexpr int64_t max_tile_frames = int64_t{1} << 22;

// Cuts every "*.bmp" file of folder (a text ending with the folder separator,
// such as "tiles/"; the extension's letter case is ignored) into whole frames of
// the size its name carries, row by row from the top and left to right, the
// files taken in case-insensitive name order, and stores them in frames with
// their number in count. A remainder at the right or bottom edge of a file is
// left out; a missing or empty folder gives no frames. Any error (a name without
// a size, a file that is not a bitmap, a file whose frames would take the folder
// past max_tile_frames, which names the file and its frame count) ends the
// loading with count 0 and frames empty, and reaches the caller.
//
// Start-up reads no more than it must: a file Qt's reader is needed for (a
// palette, 32 bits, compression) is read whole here, while of a plain
// uncompressed 24-bit file only the header is read, and each frame reads its
// own block of the file the first time it is looked up (tiarray). Such a file
// must therefore stay where it is while the editor runs: a frame first looked
// up after its file was removed or cut short is black where the file no longer
// holds it.
void load_tiles(const std::string& folder, int& count, tiarray& frames);
