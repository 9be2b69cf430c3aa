// Draws the sample tile folder (placeholder: one terrain file).
#include "platform/bitmap.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_tiles FOLDER\n");
        return 2;
    }
    QDir().mkpath(argv[1]);
    Bitmap b(32, 32);
    b.canvas().brush_color = make_color(60, 140, 50);
    b.canvas().fill_rect(0, 0, 32, 32);
    b.save_to_file(std::string(argv[1]) + "/terrain_32x32.bmp");
    return 0;
}
