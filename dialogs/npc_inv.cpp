#include "dialogs/npc_inv.h"

TForm5::TForm5() : kit::Window("Form5") {
    name = "Form5";
    set_client_size(520, 360);
    created();
}
