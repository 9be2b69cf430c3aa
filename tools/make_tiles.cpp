// Draws the sample tile folder: terrain, water, objects, items, resources, NPC
// figures and portraits, every picture made here by code. The files follow the
// tile folder's naming (name_WxH.bmp) and sort so that terrain comes first.
//
//   make_tiles FOLDER
#include "platform/bitmap.h"
#include "tiles/utils.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// A fixed-seed generator, so the folder is the same on every machine.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    int next(int range) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(range));
    }

private:
    uint32_t state_;
};

QColor rgb(TColor c) { return QColor(color_red(c), color_green(c), color_blue(c)); }
const QColor light_shadow = rgb(light_shadow_key);
const QColor dark_shadow = rgb(dark_shadow_key);
const QColor transparent_white(255, 255, 255);

using Painter = std::function<void(QPainter&, int index, int w, int h)>;

// A sheet of columns x rows frames of w x h pixels, each drawn by paint.
QImage sheet(int w, int h, int columns, int rows, QColor background, const Painter& paint, bool smooth) {
    QImage image(w * columns, h * rows, QImage::Format_RGB32);
    image.fill(background);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing, smooth);
            p.translate(c * w, r * h);
            p.setClipRect(0, 0, w, h);
            paint(p, r * columns + c, w, h);
        }
    return image;
}

// Speckles a frame with shades around a base colour.
void speckle(QPainter& p, int w, int h, QColor base, int spread, int count, uint32_t seed) {
    Noise n(seed);
    p.fillRect(0, 0, w, h, base);
    for (int i = 0; i < count; ++i) {
        const int d = n.next(2 * spread + 1) - spread;
        p.fillRect(n.next(w), n.next(h), 1 + n.next(2), 1 + n.next(2),
                   QColor(std::clamp(base.red() + d, 0, 254), std::clamp(base.green() + d, 0, 254),
                          std::clamp(base.blue() + d, 0, 254)));
    }
}

void terrain(QPainter& p, int i, int w, int h) {
    switch (i) {
    case 0: p.fillRect(0, 0, w, h, Qt::black); break;                        // void
    case 1: speckle(p, w, h, QColor(120, 85, 50), 25, 160, 11); break;       // ground
    case 2: {                                                                // stone
        speckle(p, w, h, QColor(128, 128, 128), 18, 120, 12);
        p.setPen(QColor(80, 80, 80));
        for (int y = 0; y < h; y += 8) p.drawLine(0, y, w, y);
        for (int y = 0; y < h; y += 8)
            for (int x = (y / 8) % 2 * 8; x < w; x += 16) p.drawLine(x, y, x, y + 8);
        break;
    }
    case 3: {                                                                // grass
        speckle(p, w, h, QColor(60, 140, 50), 30, 200, 13);
        Noise n(31);
        p.setPen(QColor(40, 110, 30));
        for (int k = 0; k < 14; ++k) {
            const int x = n.next(w), y = n.next(h);
            p.drawLine(x, y, x + n.next(3) - 1, y - 3);
        }
        break;
    }
    case 4: speckle(p, w, h, QColor(220, 200, 130), 20, 160, 14); break;     // sand
    case 5: speckle(p, w, h, QColor(236, 240, 246), 10, 80, 15); break;      // snow
    case 6: {                                                                // swamp
        speckle(p, w, h, QColor(70, 90, 50), 20, 160, 16);
        p.setBrush(QColor(50, 70, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(4, 6, 12, 6);
        p.drawEllipse(18, 20, 10, 6);
        break;
    }
    case 7: {                                                                // ice
        speckle(p, w, h, QColor(180, 220, 240), 12, 60, 17);
        p.setPen(QColor(230, 245, 252));
        p.drawLine(3, 28, 28, 4);
        p.drawLine(10, 30, 30, 12);
        break;
    }
    case 8: {                                                                // glass
        p.fillRect(0, 0, w, h, QColor(150, 200, 200));
        p.setPen(QColor(210, 240, 240));
        p.drawLine(2, 12, 12, 2);
        p.drawLine(2, 22, 22, 2);
        p.setPen(QColor(90, 140, 140));
        p.drawRect(0, 0, w - 1, h - 1);
        break;
    }
    case 9: speckle(p, w, h, QColor(60, 140, 50), 30, 200, 18);             // grass with flowers
        for (int k = 0; k < 6; ++k) p.fillRect(4 + k * 5, 5 + (k * 11) % 22, 2, 2, k % 2 ? Qt::yellow : Qt::red);
        break;
    case 10: speckle(p, w, h, QColor(150, 120, 80), 15, 100, 19); break;    // dirt road
    case 11: {                                                               // cobbles
        p.fillRect(0, 0, w, h, QColor(90, 90, 95));
        p.setPen(QColor(60, 60, 60));
        p.setBrush(QColor(140, 140, 145));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) p.drawEllipse(x * 8 + (y % 2) * 4 - 2, y * 8, 8, 7);
        break;
    }
    case 12: {                                                               // wooden floor
        p.fillRect(0, 0, w, h, QColor(160, 110, 60));
        p.setPen(QColor(110, 70, 35));
        for (int y = 0; y < h; y += 6) p.drawLine(0, y, w, y);
        break;
    }
    case 13: speckle(p, w, h, QColor(90, 70, 60), 20, 150, 20); break;      // mud
    case 14: speckle(p, w, h, QColor(40, 100, 40), 25, 220, 21); break;     // dark grass
    default: {                                                               // lava
        speckle(p, w, h, QColor(200, 60, 20), 40, 200, 22);
        break;
    }
    }
}

void water(QPainter& p, int i, int w, int h) {
    const bool deep = i >= 8;
    const int phase = i % 8;
    p.fillRect(0, 0, w, h, deep ? QColor(20, 50, 120) : QColor(40, 100, 190));
    p.setPen(deep ? QColor(50, 90, 160) : QColor(120, 170, 230));
    for (int row = 0; row < 4; ++row) {
        const int y0 = row * 8 + 4;
        QPainterPath wave;
        for (int x = 0; x <= w; ++x) {
            const double y = y0 + 2.0 * std::sin((x + phase * 4 + row * 5) * 3.14159 / 8.0);
            if (x == 0) wave.moveTo(x, y); else wave.lineTo(x, y);
        }
        p.drawPath(wave);
    }
}

// Objects stand on the bottom of their 64 x 64 frame; white is transparent and
// the two key colours lay light and dark shadows on what lies below.
void object(QPainter& p, int i, int, int) {
    p.setPen(Qt::NoPen);
    auto shadow = [&](int x, int y, int w, int h, bool dark = false) {
        p.setBrush(dark ? dark_shadow : light_shadow);
        p.drawEllipse(x, y, w, h);
    };
    switch (i) {
    case 0:  // tree
        shadow(20, 50, 40, 12);
        p.setBrush(QColor(100, 60, 30));
        p.drawRect(28, 36, 8, 22);
        p.setBrush(QColor(30, 120, 40));
        p.drawEllipse(10, 4, 44, 38);
        p.setBrush(QColor(50, 150, 60));
        p.drawEllipse(18, 8, 20, 16);
        break;
    case 1:  // pine
        shadow(22, 52, 36, 10);
        p.setBrush(QColor(90, 55, 30));
        p.drawRect(29, 46, 6, 12);
        p.setBrush(QColor(20, 90, 50));
        p.drawPolygon(QPolygon({QPoint(32, 2), QPoint(12, 48), QPoint(52, 48)}));
        break;
    case 2:  // rock
        shadow(14, 46, 46, 14, true);
        p.setBrush(QColor(120, 120, 125));
        p.drawPolygon(QPolygon({QPoint(10, 56), QPoint(16, 36), QPoint(30, 28), QPoint(48, 32), QPoint(56, 56)}));
        p.setBrush(QColor(160, 160, 165));
        p.drawPolygon(QPolygon({QPoint(18, 40), QPoint(30, 31), QPoint(40, 34), QPoint(28, 44)}));
        break;
    case 3:  // chest
        shadow(34, 50, 28, 10);
        p.setBrush(QColor(140, 90, 40));
        p.drawRect(34, 40, 26, 20);
        p.setBrush(QColor(200, 170, 40));
        p.drawRect(34, 46, 26, 3);
        p.drawRect(45, 46, 4, 7);
        break;
    case 4:  // closed door
    case 5:  // open door
        p.setBrush(QColor(110, 110, 115));
        p.drawRect(30, 4, 34, 60);
        p.setBrush(i == 4 ? QColor(130, 80, 40) : QColor(20, 20, 20));
        p.drawRect(36, 12, 22, 52);
        if (i == 4) {
            p.setBrush(QColor(230, 200, 60));
            p.drawEllipse(52, 38, 4, 4);
        }
        break;
    case 6:  // wall
        p.setBrush(QColor(150, 80, 60));
        p.drawRect(32, 8, 32, 56);
        p.setPen(QColor(200, 190, 180));
        for (int y = 8; y < 64; y += 8) p.drawLine(32, y, 63, y);
        p.setPen(Qt::NoPen);
        break;
    case 7:  // barrel
        shadow(36, 54, 26, 8);
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(38, 36, 22, 24);
        p.setBrush(QColor(80, 80, 80));
        p.drawRect(38, 40, 22, 2);
        p.drawRect(38, 54, 22, 2);
        break;
    case 8:  // bush
        shadow(34, 52, 28, 10);
        p.setBrush(QColor(40, 130, 50));
        p.drawEllipse(34, 38, 28, 22);
        break;
    case 9:  // well
        shadow(14, 50, 46, 12, true);
        p.setBrush(QColor(130, 130, 135));
        p.drawRect(16, 36, 36, 22);
        p.setBrush(QColor(30, 60, 120));
        p.drawRect(20, 36, 28, 6);
        p.setBrush(QColor(110, 70, 35));
        p.drawRect(16, 10, 4, 26);
        p.drawRect(48, 10, 4, 26);
        p.drawRect(14, 8, 40, 5);
        break;
    case 10:  // lamp post
        shadow(40, 56, 22, 6);
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(48, 16, 4, 44);
        p.setBrush(QColor(250, 230, 120));
        p.drawEllipse(44, 6, 12, 12);
        break;
    case 11:  // table
        shadow(20, 52, 44, 10);
        p.setBrush(QColor(150, 100, 55));
        p.drawRect(20, 36, 40, 6);
        p.drawRect(22, 42, 4, 16);
        p.drawRect(54, 42, 4, 16);
        break;
    case 12:  // boat (floats)
        p.setBrush(QColor(120, 70, 30));
        p.drawPolygon(QPolygon({QPoint(4, 44), QPoint(60, 44), QPoint(52, 60), QPoint(12, 60)}));
        p.setBrush(QColor(240, 240, 230));
        p.drawPolygon(QPolygon({QPoint(30, 8), QPoint(30, 40), QPoint(52, 40)}));
        break;
    case 13:  // statue
        shadow(30, 54, 30, 8, true);
        p.setBrush(QColor(180, 180, 170));
        p.drawRect(36, 48, 20, 12);
        p.drawEllipse(40, 14, 12, 12);
        p.drawRect(40, 26, 12, 22);
        break;
    case 14:  // fence
        p.setBrush(QColor(150, 110, 60));
        for (int x = 34; x < 64; x += 8) p.drawRect(x, 40, 4, 22);
        p.drawRect(32, 46, 32, 3);
        p.drawRect(32, 54, 32, 3);
        break;
    default:  // campfire
        shadow(34, 54, 28, 8);
        p.setBrush(QColor(100, 60, 30));
        p.drawRect(36, 54, 24, 4);
        p.setBrush(QColor(240, 120, 20));
        p.drawEllipse(40, 38, 16, 18);
        p.setBrush(QColor(250, 220, 60));
        p.drawEllipse(44, 44, 8, 10);
        break;
    }
}

void item(QPainter& p, int i, int, int) {
    p.setPen(Qt::NoPen);
    const QColor steel(170, 175, 185), wood(130, 85, 40), leather(140, 90, 50), dark(60, 60, 65);
    switch (i) {
    case 0: p.setBrush(steel); p.drawPolygon(QPolygon({QPoint(24, 3), QPoint(28, 3), QPoint(10, 23), QPoint(8, 21)}));
        p.setBrush(wood); p.drawRect(4, 22, 6, 6); break;                                        // sword
    case 1: p.setBrush(wood); p.drawRect(14, 4, 4, 26); p.setBrush(steel); p.drawEllipse(16, 4, 12, 12); break;  // axe
    case 2: p.setBrush(wood); p.drawRect(14, 10, 4, 20); p.setBrush(dark); p.drawEllipse(10, 2, 12, 12); break;   // mace
    case 3: p.setBrush(wood); p.drawRect(15, 8, 3, 23); p.setBrush(steel);
        p.drawPolygon(QPolygon({QPoint(16, 1), QPoint(12, 9), QPoint(20, 9)})); break;                // spear
    case 4: p.setBrush(wood); p.drawRect(15, 2, 3, 29); p.setBrush(QColor(120, 60, 200)); p.drawEllipse(12, 1, 9, 9); break;  // staff
    case 5: p.setBrush(steel); p.drawRect(14, 6, 3, 14); p.setBrush(dark); p.drawRect(13, 20, 5, 8); break;     // knife
    case 6: p.setBrush(QColor(120, 60, 40)); p.drawEllipse(5, 4, 22, 26); p.setBrush(steel); p.drawEllipse(13, 13, 6, 6); break;  // shield
    case 7: p.setBrush(QColor(150, 40, 40)); p.drawEllipse(6, 12, 20, 12); p.drawRect(2, 20, 28, 4); break;     // hat
    case 8: p.setBrush(steel); p.drawChord(6, 6, 20, 24, 0, 180 * 16); p.setBrush(dark); p.drawRect(14, 10, 4, 8); break;  // helm
    case 9: p.setBrush(leather); p.drawRect(8, 6, 16, 22); p.drawRect(3, 6, 5, 12); p.drawRect(24, 6, 5, 12); break;  // coat
    case 10: p.setBrush(QColor(150, 150, 160)); p.drawRect(8, 6, 16, 22); p.setBrush(dark);
        for (int y = 8; y < 28; y += 4) { p.drawRect(8, y, 16, 1); } break;                               // ring mail
    case 11: p.setBrush(QColor(200, 205, 215)); p.drawRect(8, 6, 16, 22); p.setBrush(dark); p.drawRect(15, 6, 2, 22); break;  // plate
    case 12: p.setPen(QPen(wood, 3)); p.setBrush(Qt::NoBrush); p.drawArc(4, 3, 20, 26, -90 * 16, 180 * 16);
        p.setPen(QPen(dark, 1)); p.drawLine(14, 3, 14, 29); break;                                   // bow
    case 13: p.setBrush(wood); p.drawRect(14, 8, 4, 22); p.setPen(QPen(dark, 2)); p.drawLine(4, 10, 28, 10); break;  // crossbow
    case 14: p.setBrush(dark); p.drawRect(3, 12, 24, 4); p.setBrush(wood); p.drawRect(20, 14, 9, 8); break;    // shot gun
    default: p.setBrush(dark); p.drawRect(6, 10, 16, 5); p.drawEllipse(16, 9, 8, 8); p.setBrush(wood);
        p.drawRect(20, 14, 5, 10); break;                                                             // revolver
    }
}

void resource(QPainter& p, int i, int, int) {
    p.setPen(Qt::NoPen);
    const QColor gold(230, 190, 40), wood(130, 85, 40), metal(150, 155, 165);
    switch (i) {
    case 0: p.setBrush(gold); p.drawEllipse(11, 18, 10, 10); break;                                // a coin
    case 1: p.setBrush(gold); for (int k = 0; k < 5; ++k) p.drawEllipse(4 + k * 4, 20 - (k % 2) * 5, 10, 10); break;  // coins
    case 2: p.setBrush(wood); p.drawRect(6, 18, 20, 8); break;                                      // a log
    case 3: p.setBrush(wood); for (int k = 0; k < 3; ++k) p.drawRect(4, 10 + k * 7, 24, 6); break;   // logs
    case 4: p.setBrush(metal); p.drawRect(8, 18, 16, 8); break;                                     // a bar
    case 5: p.setBrush(metal); for (int k = 0; k < 3; ++k) p.drawRect(4 + k * 3, 22 - k * 6, 18, 6); break;  // bars
    case 6: p.setBrush(QColor(60, 200, 120)); p.drawPolygon(QPolygon({QPoint(16, 14), QPoint(22, 20), QPoint(16, 28), QPoint(10, 20)})); break;
    case 7: p.setBrush(QColor(200, 60, 120)); for (int k = 0; k < 3; ++k) {
            p.drawPolygon(QPolygon({QPoint(8 + k * 7, 14), QPoint(12 + k * 7, 20), QPoint(8 + k * 7, 28), QPoint(4 + k * 7, 20)})); } break;
    case 8: p.setPen(QPen(wood, 2)); p.drawLine(6, 26, 26, 6); break;                               // an arrow
    case 9: p.setPen(QPen(wood, 2)); for (int k = 0; k < 3; ++k) p.drawLine(4 + k * 4, 28, 22 + k * 4, 6); break;  // arrows
    case 10: p.setBrush(gold); for (int k = 0; k < 4; ++k) p.drawRect(6 + k * 6, 14, 4, 12); break;   // ammo
    case 11: p.setBrush(QColor(70, 70, 75)); p.drawRect(11, 8, 10, 20); break;                      // clip
    case 12: p.setBrush(QColor(40, 160, 220)); p.drawRect(9, 10, 14, 18); p.setBrush(gold); p.drawRect(13, 6, 6, 4); break;  // cell
    case 13: p.setBrush(QColor(50, 160, 60)); p.drawEllipse(8, 10, 8, 14); p.drawEllipse(16, 8, 8, 14); break;  // herb
    case 14: p.setBrush(QColor(200, 150, 80)); p.drawEllipse(5, 14, 22, 12); break;                  // bread
    default: p.setBrush(QColor(180, 220, 230)); p.drawRect(13, 6, 6, 6); p.drawEllipse(8, 10, 16, 18);  // vial
        p.setBrush(QColor(220, 240, 245));
        p.drawEllipse(11, 16, 10, 10); break;
    }
}

void figure(QPainter& p, int i, int, int) {
    const QColor shirts[] = {QColor(180, 40, 40), QColor(40, 80, 180), QColor(40, 140, 60), QColor(130, 60, 150),
                             QColor(200, 150, 40), QColor(90, 90, 90), QColor(20, 120, 130), QColor(150, 90, 50)};
    const QColor skins[] = {QColor(240, 200, 160), QColor(200, 150, 110), QColor(150, 100, 70), QColor(90, 160, 80)};
    p.setPen(Qt::NoPen);
    p.setBrush(light_shadow);
    p.drawEllipse(6, 56, 24, 7);
    p.setBrush(QColor(60, 50, 40));
    p.drawRect(10, 40, 5, 18);
    p.drawRect(17, 40, 5, 18);
    p.setBrush(shirts[i % 8]);
    p.drawRect(8, 20, 16, 22);
    p.drawRect(4, 22, 4, 14);
    p.drawRect(24, 22, 4, 14);
    p.setBrush(skins[i % 4]);
    p.drawEllipse(10, 6, 12, 14);
}

void portrait(QPainter& p, int i, int w, int h) {
    const QColor backs[] = {QColor(90, 110, 140), QColor(120, 90, 70), QColor(70, 120, 90), QColor(110, 80, 120)};
    const QColor skins[] = {QColor(240, 200, 160), QColor(200, 150, 110), QColor(150, 100, 70), QColor(90, 160, 80)};
    const QColor hair[] = {QColor(60, 40, 20), QColor(200, 170, 80), QColor(30, 30, 30), QColor(150, 60, 30)};
    p.fillRect(0, 0, w, h, backs[i % 4]);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 80));
    p.drawEllipse(8, 46, 48, 30);
    p.setBrush(skins[i % 4]);
    p.drawEllipse(18, 12, 28, 34);
    p.setBrush(hair[(i / 2) % 4]);
    p.drawChord(16, 8, 32, 24, 0, 180 * 16);
    p.setBrush(Qt::black);
    p.drawEllipse(25, 26, 4, 4);
    p.drawEllipse(35, 26, 4, 4);
    p.setPen(QPen(QColor(120, 40, 40), 2));
    p.drawLine(28, 38, 36, 38);
}

bool write(const QString& folder, const QString& name, const QImage& image) {
    Bitmap b;
    b.set_image(image);
    try {
        b.save_to_file((folder + "/" + name).toStdString());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_tiles: %s\n", e.what());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tiles FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_tiles: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    ok &= write(folder, "01terrain_32x32.bmp", sheet(32, 32, 8, 2, Qt::black, terrain, true));
    ok &= write(folder, "02water_32x32.bmp", sheet(32, 32, 8, 2, Qt::black, water, true));
    ok &= write(folder, "03objects_64x64.bmp", sheet(64, 64, 8, 2, transparent_white, object, false));
    ok &= write(folder, "04items_32x32.bmp", sheet(32, 32, 8, 2, transparent_white, item, false));
    ok &= write(folder, "05resources_32x32.bmp", sheet(32, 32, 8, 2, transparent_white, resource, false));
    ok &= write(folder, "06npcs_32x64.bmp", sheet(32, 64, 8, 1, transparent_white, figure, false));
    ok &= write(folder, "07portraits_64x64.bmp", sheet(64, 64, 8, 1, transparent_white, portrait, true));
    return ok ? 0 : 1;
}
