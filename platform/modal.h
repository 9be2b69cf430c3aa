#pragma once
// The modal boxes and file dialogs of the editor behind one seam. The program
// installs the real boxes (the control kit); tests install a ScriptedModal that
// answers from a script and keeps a transcript, so nothing ever blocks.
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct FileDialogRequest {
    std::string initial_folder;
    std::string file_name;  // the name shown first (the last one chosen)
    std::string filter = "world file|*.wld";
    std::string default_extension;  // "wld" when saving, empty when opening
};

class ModalServices {
public:
    virtual ~ModalServices() = default;
    // One-button message box captioned with the program's title.
    virtual void message(const std::string& text) = 0;
    // "delete?" in a box captioned "Error" with the error icon, OK and Cancel: true on OK.
    virtual bool ask_delete() = 0;
    // The same box with another question (such as "add res?"): true on OK.
    virtual bool ask_ok(const std::string& text) = 0;
    // "Are you sure?" captioned "Warning", Cancel the default, and Yes: true on Yes.
    virtual bool ask_sure() = 0;
    // The general error handler's box: error icon, OK, the program's title as caption.
    // The text is shown as given (the caller applies error_box_text).
    virtual void error(const std::string& text) = 0;
    // The integer input box captioned "quant", no prompt, range 1..100, step 1,
    // starting at 1; Cancel gives 1.
    virtual int ask_quant() = 0;
    // The save and open dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> save_file(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> open_file(const FileDialogRequest& request) = 0;
};

// The services in force. Until one is installed, a scripted instance with an
// empty script stands in (every question answered by its default).
ModalServices& modal();
// Installs services; returns the previous ones.
std::unique_ptr<ModalServices> set_modal(std::unique_ptr<ModalServices> services);

// Answers from queues; an empty queue gives the default answer (OK / Yes / 1 /
// cancelled dialog). Every call is written to the transcript as one line:
// "message: <text>", "ask_delete -> 1", "ask_ok(<text>) -> 0", "ask_sure -> 0", "error: <text>",
// "ask_quant -> 5", "save_file(<folder>|<name>|<ext>) -> <path or cancel>", likewise open_file.
class ScriptedModal : public ModalServices {
public:
    std::deque<bool> delete_answers;
    std::deque<bool> ok_answers;
    std::deque<bool> sure_answers;
    std::deque<int> quant_answers;
    std::deque<std::optional<std::string>> save_answers;
    std::deque<std::optional<std::string>> open_answers;
    std::vector<std::string> transcript;
    std::vector<std::string> messages;  // texts of message()
    std::vector<std::string> errors;    // texts of error()

    void message(const std::string& text) override;
    bool ask_delete() override;
    bool ask_ok(const std::string& text) override;
    bool ask_sure() override;
    void error(const std::string& text) override;
    int ask_quant() override;
    std::optional<std::string> save_file(const FileDialogRequest& request) override;
    std::optional<std::string> open_file(const FileDialogRequest& request) override;
};
