#include "dialogs/res_edit_form.h"

TForm9::TForm9() : Dialog("Form9", "re", 420, 320) { created(); }

kit::Window* TForm9::opener() const { return or_main_window(opener_window(editor.res_dlg_opener)); }
