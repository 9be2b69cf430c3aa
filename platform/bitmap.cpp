#include "platform/bitmap.h"

#include "platform/codepage.h"
#include "platform/errors.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {
QColor qcolor(TColor c) { return QColor(color_red(c), color_green(c), color_blue(c)); }

QImage blank_image(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_BGR888);
    image.fill(Qt::black);
    return image;
}
}  // namespace

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
        for (int row = 0; row < h; ++row)
            std::memcpy(dst.scanLine(dy + row) + dx * bpp, src.constScanLine(sy + row) + sx * bpp,
                        static_cast<std::size_t>(w * bpp));
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
