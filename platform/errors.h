#pragma once
// The editor's error family. Every error that can end an action carries the exact
// text that the general error handler shows; nothing below catches them.
#include <stdexcept>
#include <string>

class EditorError : public std::runtime_error {
public:
    explicit EditorError(const std::string& message) : std::runtime_error(message) {}
};

// A text that is not a whole number: "'%s' is not a valid integer value".
class ConvertError : public EditorError {
public:
    explicit ConvertError(const std::string& text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// "Range check error": a value that does not fit where it is stored.
class RangeError : public EditorError {
public:
    RangeError() : EditorError("Range check error") {}
};

// "List index out of bounds (%d)": a string list read past its end.
class ListIndexError : public EditorError {
public:
    explicit ListIndexError(int index);
    int index() const { return index_; }

private:
    int index_;
};

class OutOfMemoryError : public EditorError {
public:
    OutOfMemoryError() : EditorError("Out of memory") {}
};

// An input/output error with the operating system's code: 2 "File not found",
// 3 "Invalid filename", 4 "Too many open files", 5 "File access denied",
// 100 "Read beyond end of file", 101 "Disk full", any other "I/O error %d".
class InOutError : public EditorError {
public:
    enum Code { file_not_found = 2, invalid_filename = 3, too_many_files = 4,
                access_denied = 5, read_beyond_end = 100, disk_full = 101 };
    explicit InOutError(int code);
    int code() const { return code_; }
    static std::string message_for(int code);

private:
    int code_;
};

// A file that could not be read as a bitmap.
class BitmapError : public EditorError {
public:
    explicit BitmapError(const std::string& message) : EditorError(message) {}
};

// The text the general error handler shows for a message: a full stop is
// appended when the last character sorts after ".".
std::string error_box_text(const std::string& message);

// The program's title from its executable's path: the file name without folder,
// up to its first full stop, every letter after the first in lower case.
std::string program_title_from(const std::string& executable_path);

// The title of this run (set once at start-up from argv[0]; "Editor" before).
const std::string& program_title();
void set_program_title(const std::string& title);
