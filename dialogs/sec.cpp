#include "dialogs/sec.h"

TForm2::TForm2() : kit::Window("Object") {
    name = "Form2";
    set_client_size(420, 360);
    created();
}
