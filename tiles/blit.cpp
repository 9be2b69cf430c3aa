#include "tiles/blit.h"

#include <cstddef>
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

// One row, one pixel at a time.
inline void portable_row(const FrameKeys& k, uint8_t* d, const uint8_t* s, int n) {
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

#ifdef TILES_WIDE_BLIT

// Eight pixels (24 bytes) spread into eight 32-bit lanes, the top byte of each
// lane 0: the low half from bytes 0..11, the high half from bytes 12..23 (loaded
// from p + 8, so that no byte past the 24 is read).
__attribute__((target("avx2"))) inline __m256i spread_eight(const uint8_t* p, __m256i spread) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    return _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1), spread);
}

// Eight pixels at a time, the last n % 8 of each row one at a time.
__attribute__((target("avx2"))) void avx2_rows(const FrameKeys& k, uint8_t* d, std::ptrdiff_t d_stride,
                                               const uint8_t* s, std::ptrdiff_t s_stride, int n, int rows) {
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
    const int blocks = n / 8, rest = n % 8;
    for (int row = 0; row < rows; ++row, d += d_stride, s += s_stride) {
        uint8_t* to = d;
        const uint8_t* from = s;
        for (int b = 0; b < blocks; ++b, to += 24, from += 24) {
            const __m256i src = spread_eight(from, spread);
            const __m256i is_light = _mm256_cmpeq_epi32(src, light);
            const __m256i is_dark = _mm256_cmpeq_epi32(src, dark);
            const __m256i is_clear = _mm256_cmpeq_epi32(src, clear);
            const __m256i shadow = _mm256_or_si256(is_light, is_dark);
            const __m256i keep = _mm256_or_si256(shadow, is_clear);
            if (_mm256_testz_si256(keep, keep)) {  // no key among the eight: a plain copy
                std::memcpy(to, from, 24);
                continue;
            }
            if (_mm256_testc_si256(_mm256_andnot_si256(shadow, is_clear), ones)) continue;  // all transparent
            // What each destination byte loses: all of it under a colour of its
            // own (which is then or-ed in), nothing under the transparent colour,
            // 40 under a dark shadow and 20 under a light one, each test over the
            // one before.
            const __m256i by = _mm256_blendv_epi8(
                _mm256_blendv_epi8(_mm256_blendv_epi8(ones, _mm256_setzero_si256(), is_clear), by40, is_dark), by20,
                is_light);
            const __m256i dst = spread_eight(to, spread);
            const __m256i mixed = _mm256_or_si256(_mm256_subs_epu8(dst, by), _mm256_andnot_si256(keep, src));
            const __m256i out = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(mixed, pack), join);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm256_castsi256_si128(out));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 16), _mm256_extracti128_si256(out, 1));
        }
        portable_row(k, to, from, rest);
    }
}

// The new value of sixteen spread destination pixels under sixteen spread
// source pixels: less 20 under a light shadow, less 40 under a dark one, the
// same under the transparent colour, the source's own colour where own.
__attribute__((target("avx512f,avx512bw"))) inline __m512i mix_sixteen(__m512i src, __m512i dst, __mmask16 lighter,
                                                                       __mmask16 darker, __mmask16 own) {
    const __m512i by = _mm512_mask_mov_epi32(_mm512_maskz_mov_epi32(lighter, _mm512_set1_epi32(0x141414)), darker,
                                             _mm512_set1_epi32(0x282828));
    return _mm512_mask_mov_epi32(_mm512_subs_epu8(dst, by), own, src);
}

// The byte permutations of sixteen pixels: spread takes pixel i's bytes
// 3i..3i+2 to lane i (its top byte is cleared by a mask), pack takes them back.
struct SixteenPixels {
    alignas(64) uint8_t spread[64];
    alignas(64) uint8_t pack[64];
};
constexpr SixteenPixels sixteen_pixels() {
    SixteenPixels t{};
    for (int i = 0; i < 64; ++i) {
        t.spread[i] = static_cast<uint8_t>(i % 4 == 3 ? 0 : 3 * (i / 4) + i % 4);
        t.pack[i] = static_cast<uint8_t>(i < 48 ? 4 * (i / 3) + i % 3 : 0);
    }
    return t;
}
constexpr SixteenPixels sixteen = sixteen_pixels();

// Sixteen pixels (48 bytes) at a time, spread into sixteen 32-bit lanes (the
// top byte of each lane 0) by one byte permutation and packed back by another;
// the last n % 16 pixels of each row the same way, read and written under a
// byte mask, so that no byte outside the row is touched. The keys are tested
// lane by lane into masks of sixteen bits.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void avx512_rows(const FrameKeys& k, uint8_t* d,
                                                                        std::ptrdiff_t d_stride, const uint8_t* s,
                                                                        std::ptrdiff_t s_stride, int n, int rows) {
    const __m512i spread = _mm512_load_si512(sixteen.spread), pack = _mm512_load_si512(sixteen.pack);
    constexpr __mmask64 pixel_bytes = 0x7777777777777777;  // the three low bytes of each lane
    const __m512i light = _mm512_set1_epi32(static_cast<int>(k.light));
    const __m512i dark = _mm512_set1_epi32(static_cast<int>(k.dark));
    const __m512i clear = _mm512_set1_epi32(static_cast<int>(k.clear));
    const int blocks = n / 16, rest = n % 16;
    const __mmask64 rest_bytes = (__mmask64{1} << (3 * rest)) - 1;
    const __mmask16 rest_pixels = static_cast<__mmask16>((1u << rest) - 1);

    constexpr __mmask64 block_bytes = (__mmask64{1} << 48) - 1;
    for (int row = 0; row < rows; ++row, d += d_stride, s += s_stride) {
        uint8_t* to = d;
        const uint8_t* from = s;
        for (int b = 0; b < blocks; ++b, to += 48, from += 48) {
            const __m512i src =
                _mm512_maskz_permutexvar_epi8(pixel_bytes, spread, _mm512_maskz_loadu_epi8(block_bytes, from));
            const __mmask16 lighter = _mm512_cmpeq_epi32_mask(src, light);
            const __mmask16 darker = _mm512_mask_cmpeq_epi32_mask(static_cast<__mmask16>(~lighter), src, dark);
            const __mmask16 cleared = _mm512_cmpeq_epi32_mask(src, clear);
            const auto kept = static_cast<__mmask16>(lighter | darker | cleared);
            if (kept == 0) {  // no key among the sixteen: a plain copy
                std::memcpy(to, from, 48);
                continue;
            }
            if ((lighter | darker) == 0 && cleared == 0xFFFF) continue;  // all transparent
            const __m512i dst =
                _mm512_maskz_permutexvar_epi8(pixel_bytes, spread, _mm512_maskz_loadu_epi8(block_bytes, to));
            // (The zero-masked forms, masked by all ones, are the plain
            // instructions without the headers' undefined starting values.)
            const __m512i out = _mm512_maskz_permutexvar_epi8(
                ~__mmask64{0}, pack, mix_sixteen(src, dst, lighter, darker, static_cast<__mmask16>(~kept)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), _mm512_maskz_extracti64x4_epi64(0xF, out, 0));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 32), _mm512_maskz_extracti32x4_epi32(0xF, out, 2));
        }
        if (rest == 0) continue;
        const __m512i src =
            _mm512_maskz_permutexvar_epi8(pixel_bytes, spread, _mm512_maskz_loadu_epi8(rest_bytes, from));
        const __m512i dst = _mm512_maskz_permutexvar_epi8(pixel_bytes, spread, _mm512_maskz_loadu_epi8(rest_bytes, to));
        const __mmask16 lighter = _mm512_cmpeq_epi32_mask(src, light);
        const __mmask16 darker = _mm512_mask_cmpeq_epi32_mask(static_cast<__mmask16>(~lighter), src, dark);
        const __mmask16 cleared = _mm512_cmpeq_epi32_mask(src, clear);
        const auto own = static_cast<__mmask16>(~(lighter | darker | cleared) & rest_pixels);
        const __m512i out =
            _mm512_maskz_permutexvar_epi8(~__mmask64{0}, pack, mix_sixteen(src, dst, lighter, darker, own));
        _mm512_mask_storeu_epi8(to, rest_bytes, out);
    }
}

bool has(BlitWay way) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool avx512 =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return way == BlitWay::portable || (way == BlitWay::avx2 && avx2) || (way == BlitWay::avx512 && avx512);
}

#endif

}  // namespace

FrameKeys frame_keys(TColor key1, TColor key2, TColor transparent) {
    FrameKeys k;
    if (key1 != 0) k.light = pixel_number(key1);
    if (key2 != 0) k.dark = pixel_number(key2);
    k.clear = pixel_number(transparent);
    return k;
}

bool blit_way_available(BlitWay way) {
#ifdef TILES_WIDE_BLIT
    return has(way);
#else
    return way == BlitWay::portable;
#endif
}

bool blit_rows_by(BlitWay way, const FrameKeys& keys, uint8_t* d, std::ptrdiff_t d_stride, const uint8_t* s,
                  std::ptrdiff_t s_stride, int n, int rows) {
    if (!blit_way_available(way)) return false;
    if (n <= 0) return true;
    switch (way) {
#ifdef TILES_WIDE_BLIT
    case BlitWay::avx2: avx2_rows(keys, d, d_stride, s, s_stride, n, rows); break;
    case BlitWay::avx512: avx512_rows(keys, d, d_stride, s, s_stride, n, rows); break;
#endif
    default:
        for (int row = 0; row < rows; ++row, d += d_stride, s += s_stride) portable_row(keys, d, s, n);
    }
    return true;
}

void blit_rows(const FrameKeys& keys, uint8_t* d, std::ptrdiff_t d_stride, const uint8_t* s, std::ptrdiff_t s_stride,
               int n, int rows) {
    static const BlitWay best = blit_way_available(BlitWay::avx512) ? BlitWay::avx512
                                : blit_way_available(BlitWay::avx2) ? BlitWay::avx2
                                                                    : BlitWay::portable;
    blit_rows_by(best, keys, d, d_stride, s, s_stride, n, rows);
}
