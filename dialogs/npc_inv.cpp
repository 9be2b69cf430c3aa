#include "dialogs/npc_inv.h"

TForm5::TForm5() : Dialog("Form5", "Form5", 520, 360) { created(); }
