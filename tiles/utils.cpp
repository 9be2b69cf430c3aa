#include "tiles/utils.h"

#include "tiles/blit.h"

#include "platform/errors.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

tiarray::tiarray(std::size_t count, const Bitmap& frame) {
    for (std::size_t i = 0; i < count; ++i) push_back(frame);
}

tiarray::tiarray(const tiarray& other) : sheets_(other.sheets_), count_(other.count_) {
    pages_.resize((count_ >> page_bits) + 1);
}

tiarray& tiarray::operator=(const tiarray& other) {
    if (this != &other) *this = tiarray(other);
    return *this;
}

tiarray::tiarray(tiarray&& other) noexcept
    : sheets_(std::move(other.sheets_)), count_(std::exchange(other.count_, 0)), pages_(std::move(other.pages_)) {
    other.sheets_.clear();
    other.pages_.clear();
}

tiarray& tiarray::operator=(tiarray&& other) noexcept {
    if (this != &other) {
        sheets_ = std::move(other.sheets_);
        count_ = std::exchange(other.count_, 0);
        pages_ = std::move(other.pages_);
        other.sheets_.clear();
        other.pages_.clear();
    }
    return *this;
}

tiarray::~tiarray() = default;

void tiarray::clear() {
    sheets_.clear();
    pages_.clear();
    count_ = 0;
}

void tiarray::push_back(const Bitmap& frame) {
    Sheet sheet;
    sheet.pixels = frame.image();
    add(std::move(sheet), frame.width(), frame.height(), 1, 1);
}

void tiarray::append_sheet(const QImage& sheet, int frame_width, int frame_height, int columns, int rows) {
    if (columns <= 0 || rows <= 0 || frame_width <= 0 || frame_height <= 0) return;
    Sheet s;
    s.pixels = sheet.convertToFormat(QImage::Format_BGR888);
    add(std::move(s), frame_width, frame_height, columns, rows);
}

void tiarray::append_file(const std::string& file_name, const Bmp24Layout& layout, int frame_width, int frame_height,
                          int columns, int rows) {
    if (columns <= 0 || rows <= 0 || frame_width <= 0 || frame_height <= 0) return;
    Sheet s;
    s.file = std::make_shared<const File>(File{file_name, layout});
    add(std::move(s), frame_width, frame_height, columns, rows);
}

void tiarray::add(Sheet sheet, int frame_width, int frame_height, int columns, int rows) {
    sheet.first = count_;
    sheet.width = frame_width;
    sheet.height = frame_height;
    sheet.columns = columns;
    sheets_.push_back(std::move(sheet));
    count_ += static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    pages_.resize((count_ >> page_bits) + 1);
}

const Bitmap& tiarray::operator[](std::size_t n) const {
    if (n >= count_) throw ListIndexError(n > static_cast<std::size_t>(INT32_MAX) ? -1 : static_cast<int>(n));
    const Page& page = pages_[n >> page_bits];
    if (page) {
        if (const Bitmap* made = page[n & ((1u << page_bits) - 1)].get()) return *made;
    }
    return make(n);
}

namespace {
void release_sheet(void* sheet) { delete static_cast<QImage*>(sheet); }
}  // namespace

const Bitmap& tiarray::make(std::size_t n) const {
    // The sheet holding frame n: the last one whose first frame is not above n.
    const auto after = std::upper_bound(sheets_.begin(), sheets_.end(), n,
                                        [](std::size_t v, const Sheet& s) { return v < s.first; });
    const Sheet& s = *(after - 1);
    auto frame = std::make_unique<Bitmap>();
    const std::size_t k = n - s.first;
    const std::size_t column = k % static_cast<std::size_t>(s.columns), row = k / static_cast<std::size_t>(s.columns);
    if (s.file) {
        QImage pixels(s.width, s.height, QImage::Format_BGR888);
        read_bmp24_block(s.file->name, s.file->layout, static_cast<int>(column) * s.width,
                         static_cast<int>(row) * s.height, pixels);
        frame->set_image(pixels);
    } else if (s.width == s.pixels.width() && s.height == s.pixels.height()) {
        // A sheet of one frame is the frame itself.
        frame->set_image(s.pixels);
    } else {
        const qsizetype stride = s.pixels.bytesPerLine();
        const uchar* bits = s.pixels.constBits() + static_cast<qsizetype>(row) * s.height * stride +
                            static_cast<qsizetype>(column) * s.width * 3;
        // The view keeps its own reference to the sheet, so a copy of the frame
        // outlives the list safely.
        frame->set_image(QImage(bits, s.width, s.height, stride, QImage::Format_BGR888, release_sheet,
                                new QImage(s.pixels)));
    }
    Page& page = pages_[n >> page_bits];
    if (!page) page = std::make_unique<std::unique_ptr<Bitmap>[]>(std::size_t{1} << page_bits);
    std::unique_ptr<Bitmap>& slot = page[n & ((1u << page_bits) - 1)];
    slot = std::move(frame);
    return *slot;
}

const Bitmap* tile_frame(const tiarray& frames, int64_t number) {
    if (number < 0 || number >= static_cast<int64_t>(frames.size())) return nullptr;
    const Bitmap& frame = frames[static_cast<std::size_t>(number)];
    return frame.empty() ? nullptr : &frame;
}

void int_array_delete(int index, tintarray& list) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    list.erase(list.begin() + index);
}

void int_array_remove_value(int32_t value, tintarray& list) {
    for (int i = int_array_find(value, list); i >= 0; i = int_array_find(value, list))
        int_array_delete(i, list);
}

int int_array_find(int32_t value, const tintarray& list) {
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i] == value) return static_cast<int>(i);
    return -1;
}

int int_array_append(int32_t value, tintarray& list) {
    list.push_back(value);
    return static_cast<int>(list.size());
}

namespace {
int digit_value(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}
}  // namespace

int32_t refuse_outside(const std::string& text, int32_t value, int32_t low, int32_t high,
                       const std::string& range) {
    if (value < low || value > high)
        throw EditorError("'" + text + "' is not within " + range + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

int32_t convert_to_int(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) throw ConvertError(text);
    // Decimal numbers must fit a signed 32-bit value; hexadecimal ones may use all 32 bits.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = digit_value(text[i], base);
        if (d < 0) throw ConvertError(text);
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > limit) throw ConvertError(text);
    }
    const auto bits = static_cast<uint32_t>(negative ? (~value + 1) : value);
    return static_cast<int32_t>(bits);
}

int32_t str_to_int(const std::string& text) { return text.empty() ? 0 : convert_to_int(text); }

TStrings split_string(const std::string& text, char delimiter) {
    TStrings fields;
    const auto blank = [](unsigned char c) { return c >= 1 && c <= 32; };
    // A NUL character ends the text, as it ends a character pointer's text.
    const std::size_t n = std::min(text.size(), text.find('\0'));
    std::size_t i = 0;
    while (i < n && blank(static_cast<unsigned char>(text[i]))) ++i;
    while (i < n) {
        std::string field;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(text[i++]);
            }
        } else {
            while (i < n && static_cast<unsigned char>(text[i]) >= 33 && text[i] != delimiter)
                field.push_back(text[i++]);
        }
        fields.push_back(field);
        while (i < n && blank(static_cast<unsigned char>(text[i]))) ++i;
        if (i < n && text[i] == delimiter) {
            if (i == n - 1) fields.emplace_back();
            ++i;
            while (i < n && blank(static_cast<unsigned char>(text[i]))) ++i;
        }
    }
    return fields;
}

TStrings split_text(const std::string& text, char delimiter) { return split_string(text, delimiter); }

namespace {
uint8_t darken(uint8_t v, int by) { return static_cast<uint8_t>(std::max(0, v - by)); }

// Blends n source pixels into n destination pixels of one row at an opacity
// below full: the shadow keys and the transparent colour as at full opacity,
// any other pixel mixed in by alpha / 255 (nothing at 0).
void blend_row(const FrameKeys& keys, int alpha, uint8_t* d, const uint8_t* s, int n) {
    const double a = alpha / 255.0;
    for (int x = 0; x < n; ++x, s += 3, d += 3) {
        const uint32_t v = s[0] | static_cast<uint32_t>(s[1]) << 8 | static_cast<uint32_t>(s[2]) << 16;
        if (v == keys.light) {
            for (int c = 0; c < 3; ++c) d[c] = darken(d[c], 20);
        } else if (v == keys.dark) {
            for (int c = 0; c < 3; ++c) d[c] = darken(d[c], 40);
        } else if (v == keys.clear) {
            // left as it is
        } else if (alpha >= 1) {
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<uint8_t>(static_cast<int>(d[c] + (s[c] - d[c]) * a));
        }
    }
}
}  // namespace

void blend_bitmap(TColor key1, TColor key2, TColor transparent, int alpha, Bitmap& dest, const Bitmap& source) {
    if (source.width() != dest.width() || source.height() != dest.height()) return;
    draw_blended(key1, key2, transparent, 0, 0, alpha, dest, source);
}

// Blends straight into the part of dest that the frame covers: the same pixels as
// copying that part out, blending and copying it back, without a work bitmap for
// every frame drawn (the map view draws hundreds per render). The rows are
// reached from the two images' first bytes, so that the image is made writable
// once per frame, not once per row.
void draw_blended(TColor key1, TColor key2, TColor transparent, int x, int y, int alpha, Bitmap& dest,
                  const Bitmap& frame) {
    QImage& to = dest.image();
    const QImage* from = &frame.image();
    // A null image has no width or height either.
    const int frame_width = from->width(), frame_height = from->height();
    const int dest_width = to.width(), dest_height = to.height();
    if (frame_width <= 0 || frame_height <= 0 || dest_width <= 0 || dest_height <= 0) return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = static_cast<int>(std::min<int64_t>(int64_t{x} + frame_width, dest_width));
    const int y1 = static_cast<int>(std::min<int64_t>(int64_t{y} + frame_height, dest_height));
    if (x0 >= x1 || y0 >= y1) return;
    if (to.format() != QImage::Format_BGR888) return;
    uint8_t* d = to.bits();
    // A frame that is (or shares its pixels with) dest is drawn as it was before.
    QImage own;
    if (from->format() != QImage::Format_BGR888) {
        own = from->convertToFormat(QImage::Format_BGR888);
        from = &own;
    } else if (from->constBits() == d) {
        own = from->copy();
        from = &own;
    }
    const uint8_t* s = from->constBits();
    const qsizetype d_stride = to.bytesPerLine(), s_stride = from->bytesPerLine();
    d += y0 * d_stride + 3 * qsizetype{x0};
    s += (y0 - qsizetype{y}) * s_stride + 3 * (qsizetype{x0} - x);
    const FrameKeys keys = frame_keys(key1, key2, transparent);
    const int n = x1 - x0;
    if (alpha >= 255) {
        blit_rows(keys, d, d_stride, s, s_stride, n, y1 - y0);
        return;
    }
    for (int row = y0; row < y1; ++row, d += d_stride, s += s_stride) blend_row(keys, alpha, d, s, n);
}

void draw_frame(TColor key1, TColor key2, TColor transparent, int x, int y, Bitmap& dest, const Bitmap& frame) {
    draw_blended(key1, key2, transparent, x, y, 255, dest, frame);
}
