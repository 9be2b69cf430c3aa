#include "dialogs/npc_edit.h"

TForm10::TForm10() : kit::Window("Form10") {
    name = "Form10";
    set_client_size(620, 480);
    created();
}
