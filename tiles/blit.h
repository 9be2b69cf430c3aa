#pragma once
// The row loops behind drawing a tile frame at full opacity: each source pixel
// of a row is a light shadow (darkens what lies below by 20 per channel), a
// dark shadow (by 40), the transparent colour (leaves it) or a colour of its
// own (replaces it). Rows are blue, green, red bytes, three to a pixel.
#include "platform/bitmap.h"

#include <cstdint>

// The three colours a row is tested against, as the 24-bit numbers a pixel's
// bytes make (blue | green << 8 | red << 16). A key that is off holds
// `no_key`, which no pixel makes.
struct FrameKeys {
    static constexpr uint32_t no_key = 0xFFFFFFFFu;
    uint32_t light = no_key, dark = no_key, clear = no_key;
};
// The keys for key1 and key2 (0 is no key) and the transparent colour, which
// is always tested.
FrameKeys frame_keys(TColor key1, TColor key2, TColor transparent);

// Draws the n pixels of source row s onto destination row d. The rows must
// not overlap.
void blit_row(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n);

// The two ways blit_row works, for the tests: the portable one pixel at a time,
// and the one on eight pixels at once where the processor has the vector
// instructions for it (AVX2). blit_row_wide returns false, and writes
// nothing, where it has not.
void blit_row_portable(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n);
bool blit_row_wide(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n);
