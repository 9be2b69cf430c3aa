#include "dialogs/pnpc_inv.h"

TForm4::TForm4() : kit::Window("PNPC_INV") {
    name = "Form4";
    set_client_size(520, 360);
    created();
}
