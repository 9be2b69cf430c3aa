// The real modal boxes: captions, texts, icons, buttons, answers; timers wait
// while a box is open. Each box is answered by a timer that looks at it.
#include "platform/errors.h"
#include "platform/kit/kit.h"
#include "platform/kit/qt_modal.h"
#include "tests/support/kit_user.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
using namespace kit;

// What the open box showed, and the button pressed to close it.
struct Seen {
    std::string title, text, buttons, default_button;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

void answer_box(Seen& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(30, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle().toStdString();
        seen.text = box->text().toStdString();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons += b->text().remove('&').toStdString() + ";";
        if (box->defaultButton()) seen.default_button = box->defaultButton()->text().remove('&').toStdString();
        box->button(press)->click();
    });
}

TEST(KitQtModal, MessageBoxes) {
    QtModal m;
    const std::string title = program_title();
    Seen seen;
    answer_box(seen, QMessageBox::Ok);
    m.message("Cell is not empty");
    EXPECT_EQ(seen.title, title);
    EXPECT_EQ(seen.text, "Cell is not empty");
    EXPECT_EQ(seen.buttons, "OK;");

    seen = {};
    answer_box(seen, QMessageBox::Ok);
    m.error("Range check error.");
    EXPECT_EQ(seen.title, title);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, "OK;");

    // "delete?" and the questions in its style: caption "Error", error icon, OK and Cancel.
    const std::pair<std::function<bool()>, std::string> questions[] = {
        {[&] { return m.ask_delete(); }, "delete?"},
        {[&] { return m.ask_ok("add res?"); }, "add res?"},
        {[&] { return m.ask_ok("\xE4\xE0?"); }, "\xD0\xB4\xD0\xB0?"},  // Windows-1251 shown as UTF-8
    };
    for (const auto& [ask, text] : questions) {
        for (auto [press, expected] : {std::pair{QMessageBox::Ok, true}, std::pair{QMessageBox::Cancel, false}}) {
            seen = {};
            answer_box(seen, press);
            EXPECT_EQ(ask(), expected) << text;
            EXPECT_EQ(seen.title, "Error");
            EXPECT_EQ(seen.text, text);
            EXPECT_EQ(seen.icon, QMessageBox::Critical);
            EXPECT_EQ(seen.buttons, "OK;Cancel;");
            EXPECT_EQ(seen.default_button, "OK");
        }
    }
    for (auto [press, expected] : {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::Cancel, false}}) {
        seen = {};
        answer_box(seen, press);
        EXPECT_EQ(m.ask_sure(), expected);
        EXPECT_EQ(seen.title, "Warning");
        EXPECT_EQ(seen.text, "Are you sure?");
        EXPECT_EQ(seen.default_button, "Cancel");
    }
}

// The scripted questions answer from their own queues (OK when empty) and
// write one transcript line each.
TEST(ScriptedModalQuestions, AnswerFromTheirOwnQueues) {
    ScriptedModal m;
    m.ok_answers = {false};
    m.delete_answers = {true};
    EXPECT_FALSE(m.ask_ok("add res?"));
    EXPECT_TRUE(m.ask_ok("add res?"));  // the queue is empty again
    EXPECT_TRUE(m.ask_delete());
    m.delete_answers = {false};
    EXPECT_FALSE(m.ask_delete());
    EXPECT_EQ(m.transcript, (std::vector<std::string>{"ask_ok(add res?) -> 0", "ask_ok(add res?) -> 1",
                                                      "ask_delete -> 1", "ask_delete -> 0"}));
}

TEST(KitQtModal, QuantityBox) {
    QtModal m;
    for (auto [accept, expected] : {std::pair{true, 5}, std::pair{false, 1}}) {
        std::string title, label;
        int min = 0, max = 0, step = 0, start = 0;
        QTimer::singleShot(30, [&, accept = accept] {
            auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            title = d->windowTitle().toStdString();
            label = d->labelText().toStdString();
            min = d->intMinimum();
            max = d->intMaximum();
            step = d->intStep();
            start = d->intValue();
            d->setIntValue(5);
            if (accept)
                d->accept();
            else
                d->reject();
        });
        EXPECT_EQ(m.ask_quant(), expected);
        EXPECT_EQ(title, "quant");
        EXPECT_EQ(label, "");
        EXPECT_EQ(min, 1);
        EXPECT_EQ(max, 100);
        EXPECT_EQ(step, 1);
        EXPECT_EQ(start, 1);
    }
}

TEST(KitQtModal, SaveDialogAddsTheDefaultExtension) {
    TempDir dir;
    QtModal m;
    FileDialogRequest r;
    r.initial_folder = dir.path();
    r.default_extension = "wld";
    std::string filters, folder;
    QTimer::singleShot(50, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        filters = d->nameFilters().join(";;").toStdString();
        folder = d->directory().absolutePath().toStdString();
        // Typed into the name field, as the designer does. selectFile() would
        // not do: the dialog leaves its name field alone while that field has
        // the keyboard focus, which it has as soon as the dialog is active
        // (at once when another box was open before), and the dialog then
        // stays open on its folder.
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("world1");
        static_cast<QDialog*>(d)->accept();
    });
    const auto chosen = m.save_file(r);
    EXPECT_EQ(filters, "world file (*.wld)");
    EXPECT_EQ(folder, QDir(QString::fromStdString(dir.path())).absolutePath().toStdString());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.file("world1.wld"));

    QTimer::singleShot(50, [] {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    EXPECT_FALSE(m.open_file(r).has_value());
}

// The name chosen last is offered again where it was chosen: accepting it as
// offered saves over that file, not over a new one in the initial folder.
TEST(KitQtModal, FileDialogsOfferTheLastNameInItsOwnFolder) {
    TempDir dir;
    QDir().mkpath(QString::fromStdString(dir.file("other")));
    const std::string last = dir.file("other") + "/kept.wld";
    QtModal m;
    for (bool saving : {true, false}) {
        SCOPED_TRACE(saving ? "save" : "open");
        if (!saving) {  // saving over a file would ask first; opening needs one
            QFile f(QString::fromStdString(last));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        FileDialogRequest r;
        r.initial_folder = dir.path();
        r.file_name = last;
        if (saving) r.default_extension = "wld";
        std::string folder;
        QTimer::singleShot(50, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            folder = d->directory().absolutePath().toStdString();
            static_cast<QDialog*>(d)->accept();
        });
        // A dialog that refuses the name it offered (a file it cannot find) is
        // closed after a while, so the test fails instead of waiting for ever.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        });
        closer.start(500);
        const auto chosen = saving ? m.save_file(r) : m.open_file(r);
        closer.stop();
        EXPECT_EQ(folder, QDir(QString::fromStdString(dir.file("other"))).absolutePath().toStdString());
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(*chosen, last);
    }
}

TEST(KitQtModal, TicksWaitWhileABoxIsOpen) {
    QtModal m;
    Timer t(5, true);
    int ticks = 0;
    t.on_timer = [&] { ++ticks; };
    int during = -1;
    QTimer::singleShot(60, [&] {
        during = ticks;
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    dispatch([&] { m.message("wait"); });
    EXPECT_EQ(during, 0);
    QElapsedTimer clock;
    clock.start();
    while (ticks == 0 && clock.elapsed() < 1000) user::process_events();
    EXPECT_GE(ticks, 1);
    t.set_enabled(false);
}

// The suites' watchdog: a box nobody answers is closed after the limit and
// fails the test that left it open.
TEST(Watchdog, ClosesABoxLeftOpenAndFailsTheTest) {
    set_watchdog_limit(300);
    EXPECT_NONFATAL_FAILURE(QtModal().message("nobody answers"), "was left open");
    set_watchdog_limit(3000);
}

}  // namespace
