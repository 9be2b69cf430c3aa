#pragma once
// TForm4, the NPC template equipment dialog: the equipment, inventory and parts buffers of the NPC page.
#include "dialogs/dialog.h"

class TForm4 : public Dialog {
public:
    TForm4();
};
