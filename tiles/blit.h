#pragma once
// The row loops behind drawing a tile frame at full opacity: each source pixel
// of a row is a light shadow (darkens what lies below by 20 per channel), a
// dark shadow (by 40), the transparent colour (leaves it) or a colour of its
// own (replaces it). Rows are blue, green, red bytes, three to a pixel.
#include "platform/bitmap.h"

#include <cstddef>
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

// Draws rows rows of n source pixels, s_stride bytes from one row to the next,
// onto as many destination rows, d_stride bytes apart, from d on. Source and
// destination must not overlap.
void blit_rows(const FrameKeys& keys, uint8_t* d, std::ptrdiff_t d_stride, const uint8_t* s, std::ptrdiff_t s_stride,
               int n, int rows);

// The ways blit_rows can work, for the tests and the benchmark: the portable
// one pixel at a time, eight pixels at once with the vector instructions of
// processors that have them (AVX2), and sixteen at once, the ends of rows
// included, with the byte masks of AVX-512 (its foundation and byte-word
// instructions). blit_rows takes the fastest this processor has.
enum class BlitWay { portable, avx2, avx512 };
bool blit_way_available(BlitWay way);
// blit_rows done one way; returns false, and writes nothing, where this
// processor cannot do it that way.
bool blit_rows_by(BlitWay way, const FrameKeys& keys, uint8_t* d, std::ptrdiff_t d_stride, const uint8_t* s,
                  std::ptrdiff_t s_stride, int n, int rows);
