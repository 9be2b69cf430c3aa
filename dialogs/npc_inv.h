#pragma once
// TForm5, the NPC inventory dialog: what one placed NPC carries.
#include "mainwindow/main.h"

class TForm5 : public kit::Window {
public:
    TForm5();
};
