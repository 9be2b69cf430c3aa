#pragma once
// TForm9, the resource editor: amount, clip contents and vial filling of one placed resource.
#include "mainwindow/main.h"

class TForm9 : public kit::Window {
public:
    TForm9();
};
