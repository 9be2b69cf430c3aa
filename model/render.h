#pragma once
// Turning world data into pictures: one placed item or resource as the
// inventory grids and the map show it, and a rectangular window of one map with
// its terrain and everything standing or lying on its cells.
//
// Neither routine changes the world's data (the map view may bring the world's
// placed index up to date, model/placed_index.h). Every picture field and list index is
// checked before it is used: what names no tile frame, no terrain or no thing
// draws nothing (a black cell for terrain), and nothing is ever read outside a
// list.
#include "model/init.h"

#include <cstdint>

// Count modes of draw_thing: when a resource's amount is written at (20, 20).
enum : uint8_t { count_never = 0, count_above_one = 1, count_always = 2 };

// Draws entry (a placed thing::item or thing::resource; its count is not
// used) into target, which takes the size of the picture drawn. A stack of two
// or more shows its many-pieces picture; a filled vial shows the filling's
// one-piece picture under its own many-pieces picture. The amount of a resource
// that is not a clip, cell or vial is written in the canvas's font at (20, 20)
// (further left when it would not fit in the picture's width) with
// count_always, or with count_above_one when it is above 1; any other mode
// writes none. Returns false, leaving target as it was, when there is nothing to
// draw: an unknown kind, an index outside its list, a picture naming no tile
// frame, or a vial whose filling amount is negative.
bool draw_thing(const Tinvitem& entry, const tiarray& frames, uint8_t count_mode, const TWorld& world,
                Bitmap& target);

// Renders columns x rows cells of map top_left.map, starting at cell
// (top_left.x, top_left.y), into target, which becomes columns x 32 by rows x 32
// pixels, filled first with its canvas's brush colour. Each cell shows its
// terrain's tile for animation frame frame_number (0..7; any other number shows
// frame 0), or black outside the map or where the terrain names no picture.
// Over it, each bottom-right aligned in its cell with the map colour keys: the
// items on the ground, the resources on the ground (not those held by an object,
// NPC, item or other resource), the NPCs, then the objects (hidden ones only
// with show_hidden) ordered by row, the floating ones last. An invalid map index
// leaves the filled target.
void draw_map_view(const TWorld& world, const tiarray& frames, const Tplace& top_left, int columns, int rows,
                   int frame_number, bool show_hidden, Bitmap& target);
