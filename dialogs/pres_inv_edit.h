#pragma once
// TForm7, the resource template contents dialog: default contents of the resource template.
#include "dialogs/dialog.h"

class TForm7 : public Dialog {
public:
    TForm7();
};
