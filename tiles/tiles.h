#pragma once
// Loading the tile frames: every picture of the world is a frame number into
// the frames cut from the bitmap files of one folder.
#include "tiles/utils.h"

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

// Cuts every "*.bmp" file of folder (a text ending with the folder separator,
// such as "tiles/"; the extension's letter case is ignored) into whole frames of
// the size its name carries, row by row from the top and left to right, the
// files taken in case-insensitive name order, and stores them in frames with
// their number in count. A remainder at the right or bottom edge of a file is
// left out; a missing or empty folder gives no frames. Any error (a name without
// a size, a file that is not a bitmap) ends the loading with count 0 and frames
// empty, and reaches the caller.
void load_tiles(const std::string& folder, int& count, tiarray& frames);
