#include "dialogs/item_edit_form.h"

TForm3::TForm3() : Dialog("Form3", "Form3", 560, 420) { created(); }

kit::Window* TForm3::opener() const {
    const uint16_t code = editor.item_dlg_opener;
    return or_main_window(code == opener::item_editor ? nullptr : opener_window(code));
}
