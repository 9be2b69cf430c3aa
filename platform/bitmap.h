#pragma once
// Bitmaps of 24 bits per pixel with scan-line access (rows of blue, green, red
// bytes), a drawing canvas, and the plain block copy between canvases.
#include <QFont>
#include <QImage>
#include <cstdint>
#include <string>

// The platform's colour integers: 0x00BBGGRR, red in the low byte.
using TColor = uint32_t;

constexpr TColor make_color(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int color_red(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int color_green(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int color_blue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

class Bitmap;

// Draws on one image: a bitmap's or a control's back buffer. Every operation
// clips to the image; a canvas without an image does nothing.
class Canvas {
public:
    explicit Canvas(QImage* target = nullptr) : target_(target) {}

    TColor brush_color = clWhite;  // fill_rect and the inside of shapes
    TColor pen_color = clBlack;    // lines and outlines
    int pen_width = 1;
    TColor font_color = clBlack;   // text_out
    QFont font;

    QImage* image() const { return target_; }
    void set_image(QImage* target) { target_ = target; }

    // Fills left..right-1 x top..bottom-1 with the brush colour.
    void fill_rect(int left, int top, int right, int bottom);
    // Writes a model text (code page 1251) with its top-left corner at (x, y),
    // on a background of the brush colour, as text output of the platform does.
    void text_out(int x, int y, const std::string& text);
    // The same without filling the text's background.
    void text_out_transparent(int x, int y, const std::string& text);
    int text_width(const std::string& text) const;
    // An unscaled copy of a bitmap with its top-left corner at (x, y).
    void draw(int x, int y, const Bitmap& bitmap);
    void move_to(int x, int y);
    void line_to(int x, int y);
    // Outline with the pen, inside with the brush; right and bottom exclusive.
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void set_pixel(int x, int y, TColor color);
    TColor pixel(int x, int y) const;

private:
    QImage* target_;
    int pen_x_ = 0, pen_y_ = 0;
};

class Bitmap {
public:
    Bitmap();
    Bitmap(int width, int height);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool empty() const { return image_.isNull() || width() == 0 || height() == 0; }
    // Resizing keeps the pixels that stay inside; new pixels are black.
    void set_width(int width) { set_size(width, height()); }
    void set_height(int height) { set_size(width(), height); }
    void set_size(int width, int height);
    // Bitmaps are always 24 bits per pixel; kept so callers read as they are written.
    void set_pixel_format_24() {}

    // Row y as width x 3 bytes of blue, green, red. y must be inside the bitmap.
    uint8_t* scan_line(int y);
    const uint8_t* scan_line(int y) const;

    TColor pixel(int x, int y) const;
    void set_pixel(int x, int y, TColor color);

    Canvas& canvas() { return canvas_; }

    // Loads any BMP file (palette, 24 or 32 bits, top-down rows); throws BitmapError.
    void load_from_file(const std::string& file_name);
    // Writes the bitmap as a 24-bit BMP file; throws BitmapError.
    void save_to_file(const std::string& file_name) const;

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Adopts an image, converted to 24 bits per pixel.
    void set_image(const QImage& image);

private:
    QImage image_;
    Canvas canvas_;
};

// Where the pixels of a plain 24-bit BMP file lie: an uncompressed file with the
// 40-byte header and all its rows present, which is read without Qt's reader.
// Its rows are width x 3 bytes of blue, green, red, each padded to stride, the
// bottom row first unless top_down.
struct Bmp24Layout {
    int width = 0, height = 0;
    int64_t offset = 0, stride = 0;
    bool top_down = false;
};
// Whether file_name is such a file (within the sizes Qt reads), with its layout.
bool plain_bmp24_layout(const std::string& file_name, Bmp24Layout& layout);
// Reads the block of into's size (a 24-bit image) whose top-left corner is (left,
// top) of such a file's picture into into; what the file no longer holds, after
// it was cut short or removed, stays black.
void read_bmp24_block(const std::string& file_name, const Bmp24Layout& layout, int left, int top, QImage& into);

// The plain block copy: w x h pixels from (sx, sy) of the source to (dx, dy) of the
// destination, clipped to both images; nothing is written outside either.
void bit_blt(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy);
void bit_blt(Canvas& dst, int dx, int dy, int w, int h, const Canvas& src, int sx, int sy);
void bit_blt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy);
