#include "dialogs/item_edit_form.h"

TForm3::TForm3() : kit::Window("Form3") {
    name = "Form3";
    set_client_size(560, 420);
    created();
}
