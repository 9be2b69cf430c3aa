#pragma once
// Growable arrays, the integer-list helpers, edit-text conversion, text
// splitting and the drawing of a tile frame with colour keys and opacity.
#include "platform/bitmap.h"
#include "tiles/intmatrix.h"

#include <cstdint>
#include <string>
#include <vector>

// The tile frames: the array owns its bitmaps; frame n is element n.
using tiarray = std::vector<Bitmap>;
// The tile frame a picture field names, or nullptr when it names none (outside
// the list, or an empty bitmap).
const Bitmap* tile_frame(const tiarray& frames, int64_t number);

// A string list.
using TStrings = std::vector<std::string>;

// Removes element index; later ones move down. An index outside the list changes nothing.
void int_array_delete(int index, tintarray& list);
// Removes every element equal to value.
void int_array_remove_value(int32_t value, tintarray& list);
// The index of the last element equal to value, -1 when there is none.
int int_array_find(int32_t value, const tintarray& list);
// Appends value and returns the new length.
int int_array_append(int32_t value, tintarray& list);

// A numeric edit field's text: 0 for the empty text, otherwise the text as a
// signed 32-bit decimal (or "$" / "0x" hexadecimal) number; throws ConvertError.
int32_t str_to_int(const std::string& text);
// The same conversion without the empty-text rule: the empty text fails too.
int32_t convert_to_int(const std::string& text);
// A number typed as text for a field that keeps fewer bits than 32 (or a
// narrower range): value when it lies in low..high; otherwise it is refused
// with EditorError "'<text>' is not within <range>low..high", never cut to the
// field's bits. range names the range when the message should ("the range ").
int32_t refuse_outside(const std::string& text, int32_t value, int32_t low, int32_t high,
                       const std::string& range = "");

// Splits a delimited text into fields: blanks and control characters separate
// fields like the delimiter, a double-quoted field may hold both, two delimiters
// in a row give an empty field, a delimiter at the end adds one empty field.
TStrings split_string(const std::string& text, char delimiter);
// The same splitter under the name the tile loader uses.
TStrings split_text(const std::string& text, char delimiter);

// The two shadow keys and the transparent colours the world model draws with.
constexpr TColor light_shadow_key = 0xC0A0E0;
constexpr TColor dark_shadow_key = 0xFF00FF;
constexpr TColor map_transparent = 0xFFFFFF;
constexpr TColor vial_transparent = 0x000001;

// Blends source into dest pixel by pixel: a key1 pixel darkens dest by 20 per
// channel, a key2 pixel by 40 (a key of 0 is no key), a transparent pixel leaves
// dest alone, any other pixel is mixed in with alpha (0..255). Different sizes,
// or a zero size, do nothing.
void blend_bitmap(TColor key1, TColor key2, TColor transparent, int alpha, Bitmap& dest, const Bitmap& source);
// Blends the whole frame with its top-left corner at (x, y) of dest; what falls
// outside dest is lost.
void draw_blended(TColor key1, TColor key2, TColor transparent, int x, int y, int alpha, Bitmap& dest,
                  const Bitmap& frame);
// draw_blended at full opacity.
void draw_frame(TColor key1, TColor key2, TColor transparent, int x, int y, Bitmap& dest, const Bitmap& frame);
