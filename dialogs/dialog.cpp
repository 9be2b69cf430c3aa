#include "dialogs/dialog.h"

#include "mainwindow/state.h"
Dialog::Dialog(const std::string& dialog_name, const std::string& caption, int client_width, int client_height)
    : kit::Window(caption) {
    name = dialog_name;
    set_client_size(client_width, client_height);
    on_close = [this] {
        struct GiveBack {
            const Dialog& dialog;
            ~GiveBack() {
                if (kit::Window* w = dialog.opener()) w->set_enabled(true);
            }
        } give_back{*this};
        FormClose();
    };
}

kit::Window* Dialog::opener() const { return editor.Form1; }

void Dialog::open_item_editor(int32_t item, uint16_t code) {
    if (!editor.Form3) return;
    editor.cur_placed_item = item;
    set_enabled(false);
    editor.Form3->show_over(*this);
    editor.item_dlg_opener = code;
}

void Dialog::open_resource_editor(int32_t resource, uint16_t code) {
    if (!editor.Form9) return;
    editor.cur_placed_res = resource;
    set_enabled(false);
    editor.Form9->show_over(*this);
    editor.res_dlg_opener = code;
}

kit::Window* Dialog::or_main_window(kit::Window* w) const { return w && w != this ? w : editor.Form1; }

Dialog* opener_dialog(uint16_t code) { return dynamic_cast<Dialog*>(opener_window(code)); }
