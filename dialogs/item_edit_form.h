#pragma once
// TForm3, the item editor: edits one placed item, its clip, its ammunition and the rows it accepts.
#include "dialogs/dialog.h"

class TForm3 : public Dialog {
public:
    TForm3();

protected:
    // The window whose code item_dlg_opener holds: the object dialog, the NPC
    // inventory dialog or the ground dialog; the main window for any other code.
    kit::Window* opener() const override;
};
