#pragma once
// TForm10, the NPC settings dialog: names, characteristics and skills of one placed NPC.
#include "mainwindow/main.h"

class TForm10 : public kit::Window {
public:
    TForm10();
};
