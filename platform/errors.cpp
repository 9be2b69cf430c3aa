#include "platform/errors.h"

#include <cctype>

ConvertError::ConvertError(const std::string& text)
    : EditorError("'" + text + "' is not a valid integer value"), text_(text) {}

ListIndexError::ListIndexError(int index)
    : EditorError("List index out of bounds (" + std::to_string(index) + ")"), index_(index) {}

std::string InOutError::message_for(int code) {
    switch (code) {
    case file_not_found: return "File not found";
    case invalid_filename: return "Invalid filename";
    case too_many_files: return "Too many open files";
    case access_denied: return "File access denied";
    case read_beyond_end: return "Read beyond end of file";
    case disk_full: return "Disk full";
    default: return "I/O error " + std::to_string(code);
    }
}

InOutError::InOutError(int code) : EditorError(message_for(code)), code_(code) {}

std::string error_box_text(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

std::string program_title_from(const std::string& executable_path) {
    std::string name = executable_path;
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    const auto dot = name.find('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    for (std::size_t i = 1; i < name.size(); ++i)
        name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    return name;
}

namespace {
std::string& title_storage() {
    static std::string title = "Editor";
    return title;
}
}  // namespace

const std::string& program_title() { return title_storage(); }
void set_program_title(const std::string& title) { title_storage() = title; }
