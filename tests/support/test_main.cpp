// Every suite runs with a QApplication on the offscreen platform, the vocabulary
// tables filled and scripted modal boxes, so no test ever waits on a window.
#include "tests/support/test_support.h"

#include "model/init.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

ScriptedModalGuard::ScriptedModalGuard() {
    auto scripted = std::make_unique<ScriptedModal>();
    scripted_ = scripted.get();
    previous_ = set_modal(std::move(scripted));
}

ScriptedModalGuard::~ScriptedModalGuard() { set_modal(std::move(previous_)); }

TempDir::TempDir() {
    QTemporaryDir dir(QDir::tempPath() + "/editor-test-XXXXXX");
    dir.setAutoRemove(false);
    path_ = dir.path().toStdString();
}

TempDir::~TempDir() { QDir(QString::fromStdString(path_)).removeRecursively(); }

std::string imagemagick_convert() {
    for (const char* path : {"/usr/bin/convert", "/usr/bin/convert-im6.q16"})
        if (QFile::exists(path)) return path;
    return "convert";
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    init_tables();
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    done_tables();
    return rc;
}
