#include "platform/bitmap.h"

#include "platform/codepage.h"
#include "platform/errors.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QColor qcolor(TColor c) { return QColor(color_red(c), color_green(c), color_blue(c)); }

QImage blank_image(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_BGR888);
    // Zero bytes are black. Filling through QImage::fill would start a paint
    // engine for a 24-bit image and leave it with the image for good.
    if (!image.isNull()) std::memset(image.bits(), 0, static_cast<std::size_t>(image.sizeInBytes()));
    return image;
}

uint32_t le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

class File {
public:
    explicit File(const std::string& name) : fd_(::open(name.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool layout_of(int fd, Bmp24Layout& layout) {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    unsigned char h[54];
    if (::pread(fd, h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) return false;
    if (h[0] != 'B' || h[1] != 'M') return false;
    const uint32_t offset = le32(h + 10);
    const int64_t width = static_cast<int32_t>(le32(h + 18));
    const int64_t signed_height = static_cast<int32_t>(le32(h + 22));
    if (le32(h + 14) != 40 || le16(h + 26) != 1 || le16(h + 28) != 24 || le32(h + 30) != 0) return false;
    const bool top_down = signed_height < 0;
    const int64_t height = top_down ? -signed_height : signed_height;
    if (width <= 0 || height <= 0 || offset < sizeof h) return false;
    // Qt's own limits for a BMP file and for the image it decodes into.
    if (width * height > int64_t{16384} * 16384) return false;
    if (width * 4 * height > int64_t{QImageReader::allocationLimit()} * 1024 * 1024) return false;
    const int64_t stride = (width * 3 + 3) / 4 * 4;
    if (int64_t{offset} + stride * height > static_cast<int64_t>(info.st_size)) return false;
    layout = {static_cast<int>(width), static_cast<int>(height), offset, stride, top_down};
    return true;
}

// Reads the block of into's size with its top-left corner at (left, top) of the
// picture into into; what the file does not hold (any more) stays black.
void read_block(int fd, const Bmp24Layout& layout, int left, int top, QImage& into) {
    const int rows = std::min(into.height(), layout.height - top);
    const int64_t bytes = int64_t{std::min(into.width(), layout.width - left)} * 3;
    if (fd < 0 || rows <= 0 || bytes <= 0) {
        if (!into.isNull()) std::memset(into.bits(), 0, static_cast<std::size_t>(into.sizeInBytes()));
        return;
    }
    // The rows go through a small buffer that stays in use rather than straight
    // from the kernel into a new image: on a virtual machine the kernel's faults
    // on fresh pages made that several times slower than the plain copy.
    thread_local std::vector<char> buffer;
    const int64_t batch = std::max<int64_t>(1, (int64_t{1} << 20) / layout.stride);
    buffer.resize(static_cast<std::size_t>(std::min<int64_t>(batch, rows) * layout.stride));
    uchar* bits = into.bits();
    const qsizetype into_stride = into.bytesPerLine();
    for (int done = 0; done < rows;) {
        const int n = static_cast<int>(std::min<int64_t>(batch, rows - done));
        // The file rows of picture rows top + done .. top + done + n - 1 lie
        // together, in the picture's order or the reverse.
        const int64_t first_file_row = layout.top_down ? top + done : layout.height - 1 - (top + done + n - 1);
        const int64_t want = int64_t{n} * layout.stride;
        int64_t got = 0;
        while (got < want) {
            const ssize_t r = ::pread(fd, buffer.data() + got, static_cast<std::size_t>(want - got),
                                      static_cast<off_t>(layout.offset + first_file_row * layout.stride + got));
            if (r <= 0) break;
            got += r;
        }
        if (got < want) std::memset(buffer.data() + got, 0, static_cast<std::size_t>(want - got));
        for (int i = 0; i < n; ++i) {
            const int64_t in_buffer = layout.top_down ? i : n - 1 - i;
            std::memcpy(bits + (done + i) * into_stride, buffer.data() + in_buffer * layout.stride + int64_t{left} * 3,
                        static_cast<std::size_t>(bytes));
        }
        done += n;
    }
}

// Reads the commonest tile file, an uncompressed 24-bit BMP with the plain
// 40-byte header and all its rows present, straight into a 24-bit image: its
// rows are already blue, green, red bytes, as the image's are. Gives a null
// image for every other file, which then goes to Qt's reader; the limits are
// Qt's, so a file Qt refuses is refused the same way.
QImage read_plain_bmp24(const std::string& file_name) {
    const File file(file_name);
    Bmp24Layout layout;
    if (!layout_of(file.fd(), layout)) return {};
    QImage image(layout.width, layout.height, QImage::Format_BGR888);
    if (image.isNull()) return {};
    read_block(file.fd(), layout, 0, 0, image);
    return image;
}
}  // namespace

bool plain_bmp24_layout(const std::string& file_name, Bmp24Layout& layout) {
    const File file(file_name);
    return layout_of(file.fd(), layout);
}

void read_bmp24_block(const std::string& file_name, const Bmp24Layout& layout, int left, int top, QImage& into) {
    const File file(file_name);
    read_block(file.fd(), layout, left, top, into);
}

// ---- Canvas ----

void Canvas::fill_rect(int left, int top, int right, int bottom) {
    if (!target_ || target_->isNull() || right <= left || bottom <= top) return;
    QPainter p(target_);
    p.fillRect(QRect(left, top, right - left, bottom - top), qcolor(brush_color));
}

void Canvas::text_out(int x, int y, const std::string& text) {
    if (!target_ || target_->isNull() || text.empty()) return;
    QPainter p(target_);
    p.setFont(font);
    const QString s = from_cp1251(text);
    const QFontMetrics m(font);
    p.fillRect(QRect(x, y, m.horizontalAdvance(s), m.height()), qcolor(brush_color));
    p.setPen(qcolor(font_color));
    p.drawText(x, y + m.ascent(), s);
}

void Canvas::text_out_transparent(int x, int y, const std::string& text) {
    if (!target_ || target_->isNull() || text.empty()) return;
    QPainter p(target_);
    p.setFont(font);
    p.setPen(qcolor(font_color));
    p.drawText(x, y + QFontMetrics(font).ascent(), from_cp1251(text));
}

int Canvas::text_width(const std::string& text) const {
    return QFontMetrics(font).horizontalAdvance(from_cp1251(text));
}

void Canvas::draw(int x, int y, const Bitmap& bitmap) {
    if (!target_ || bitmap.empty()) return;
    bit_blt(*target_, x, y, bitmap.width(), bitmap.height(), bitmap.image(), 0, 0);
}

void Canvas::move_to(int x, int y) {
    pen_x_ = x;
    pen_y_ = y;
}

void Canvas::line_to(int x, int y) {
    if (target_ && !target_->isNull()) {
        QPainter p(target_);
        p.setPen(QPen(qcolor(pen_color), pen_width));
        p.drawLine(pen_x_, pen_y_, x, y);
    }
    move_to(x, y);
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    if (!target_ || target_->isNull() || right <= left || bottom <= top) return;
    QPainter p(target_);
    p.setPen(QPen(qcolor(pen_color), pen_width));
    p.setBrush(qcolor(brush_color));
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    if (!target_ || target_->isNull() || right <= left || bottom <= top) return;
    QPainter p(target_);
    p.setPen(QPen(qcolor(pen_color), pen_width));
    p.setBrush(qcolor(brush_color));
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void Canvas::set_pixel(int x, int y, TColor color) {
    if (!target_ || !target_->valid(x, y)) return;
    target_->setPixel(x, y, qcolor(color).rgb());
}

TColor Canvas::pixel(int x, int y) const {
    if (!target_ || !target_->valid(x, y)) return clBlack;
    const QRgb c = target_->pixel(x, y);
    return make_color(qRed(c), qGreen(c), qBlue(c));
}

// ---- Bitmap ----

Bitmap::Bitmap() : image_(blank_image(0, 0)), canvas_(&image_) {}

Bitmap::Bitmap(int width, int height) : image_(blank_image(width, height)), canvas_(&image_) {}

Bitmap::Bitmap(const Bitmap& other) : image_(other.image_), canvas_(other.canvas_) {
    canvas_.set_image(&image_);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        image_ = other.image_;
        canvas_ = other.canvas_;
        canvas_.set_image(&image_);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept : image_(std::move(other.image_)), canvas_(other.canvas_) {
    canvas_.set_image(&image_);
    other.image_ = QImage();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        image_ = std::move(other.image_);
        canvas_ = other.canvas_;
        canvas_.set_image(&image_);
        other.image_ = QImage();
    }
    return *this;
}

void Bitmap::set_size(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == this->width() && height == this->height() && !image_.isNull()) return;
    QImage resized = blank_image(width, height);
    if (!image_.isNull())
        bit_blt(resized, 0, 0, std::min(width, this->width()), std::min(height, this->height()), image_, 0, 0);
    image_ = std::move(resized);
}

uint8_t* Bitmap::scan_line(int y) { return image_.scanLine(y); }
const uint8_t* Bitmap::scan_line(int y) const { return image_.constScanLine(y); }

TColor Bitmap::pixel(int x, int y) const {
    if (!image_.valid(x, y)) return clBlack;
    const uint8_t* p = scan_line(y) + 3 * x;
    return make_color(p[2], p[1], p[0]);
}

void Bitmap::set_pixel(int x, int y, TColor color) {
    if (!image_.valid(x, y)) return;
    uint8_t* p = scan_line(y) + 3 * x;
    p[0] = static_cast<uint8_t>(color_blue(color));
    p[1] = static_cast<uint8_t>(color_green(color));
    p[2] = static_cast<uint8_t>(color_red(color));
}

void Bitmap::load_from_file(const std::string& file_name) {
    if (QImage plain = read_plain_bmp24(file_name); !plain.isNull()) {
        image_ = std::move(plain);
        canvas_.set_image(&image_);
        return;
    }
    QImageReader reader(QString::fromLocal8Bit(file_name.c_str()), "bmp");
    reader.setDecideFormatFromContent(false);
    QImage loaded = reader.read();
    if (loaded.isNull()) throw BitmapError("Bitmap image is not valid: " + file_name);
    set_image(loaded);
}

void Bitmap::save_to_file(const std::string& file_name) const {
    if (!image_.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(file_name.c_str()), "BMP"))
        throw BitmapError("Cannot write bitmap: " + file_name);
}

void Bitmap::set_image(const QImage& image) {
    image_ = image.convertToFormat(QImage::Format_BGR888);
    canvas_.set_image(&image_);
}

// ---- block copy ----

void bit_blt(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy) {
    if (dst.isNull() || src.isNull() || w <= 0 || h <= 0) return;
    // Clip against the source, then against the destination, moving both corners together.
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, src.width() - sx, dst.width() - dx});
    h = std::min({h, src.height() - sy, dst.height() - dy});
    if (w <= 0 || h <= 0) return;
    if (src.format() == dst.format() && src.depth() % 8 == 0) {
        const int bpp = src.depth() / 8;
        if (&src == &dst || src.constBits() == dst.constBits()) {
            const QImage copy = src.copy(sx, sy, w, h);
            bit_blt(dst, dx, dy, w, h, copy, 0, 0);
            return;
        }
        // The row pointers are taken once and the rows walked by stride: asking
        // for each row's pointer checks for a shared image every time, which cost
        // as much as the copy of a map cell's rows.
        const qsizetype d_stride = dst.bytesPerLine(), s_stride = src.bytesPerLine();
        uchar* d = dst.bits() + dy * d_stride + qsizetype{dx} * bpp;
        const uchar* s = src.constBits() + sy * s_stride + qsizetype{sx} * bpp;
        const auto bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(bpp);
        for (int row = 0; row < h; ++row, d += d_stride, s += s_stride) std::memcpy(d, s, bytes);
        return;
    }
    QPainter p(&dst);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(dx, dy), src, QRect(sx, sy, w, h));
}

void bit_blt(Canvas& dst, int dx, int dy, int w, int h, const Canvas& src, int sx, int sy) {
    if (!dst.image() || !src.image()) return;
    bit_blt(*dst.image(), dx, dy, w, h, *src.image(), sx, sy);
}

void bit_blt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy) {
    bit_blt(dst.image(), dx, dy, w, h, src.image(), sx, sy);
}
