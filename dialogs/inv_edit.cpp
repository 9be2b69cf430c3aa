#include "dialogs/inv_edit.h"

TFinv::TFinv() : kit::Window("Items") {
    name = "Finv";
    set_client_size(420, 300);
    created();
}
