#pragma once
// TForm10, the NPC settings dialog: names, characteristics and skills of one placed NPC.
#include "dialogs/dialog.h"

class TForm10 : public Dialog {
public:
    TForm10();
};
