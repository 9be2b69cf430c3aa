#pragma once
// TForm4, the NPC template equipment dialog: the equipment, inventory and parts buffers of the NPC page.
#include "mainwindow/main.h"

class TForm4 : public kit::Window {
public:
    TForm4();
};
