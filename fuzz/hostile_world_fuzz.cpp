// Builds a world field by field from the input (tests/support/hostile_world.h:
// a structure the writer can save, hostile values in every index and count),
// saves it with the world file writer, opens it through File > Open, opens
// every page through its tab and every secondary window from each of its
// openers, and closes them again. Any sanitizer report, any error that comes
// from the standard library and any window left without input stops the run.
// The editor runs on Qt's offscreen platform and starts in a folder of its own
// with a tiles folder; its windows are made anew for every input, so each
// input runs alone (the stale selections of the mode byte come from the input
// too).
#include "app/startup.h"
#include "mainwindow/state.h"
#include "model/init.h"
#include "tests/support/hostile_run.h"
#include "tests/support/kit_user.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string folder;
QtMessageHandler qt_messages = nullptr;

// The offscreen platform says for every window shown that it cannot raise it
// or grab the keyboard; the rest of Qt's messages go through.
void drop_platform_notes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith("This plugin does not support")) return;
    if (qt_messages) qt_messages(type, context, text);
}

}  // namespace

// A smaller quarantine than the default 256 MB: the windows' bitmaps are made
// anew for every input, and with freed memory held back that long every one
// lands on fresh pages, which doubles the time an input takes. Memory freed
// in the last 16 MB of frees is still caught when used.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

// Allocations that the Qt and font libraries keep for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libglib\n";
}

namespace {

// The fuzzer's flags are read after this: leak checks after each input are
// left off unless asked for (Qt keeps caches that would make each input
// scan the whole heap, seconds apiece); the sanitizers check everything else.
void leave_leak_checks_off(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i)
        if (std::string((*argv)[i]).starts_with("-detect_leaks=")) return;
    static std::vector<char*> args;
    static char flag[] = "-detect_leaks=0";
    args.assign(*argv, *argv + *argc);
    args.push_back(flag);
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* fuzzer_argc, char*** fuzzer_argv) {
    leave_leak_checks_off(fuzzer_argc, fuzzer_argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qt_messages = qInstallMessageHandler(drop_platform_notes);
    static int argc = 1;
    static char name[] = "hostile_world_fuzz";
    static char* argv[] = {name, nullptr};
    // Kept for the life of the process: taken down at exit, after the
    // platform plugin, it would crash.
    new QApplication(argc, argv);
    init_tables();
    QTemporaryDir dir(QDir::tempPath() + "/hostile-world-fuzz-XXXXXX");
    dir.setAutoRemove(false);
    folder = dir.path().toStdString();
    write_hostile_tiles(folder + "/tiles");
    std::atexit([] { QDir(QString::fromStdString(folder)).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto scripted = std::make_unique<ScriptedModal>();
    ScriptedModal& modal = *scripted;
    set_modal(std::move(scripted));
    // The editor reads its tiles from the current folder as it starts; the
    // fuzzer's own paths (corpus, crash files) stay relative to where it runs.
    const QString previous = QDir::currentPath();
    if (!QDir::setCurrent(QString::fromStdString(folder))) std::abort();
    create_windows();
    show_main_window();
    kit::user::process_events();
    QDir::setCurrent(previous);
    if (editor.tile_frames.empty()) std::abort();
    run_hostile_input(data, size, modal, folder, [](const std::string& fault) {
        std::fprintf(stderr, "hostile world fault: %s\n", fault.c_str());
        std::abort();
    });
    destroy_windows();
    return 0;
}
