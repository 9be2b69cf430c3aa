#pragma once
// The editor started for a benchmark: all windows made and the main window
// shown, in a folder of its own that holds a small tile folder (one strip of
// eight 32 x 32 frames). The folder the program was in is restored at the end.
#include "app/startup.h"
#include "mainwindow/main.h"
#include "mainwindow/state.h"
#include "platform/bitmap.h"

#include <QDir>
#include <QTemporaryDir>

struct BenchEditor {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();

    BenchEditor() {
        QDir().mkpath(dir.path() + "/tiles");
        Bitmap strip(8 * 32, 32);
        for (int k = 0; k < 8; ++k) {
            strip.canvas().brush_color = make_color(30 * k, 200 - 20 * k, 100);
            strip.canvas().fill_rect(32 * k, 0, 32 * k + 32, 32);
        }
        strip.save_to_file(dir.path().toStdString() + "/tiles/a_32x32.bmp");
        QDir::setCurrent(dir.path());
        create_windows();
        show_main_window();
    }
    ~BenchEditor() {
        destroy_windows();
        QDir::setCurrent(previous);
    }
    BenchEditor(const BenchEditor&) = delete;
    BenchEditor& operator=(const BenchEditor&) = delete;
    TForm1& form() { return static_cast<TForm1&>(*editor.Form1); }
};
