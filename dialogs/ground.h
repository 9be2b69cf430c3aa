#pragma once
// TForm8, the ground dialog: the terrain and the loose things of one map cell.
#include "dialogs/dialog.h"

class TForm8 : public Dialog {
public:
    TForm8();
};
