#pragma once
// TForm7, the resource template contents dialog: default contents of the resource template.
#include "mainwindow/main.h"

class TForm7 : public kit::Window {
public:
    TForm7();
};
