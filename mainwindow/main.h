#pragma once
// The main window and the editor state it shares with the secondary windows.

// Runs the program: start-up of the modules, the windows, the message loop.
int start_program(int argc, char** argv);
