#include "dialogs/sec.h"

TForm2::TForm2() : Dialog("Form2", "Object", 420, 360) { created(); }
