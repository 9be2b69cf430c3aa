#include "dialogs/ground.h"

TForm8::TForm8() : kit::Window("Form8") {
    name = "Form8";
    set_client_size(380, 260);
    created();
}
