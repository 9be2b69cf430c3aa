#include "tiles/blit.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TILES_WIDE_BLIT 1
#include <immintrin.h>
#endif

namespace {

// A colour as the 24-bit number its pixel bytes (blue, green, red) make.
uint32_t pixel_number(TColor c) {
    return static_cast<uint32_t>(color_blue(c) | color_green(c) << 8 | color_red(c) << 16);
}

inline uint8_t darken(uint8_t v, unsigned by) { return static_cast<uint8_t>(v > by ? v - by : 0); }

#ifdef TILES_WIDE_BLIT

// Eight pixels (24 bytes) spread into eight 32-bit lanes, the top byte of each
// lane 0: the low half from bytes 0..11, the high half from bytes 12..23 (loaded
// from p + 8, so that no byte past the 24 is read).
__attribute__((target("avx2"))) inline __m256i spread_eight(const uint8_t* p, __m256i spread) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    return _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1), spread);
}

__attribute__((target("avx2"))) int wide_rows(const FrameKeys& k, uint8_t* d, const uint8_t* s, int n) {
    // Byte indexes within each 128-bit half: spread takes 3-byte pixels to
    // 4-byte lanes (-1 gives 0), pack takes them back to the half's first 12 bytes.
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            4, 5, 6, -1, 7, 8, 9, -1, 10, 11, 12, -1, 13, 14, 15, -1);
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                          0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
    const __m256i light = _mm256_set1_epi32(static_cast<int>(k.light));
    const __m256i dark = _mm256_set1_epi32(static_cast<int>(k.dark));
    const __m256i clear = _mm256_set1_epi32(static_cast<int>(k.clear));
    const __m256i by20 = _mm256_set1_epi8(20), by40 = _mm256_set1_epi8(40);
    const __m256i ones = _mm256_set1_epi8(-1);
    int x = 0;
    for (; x + 8 <= n; x += 8, s += 24, d += 24) {
        const __m256i src = spread_eight(s, spread);
        const __m256i is_light = _mm256_cmpeq_epi32(src, light);
        const __m256i is_dark = _mm256_cmpeq_epi32(src, dark);
        const __m256i keep = _mm256_or_si256(_mm256_or_si256(is_light, is_dark), _mm256_cmpeq_epi32(src, clear));
        if (_mm256_testz_si256(keep, keep)) {  // no key in the eight: a plain copy
            std::memcpy(d, s, 24);
            continue;
        }
        // What each destination byte loses: 20 or 40 under a shadow (the light
        // one first), all of it under a colour of its own, which is then or-ed in.
        const __m256i by = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(is_light, by20), _mm256_and_si256(_mm256_andnot_si256(is_light, is_dark), by40)),
            _mm256_andnot_si256(keep, ones));
        const __m256i dst = spread_eight(d, spread);
        const __m256i out = _mm256_permutevar8x32_epi32(
            _mm256_shuffle_epi8(_mm256_or_si256(_mm256_subs_epu8(dst, by), _mm256_andnot_si256(keep, src)), pack),
            join);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(out));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 16), _mm256_extracti128_si256(out, 1));
    }
    return x;
}

bool wide_available() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

#endif

void portable_rows(const FrameKeys& k, uint8_t* d, const uint8_t* s, int n) {
    for (int x = 0; x < n; ++x, s += 3, d += 3) {
        const uint32_t v = s[0] | static_cast<uint32_t>(s[1]) << 8 | static_cast<uint32_t>(s[2]) << 16;
        if (v == k.light) {
            d[0] = darken(d[0], 20), d[1] = darken(d[1], 20), d[2] = darken(d[2], 20);
        } else if (v == k.dark) {
            d[0] = darken(d[0], 40), d[1] = darken(d[1], 40), d[2] = darken(d[2], 40);
        } else if (v != k.clear) {
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
        }
    }
}

}  // namespace

FrameKeys frame_keys(TColor key1, TColor key2, TColor transparent) {
    FrameKeys k;
    if (key1 != 0) k.light = pixel_number(key1);
    if (key2 != 0) k.dark = pixel_number(key2);
    k.clear = pixel_number(transparent);
    return k;
}

void blit_row_portable(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n) { portable_rows(keys, d, s, n); }

bool blit_row_wide(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n) {
#ifdef TILES_WIDE_BLIT
    if (!wide_available()) return false;
    if (n <= 0) return true;
    const int done = wide_rows(keys, d, s, n);
    portable_rows(keys, d + 3 * done, s + 3 * done, n - done);
    return true;
#else
    (void)keys, (void)d, (void)s, (void)n;
    return false;
#endif
}

void blit_row(const FrameKeys& keys, uint8_t* d, const uint8_t* s, int n) {
    if (!blit_row_wide(keys, d, s, n)) portable_rows(keys, d, s, n);
}
