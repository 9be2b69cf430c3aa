#include "tiles/tiles.h"

#include "platform/errors.h"
#include "platform/folder.h"

#include <filesystem>
#include <system_error>

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
        // whatever the listing does. Each file is read once and kept as the one
        // image its frames are cut from.
        SortedStrings names;
        for (const std::string& name : list_folder(folder, "*.bmp")) names.add(name);
        Bitmap work;
        tiarray cut;
        for (int i = 0; i < names.count(); ++i) {
            const std::string& name = names.at(i);
            const std::string file = folder + name;
            // A plain 24-bit file is only looked at here; its frames read their
            // pixels when first drawn. Any other file is read whole now.
            Bmp24Layout plain;
            const bool is_plain = plain_bmp24_layout(file, plain);
            if (!is_plain) work.load_from_file(file);
            const int width = is_plain ? plain.width : work.width();
            const int height = is_plain ? plain.height : work.height();
            const TileSize size = size_part(name);
            check_size(size, file);
            const int columns = width / size.width;
            const int rows = height / size.height;
            if (columns == 0 || rows == 0) continue;
            const int64_t in_file = int64_t{columns} * rows;
            const int64_t before = static_cast<int64_t>(cut.size());
            if (in_file > max_tile_frames - before)
                throw EditorError("The tile file " + file + " holds " + std::to_string(in_file) + " frames of " +
                                  std::to_string(size.width) + "x" + std::to_string(size.height) + " pixels" +
                                  (before > 0 ? ", which with the " + std::to_string(before) + " frames before it are"
                                              : ", which are") +
                                  " more than the " + std::to_string(max_tile_frames) +
                                  " frames a tile folder may hold");
            if (is_plain) {
                std::error_code error;
                const std::filesystem::path absolute = std::filesystem::absolute(file, error);
                cut.append_file(error ? file : absolute.string(), plain, size.width, size.height, columns, rows);
                continue;
            }
            // Only whole frames are kept: a remainder at the right or bottom edge goes.
            QImage sheet = work.image();
            if (columns * size.width != sheet.width() || rows * size.height != sheet.height())
                sheet = sheet.copy(0, 0, columns * size.width, rows * size.height);
            cut.append_sheet(sheet, size.width, size.height, columns, rows);
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
