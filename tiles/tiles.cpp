#include "tiles/tiles.h"

#include "platform/errors.h"
#include "platform/folder.h"

namespace {
const std::string& field(const TStrings& fields, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) throw ListIndexError(index);
    return fields[static_cast<std::size_t>(index)];
}

TileSize size_part(const std::string& name) {
    const std::string base = field(split_text(name, '.'), 0);
    const std::string size = field(split_text(base, '_'), 1);
    const TStrings wh = split_text(size, 'x');
    // Both fields are looked up before either is converted, as the name is read.
    const std::string& w = field(wh, 0);
    const std::string& h = field(wh, 1);
    return {convert_to_int(w), convert_to_int(h)};
}

void check_size(const TileSize& size, const std::string& file) {
    // A frame needs at least one pixel each way: the count divides by both.
    if (size.width <= 0 || size.height <= 0)
        throw EditorError("Invalid frame size " + std::to_string(size.width) + "x" +
                          std::to_string(size.height) + " in the tile file " + file);
}
}  // namespace

TileSize tile_size_from_name(const std::string& name) {
    const TileSize size = size_part(name);
    check_size(size, name);
    return size;
}

void load_tiles(const std::string& folder, int& count, tiarray& frames) {
    count = 0;
    frames.clear();
    try {
        // The listing comes in name order already; the sorted list keeps that order
        // whatever the listing does. Each file is read once and cut at once.
        SortedStrings names;
        for (const std::string& name : list_folder(folder, "*.bmp")) names.add(name);
        Bitmap work;
        tiarray cut;
        for (int i = 0; i < names.count(); ++i) {
            const std::string& name = names.at(i);
            work.load_from_file(folder + name);
            const TileSize size = size_part(name);
            check_size(size, folder + name);
            const int columns = work.width() / size.width;
            const int rows = work.height() / size.height;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c) {
                    Bitmap frame(size.width, size.height);
                    bit_blt(frame, 0, 0, size.width, size.height, work, c * size.width, r * size.height);
                    cut.push_back(std::move(frame));
                }
        }
        frames = std::move(cut);
        count = static_cast<int>(frames.size());
    } catch (...) {
        // The caller sees no frames at all rather than a count beside a short list.
        count = 0;
        frames.clear();
        throw;
    }
}
