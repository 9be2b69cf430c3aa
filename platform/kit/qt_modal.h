#pragma once
// The real modal boxes and file dialogs: QMessageBox, QInputDialog, QFileDialog.
// Texts are model strings (Windows-1251). Install once at start:
//   set_modal(std::make_unique<kit::QtModal>());
#include "platform/modal.h"

namespace kit {

class QtModal : public ModalServices {
public:
    // One OK button, information icon, captioned with program_title().
    void message(const std::string& text) override;
    // "delete?", caption "Error", error icon, OK and Cancel: true on OK.
    bool ask_delete() override;
    // The "delete?" box with another question: true on OK.
    bool ask_ok(const std::string& text) override;
    // "Are you sure?", caption "Warning", Cancel (the default) and Yes: true on Yes.
    bool ask_sure() override;
    // Error icon, OK, captioned with program_title(); the text as given.
    void error(const std::string& text) override;
    // Integer box captioned "quant", no prompt, 1..100, step 1, starting at 1; Cancel gives 1.
    int ask_quant() override;
    // File dialogs with the request's filter ("world file|*.wld"), initial folder
    // and name; saving adds the default extension to a name typed without one.
    std::optional<std::string> save_file(const FileDialogRequest& request) override;
    std::optional<std::string> open_file(const FileDialogRequest& request) override;
};

// Turns a filter of the form "description|pattern|description|pattern" into Qt's
// "description (pattern);;..." form.
std::string qt_filter(const std::string& filter);
// The name a save dialog returns for a typed name: the default extension is added
// when the file name has none.
std::string with_default_extension(const std::string& path, const std::string& extension);

}  // namespace kit
