#pragma once
// Shared helpers of the test suites.
#include "platform/modal.h"

#include <memory>
#include <string>

// Installs a fresh ScriptedModal for the life of the guard and gives access to it.
class ScriptedModalGuard {
public:
    ScriptedModalGuard();
    ~ScriptedModalGuard();
    ScriptedModal& operator*() { return *scripted_; }
    ScriptedModal* operator->() { return scripted_; }

private:
    ScriptedModal* scripted_;
    std::unique_ptr<ModalServices> previous_;
};

// A new empty folder under the test build folder, removed when the guard goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The path of ImageMagick's convert, which writes BMP files of every kind.
std::string imagemagick_convert();

// The watchdog of every suite: a modal box or popup menu left open for longer
// than the limit (3 s unless set) is closed and fails the running test, so no
// test waits for ever on a box nobody answers.
void set_watchdog_limit(int milliseconds);
