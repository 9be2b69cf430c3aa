#pragma once
// The program's start-up: the eleven windows and the message loop.

// Creates the eleven windows once, in the order TForm1 (the main window, whose
// create handler loads the tiles from "tiles/" of the current folder and sets
// up the editor), TForm2 .. TForm10, TFinv, storing them in the editor state.
// Shows nothing and runs no message loop, so tests can drive the start-up.
void create_windows();
// Shows the main window, which runs its show handler.
void show_main_window();
// Destroys the windows and brings the editor state back to its initial values.
void destroy_windows();

// Runs the program: the world model's start-up, the real modal boxes, the
// windows, the message loop until the main window closes.
int start_program(int argc, char** argv);
