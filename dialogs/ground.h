#pragma once
// TForm8, the ground dialog: the terrain and the loose things of one map cell.
#include "mainwindow/main.h"

class TForm8 : public kit::Window {
public:
    TForm8();
};
