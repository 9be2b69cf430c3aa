#pragma once
// TForm9, the resource editor: amount, clip contents and vial filling of one placed resource.
#include "dialogs/dialog.h"

class TForm9 : public Dialog {
public:
    TForm9();

protected:
    // The window whose code res_dlg_opener holds: the object dialog, the item
    // editor, the NPC inventory dialog or the ground dialog; the main window for
    // any other code.
    kit::Window* opener() const override;
};
