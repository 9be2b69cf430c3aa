#include "app/startup.h"

int main(int argc, char** argv) { return start_program(argc, argv); }
