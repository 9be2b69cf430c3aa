#pragma once
// The world model's operations on a world passed in: creating, placing, moving,
// linking and deleting placed things, the map view renderer and the trigger and
// event engine.
#include "model/init.h"

#include <string>

// Shows the text in a one-button message box captioned with the program's title
// and waits until it is closed.
void show_message(const std::string& text);
