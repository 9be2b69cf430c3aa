#pragma once
// TForm2, the object dialog: edits one placed object and what lies inside it.
#include "dialogs/dialog.h"

class TForm2 : public Dialog {
public:
    TForm2();
};
