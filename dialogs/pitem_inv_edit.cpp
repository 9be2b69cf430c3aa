#include "dialogs/pitem_inv_edit.h"

TForm6::TForm6() : kit::Window("PITEM ITEMS") {
    name = "Form6";
    set_client_size(420, 300);
    created();
}
