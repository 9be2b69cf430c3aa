#pragma once
// TForm6, the item template contents dialog: default contents and clip of the item template.
#include "mainwindow/main.h"

class TForm6 : public kit::Window {
public:
    TForm6();
};
