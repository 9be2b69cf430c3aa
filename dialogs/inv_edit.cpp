#include "dialogs/inv_edit.h"

TFinv::TFinv() : Dialog("Finv", "Items", 420, 300) { created(); }
