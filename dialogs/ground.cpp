#include "dialogs/ground.h"

TForm8::TForm8() : Dialog("Form8", "Form8", 380, 260) { created(); }
