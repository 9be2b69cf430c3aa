#include "dialogs/npc_edit.h"

TForm10::TForm10() : Dialog("Form10", "Form10", 620, 480) { created(); }
