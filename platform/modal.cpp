#include "platform/modal.h"

namespace {
std::unique_ptr<ModalServices>& current() {
    static std::unique_ptr<ModalServices> services = std::make_unique<ScriptedModal>();
    return services;
}

template <typename T>
T take(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

std::string describe(const FileDialogRequest& r) {
    return "(" + r.initial_folder + "|" + r.file_name + "|" + r.default_extension + ")";
}
}  // namespace

ModalServices& modal() { return *current(); }

std::unique_ptr<ModalServices> set_modal(std::unique_ptr<ModalServices> services) {
    auto previous = std::move(current());
    current() = services ? std::move(services) : std::make_unique<ScriptedModal>();
    return previous;
}

void ScriptedModal::message(const std::string& text) {
    messages.push_back(text);
    transcript.push_back("message: " + text);
}

bool ScriptedModal::ask_delete() {
    const bool answer = take(delete_answers, true);
    transcript.push_back(std::string("ask_delete -> ") + (answer ? "1" : "0"));
    return answer;
}

bool ScriptedModal::ask_ok(const std::string& text) {
    const bool answer = take(ok_answers, true);
    transcript.push_back("ask_ok(" + text + ") -> " + (answer ? "1" : "0"));
    return answer;
}

bool ScriptedModal::ask_sure() {
    const bool answer = take(sure_answers, true);
    transcript.push_back(std::string("ask_sure -> ") + (answer ? "1" : "0"));
    return answer;
}

void ScriptedModal::error(const std::string& text) {
    errors.push_back(text);
    transcript.push_back("error: " + text);
}

int ScriptedModal::ask_quant() {
    const int answer = take(quant_answers, 1);
    transcript.push_back("ask_quant -> " + std::to_string(answer));
    return answer;
}

std::optional<std::string> ScriptedModal::save_file(const FileDialogRequest& request) {
    auto answer = take(save_answers, std::optional<std::string>());
    transcript.push_back("save_file" + describe(request) + " -> " + (answer ? *answer : "cancel"));
    return answer;
}

std::optional<std::string> ScriptedModal::open_file(const FileDialogRequest& request) {
    auto answer = take(open_answers, std::optional<std::string>());
    transcript.push_back("open_file" + describe(request) + " -> " + (answer ? *answer : "cancel"));
    return answer;
}
