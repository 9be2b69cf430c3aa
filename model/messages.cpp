#include "model/tools.h"

#include "platform/modal.h"

void show_message(const std::string& text) { modal().message(text); }
