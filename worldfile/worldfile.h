#pragma once
// Saving a world to a world file ("*.wld") and loading one back.
//
// The file is a flat run of little-endian 32-bit values in a fixed order with
// no header: every catalogue, map, placed thing, trigger, recipe and path and
// the player settings. TWorld::events and TWorld::strings are not in it.
#include "model/init.h"

#include <string>

// Writes the world to file_name. With keep_state false the placed NPCs' run-time
// values are written as for a fresh start. The old file is replaced only once
// the new one is complete on the disk: any failure leaves it as it was.
// Throws InOutError ("File access denied", "Invalid filename", "Disk full" ...)
// and RangeError for a map or object whose size fields are negative.
void save_world(const std::string& file_name, bool keep_state, const TWorld& world);

// Reads file_name into world. Entries that already stand at an index the file
// fills keep the fields the file does not carry; new entries start zeroed.
// Values are kept as the file holds them, also those that name nothing. On any
// failure the world is left exactly as it was. Throws InOutError ("File not
// found", "Read beyond end of file" ...), RangeError for a negative count or
// size, OutOfMemoryError (also for more than a million map columns of height
// 0, which take no room in the file).
void load_world(const std::string& file_name, TWorld& world);
