#include "dialogs/pitem_inv_edit.h"

TForm6::TForm6() : Dialog("Form6", "PITEM ITEMS", 420, 300) { created(); }
