#pragma once
// Saving a world to a world file and loading one back.
#include "model/init.h"

#include <string>

void save_world(const std::string& file_name, bool keep_state, const TWorld& world);
void load_world(const std::string& file_name, TWorld& world);
