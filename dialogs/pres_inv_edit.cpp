#include "dialogs/pres_inv_edit.h"

TForm7::TForm7() : kit::Window("PRES ITEMS") {
    name = "Form7";
    set_client_size(420, 300);
    created();
}
