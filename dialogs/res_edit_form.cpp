#include "dialogs/res_edit_form.h"

TForm9::TForm9() : kit::Window("re") {
    name = "Form9";
    set_client_size(420, 320);
    created();
}
