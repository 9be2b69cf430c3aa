#include "dialogs/pres_inv_edit.h"

TForm7::TForm7() : Dialog("Form7", "PRES ITEMS", 420, 300) { created(); }
