#include "mainwindow/main.h"

#include "model/init.h"
#include "platform/errors.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int start_program(int argc, char** argv) {
    QApplication app(argc, argv);
    set_program_title(program_title_from(argc > 0 ? argv[0] : "editor"));
    init_tables();
    QMainWindow window;
    window.setWindowTitle("The velmo World Editor");
    auto* label = new QLabel("The main window is not built yet.", &window);
    window.setCentralWidget(label);
    window.resize(640, 480);
    window.show();
    const int rc = app.exec();
    done_tables();
    return rc;
}
