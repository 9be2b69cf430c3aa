// Every suite runs with a QApplication on the offscreen platform, the vocabulary
// tables filled, scripted modal boxes and a watchdog that closes any modal box
// left open, so no test ever waits on a window.
#include "tests/support/test_support.h"

#include "model/init.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
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

namespace {
int watchdog_limit = 3000;

// Looks four times a second at the modal box or popup open now; the same one
// open past the limit is closed and the running test fails.
class Watchdog {
public:
    Watchdog() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(250);
    }

private:
    void look() {
        QWidget* open = QApplication::activePopupWidget();
        if (!open) open = QApplication::activeModalWidget();
        if (open != seen_.data()) {
            seen_ = open;
            since_.start();
            return;
        }
        if (!open || since_.elapsed() < watchdog_limit) return;
        ADD_FAILURE() << "watchdog: \"" << open->windowTitle().toStdString() << "\" was left open for "
                      << since_.elapsed() << " ms and is closed now";
        if (auto* dialog = qobject_cast<QDialog*>(open))
            dialog->reject();
        else
            open->close();
        seen_ = nullptr;
    }
    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};
}  // namespace

void set_watchdog_limit(int milliseconds) { watchdog_limit = milliseconds; }

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    init_tables();
    Watchdog watchdog;
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    done_tables();
    return rc;
}
