#pragma once
// Growable arrays, the integer-list helpers, edit-text conversion, text
// splitting and the drawing of a tile frame with colour keys and opacity.
#include "platform/bitmap.h"
#include "tiles/intmatrix.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The tile frames: the list owns its bitmaps; frame n is element n, counted from 0.
//
// The frames of one tile file form its sheet, cut into equal frames row by row
// from the top, left to right. A frame's own bitmap is made the first time the
// frame is looked up and kept as long as the list, so the reference a lookup
// gives stays valid, and a list of many frames costs about the pixels of the
// frames looked up so far: a sheet held as an image gives read-only views onto
// its pixels (writing to one copies them first); a plain 24-bit BMP file is
// not read at all until then, and each frame reads its own block of the file.
class tiarray {
public:
    tiarray() = default;
    // count frames, each a copy of frame.
    tiarray(std::size_t count, const Bitmap& frame);
    tiarray(const tiarray& other);
    tiarray& operator=(const tiarray& other);
    tiarray(tiarray&& other) noexcept;
    tiarray& operator=(tiarray&& other) noexcept;
    ~tiarray();

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    void clear();
    // Appends one frame: a copy of frame (a bitmap shares its pixels until written).
    void push_back(const Bitmap& frame);
    // Appends the columns x rows frames of frame_width x frame_height that sheet
    // holds, row by row; sheet is taken as a 24-bit image of at least
    // columns x frame_width by rows x frame_height pixels.
    void append_sheet(const QImage& sheet, int frame_width, int frame_height, int columns, int rows);
    // The same for the plain 24-bit BMP file file_name (an absolute path) laid
    // out as layout, read frame by frame when the frames are first looked up.
    void append_file(const std::string& file_name, const Bmp24Layout& layout, int frame_width, int frame_height,
                     int columns, int rows);
    // Frame n; n outside the list throws ListIndexError.
    const Bitmap& operator[](std::size_t n) const;

private:
    struct File {
        std::string name;
        Bmp24Layout layout;
    };
    struct Sheet {
        QImage pixels;
        std::shared_ptr<const File> file;  // pixels read from here when set
        std::size_t first = 0;  // number of its first frame
        int width = 0, height = 0, columns = 0;
    };
    static constexpr int page_bits = 8;  // frames made so far, looked up in pages of 256
    using Page = std::unique_ptr<std::unique_ptr<Bitmap>[]>;

    const Bitmap& make(std::size_t n) const;
    // Appends sheet's columns x rows frames of frame_width x frame_height.
    void add(Sheet sheet, int frame_width, int frame_height, int columns, int rows);

    std::vector<Sheet> sheets_;
    std::size_t count_ = 0;
    mutable std::vector<Page> pages_;
};
// The tile frame a picture field names, or nullptr when it names none (outside
// the list, or an empty bitmap).
const Bitmap* tile_frame(const tiarray& frames, int64_t number);

// A string list.
using TStrings = std::vector<std::string>;

// Removes element index; later ones move down. An index outside the list changes nothing.
void int_array_delete(int index, tintarray& list);
// Removes every element equal to value.
void int_array_remove_value(int32_t value, tintarray& list);
// The index of the last element equal to value, -1 when there is none.
int int_array_find(int32_t value, const tintarray& list);
// Appends value and returns the new length.
int int_array_append(int32_t value, tintarray& list);

// A numeric edit field's text: 0 for the empty text, otherwise the text as a
// signed 32-bit decimal (or "$" / "0x" hexadecimal) number; throws ConvertError.
int32_t str_to_int(const std::string& text);
// The same conversion without the empty-text rule: the empty text fails too.
int32_t convert_to_int(const std::string& text);
// A number typed as text for a field that keeps fewer bits than 32 (or a
// narrower range): value when it lies in low..high; otherwise it is refused
// with EditorError "'<text>' is not within <range>low..high", never cut to the
// field's bits. range names the range when the message should ("the range ").
int32_t refuse_outside(const std::string& text, int32_t value, int32_t low, int32_t high,
                       const std::string& range = "");

// Splits a delimited text into fields: blanks and control characters separate
// fields like the delimiter, a double-quoted field may hold both, two delimiters
// in a row give an empty field, a delimiter at the end adds one empty field.
TStrings split_string(const std::string& text, char delimiter);
// The same splitter under the name the tile loader uses.
TStrings split_text(const std::string& text, char delimiter);

// The two shadow keys and the transparent colours the world model draws with.
constexpr TColor light_shadow_key = 0xC0A0E0;
constexpr TColor dark_shadow_key = 0xFF00FF;
constexpr TColor map_transparent = 0xFFFFFF;
constexpr TColor vial_transparent = 0x000001;

// Blends source into dest pixel by pixel: a key1 pixel darkens dest by 20 per
// channel, a key2 pixel by 40 (a key of 0 is no key), a transparent pixel leaves
// dest alone, any other pixel is mixed in with alpha (0..255). Different sizes,
// or a zero size, do nothing.
void blend_bitmap(TColor key1, TColor key2, TColor transparent, int alpha, Bitmap& dest, const Bitmap& source);
// Blends the whole frame with its top-left corner at (x, y) of dest; what falls
// outside dest is lost.
void draw_blended(TColor key1, TColor key2, TColor transparent, int x, int y, int alpha, Bitmap& dest,
                  const Bitmap& frame);
// draw_blended at full opacity.
void draw_frame(TColor key1, TColor key2, TColor transparent, int x, int y, Bitmap& dest, const Bitmap& frame);
