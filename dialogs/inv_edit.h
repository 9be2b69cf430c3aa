#pragma once
// TFinv, the parts list dialog: one parts list of catalogue rows with counts.
#include "mainwindow/main.h"

class TFinv : public kit::Window {
public:
    TFinv();
};
