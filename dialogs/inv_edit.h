#pragma once
// TFinv, the parts list dialog: one parts list of catalogue rows with counts.
#include "dialogs/dialog.h"

class TFinv : public Dialog {
public:
    TFinv();
};
