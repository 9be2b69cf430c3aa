#pragma once
// TForm2, the object dialog: edits one placed object and what lies inside it.
#include "mainwindow/main.h"

class TForm2 : public kit::Window {
public:
    TForm2();
};
