#pragma once
// TForm3, the item editor: edits one placed item, its clip, its ammunition and the rows it accepts.
#include "mainwindow/main.h"

class TForm3 : public kit::Window {
public:
    TForm3();
};
