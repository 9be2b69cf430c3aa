#include "dialogs/pnpc_inv.h"

TForm4::TForm4() : Dialog("Form4", "PNPC_INV", 520, 360) { created(); }
