#pragma once
// TForm6, the item template contents dialog: default contents and clip of the item template.
#include "dialogs/dialog.h"

class TForm6 : public Dialog {
public:
    TForm6();
};
