#pragma once
// TForm5, the NPC inventory dialog: what one placed NPC carries.
#include "dialogs/dialog.h"

class TForm5 : public Dialog {
public:
    TForm5();
};
