// The frame blit against a plain per-pixel reference: a work copy of the
// covered rectangle, each pixel tested against the keys in turn through the
// bitmap's own pixel access, and the copy put back.
#include "tiles/blit.h"
#include "tiles/utils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

TColor reference_pixel(TColor key1, TColor key2, TColor transparent, int alpha, TColor s, TColor d) {
    const auto same = [](TColor a, TColor b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); };
    const auto darker = [&](int by) {
        return make_color(std::max(color_red(d) - by, 0), std::max(color_green(d) - by, 0),
                          std::max(color_blue(d) - by, 0));
    };
    if (key1 != 0 && same(s, key1)) return darker(20);
    if (key2 != 0 && same(s, key2)) return darker(40);
    if (same(s, transparent)) return d;
    if (alpha >= 255) return s;
    if (alpha < 1) return d;
    const double a = alpha / 255.0;
    const auto mix = [&](int sc, int dc) { return static_cast<int>(dc + (sc - dc) * a); };
    return make_color(mix(color_red(s), color_red(d)), mix(color_green(s), color_green(d)),
                      mix(color_blue(s), color_blue(d)));
}

void reference_draw(TColor key1, TColor key2, TColor transparent, int x, int y, int alpha, Bitmap& dest,
                    const Bitmap& frame) {
    Bitmap work(frame.width(), frame.height());
    bit_blt(work, 0, 0, frame.width(), frame.height(), dest, x, y);
    for (int fy = 0; fy < frame.height(); ++fy)
        for (int fx = 0; fx < frame.width(); ++fx)
            work.set_pixel(fx, fy, reference_pixel(key1, key2, transparent, alpha, frame.pixel(fx, fy),
                                                   work.pixel(fx, fy)));
    bit_blt(dest, x, y, frame.width(), frame.height(), work, 0, 0);
}

struct KeySet {
    TColor key1, key2, transparent;
};
const KeySet key_sets[] = {
    {light_shadow_key, dark_shadow_key, map_transparent},
    {light_shadow_key, dark_shadow_key, vial_transparent},
    {0, 0, clBlack},                          // no keys, black transparent
    {0, dark_shadow_key, map_transparent},    // only the dark key
    {dark_shadow_key, dark_shadow_key, map_transparent},  // one colour for both: the light one wins
    {map_transparent, 0, map_transparent},    // the key is tested before the transparent colour
};

// A frame of every kind of pixel: the keys, white, black, colour 1 and
// ordinary colours, with keys at the first and last pixel of many rows and
// runs of one kind long enough to fill whole blocks of eight.
Bitmap mixed_frame(int width, int height, std::mt19937& rng) {
    const TColor kinds[] = {light_shadow_key, dark_shadow_key, clWhite, clBlack, vial_transparent};
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        const int run = static_cast<int>(rng() % 4);  // 0: mixed, 1: all colour, 2: all white, 3: all one key
        for (int x = 0; x < width; ++x) {
            TColor c = make_color(static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                                  static_cast<int>(rng() % 256));
            if (run == 0 && rng() % 3 == 0) c = kinds[rng() % 5];
            if (run == 2) c = clWhite;
            if (run == 3) c = kinds[y % 2];
            b.set_pixel(x, y, c);
        }
        if (y % 3 == 0) b.set_pixel(0, y, kinds[y % 5]);
        if (y % 4 == 1) b.set_pixel(width - 1, y, kinds[(y + 1) % 5]);
    }
    return b;
}

Bitmap noise(int width, int height, std::mt19937& rng) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.set_pixel(x, y, make_color(static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                                         static_cast<int>(rng() % 256)));
    return b;
}

// Frames of 32 and 64 and odd widths at every edge of the destination: wholly
// inside, cut at each side and corner, one pixel in, and wholly outside.
TEST(Blit, DrawsAsThePerPixelReferenceAtEveryEdge) {
    std::mt19937 rng(7);
    constexpr int dest_w = 75, dest_h = 70;
    const Bitmap below = noise(dest_w, dest_h, rng);
    const int sizes[][2] = {{32, 32}, {64, 64}, {1, 1}, {7, 3}, {8, 5}, {9, 9}, {17, 4}, {33, 2}, {63, 7}};
    for (const auto& [w, h] : sizes) {
        const Bitmap frame = mixed_frame(w, h, rng);
        const int xs[] = {-w, -w + 1, -5, -1, 0, 1, 6, dest_w - w, dest_w - w + 3, dest_w - 1, dest_w};
        const int ys[] = {-h, -h + 1, -1, 0, 2, dest_h - h, dest_h - 1, dest_h};
        for (const KeySet& k : key_sets)
            for (int x : xs)
                for (int y : ys) {
                    Bitmap expected = below, got = below;
                    reference_draw(k.key1, k.key2, k.transparent, x, y, 255, expected, frame);
                    draw_frame(k.key1, k.key2, k.transparent, x, y, got, frame);
                    ASSERT_TRUE(got.image() == expected.image())
                        << w << "x" << h << " at " << x << "," << y << " keys " << std::hex << k.key1 << " "
                        << k.key2 << " " << k.transparent;
                }
    }
}

TEST(Blit, PartOpacityAsTheReference) {
    std::mt19937 rng(11);
    const Bitmap below = noise(40, 40, rng);
    const Bitmap frame = mixed_frame(33, 17, rng);
    for (int alpha : {0, 1, 128, 254, 255, 300, -5})
        for (int x : {-3, 0, 20}) {
            Bitmap expected = below, got = below;
            reference_draw(light_shadow_key, dark_shadow_key, map_transparent, x, 30, alpha, expected, frame);
            draw_blended(light_shadow_key, dark_shadow_key, map_transparent, x, 30, alpha, got, frame);
            ASSERT_TRUE(got.image() == expected.image()) << "alpha " << alpha << " at " << x;
        }
}

Bitmap below_of(const Bitmap& b) {
    std::mt19937 rng(static_cast<unsigned>(b.width()));
    return noise(b.width(), b.height(), rng);
}

// A frame whose pixels are the destination's own, or a view into the tile
// sheet, is drawn as it was before the draw began.
TEST(Blit, SharedPixelsAndSheetViews) {
    std::mt19937 rng(3);
    Bitmap dest = mixed_frame(40, 40, rng);
    Bitmap expected = dest;
    const Bitmap before = dest;
    reference_draw(light_shadow_key, dark_shadow_key, map_transparent, 5, 3, 255, expected, before);
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, 5, 3, dest, dest);
    EXPECT_TRUE(dest.image() == expected.image());

    // A frame whose image was swapped for one of 32 bits a pixel is read as its colours.
    Bitmap wide = before;
    wide.image() = before.image().convertToFormat(QImage::Format_RGB32);
    Bitmap onto = below_of(before), want = below_of(before);
    reference_draw(light_shadow_key, dark_shadow_key, map_transparent, -4, 6, 255, want, before);
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, -4, 6, onto, wide);
    EXPECT_TRUE(onto.image() == want.image());

    // A sheet of 3 x 2 frames of 13 x 11: each frame a view with the sheet's row stride.
    const Bitmap sheet = mixed_frame(39, 22, rng);
    tiarray frames;
    frames.append_sheet(sheet.image(), 13, 11, 3, 2);
    const Bitmap target = noise(30, 30, rng);
    for (std::size_t n = 0; n < frames.size(); ++n) {
        Bitmap want = target, got = target;
        reference_draw(light_shadow_key, dark_shadow_key, map_transparent, 9, -2, 255, want, frames[n]);
        draw_frame(light_shadow_key, dark_shadow_key, map_transparent, 9, -2, got, frames[n]);
        EXPECT_TRUE(got.image() == want.image()) << "frame " << n;
        EXPECT_TRUE(frames[n].image() == sheet.image().copy(static_cast<int>(n % 3) * 13,
                                                             static_cast<int>(n / 3) * 11, 13, 11));
    }
}

const BlitWay ways[] = {BlitWay::portable, BlitWay::avx2, BlitWay::avx512};

// Every way of drawing rows this processor has, on rows held in buffers of
// exactly their size (the sanitizer sees any byte read or written past either
// end by the one-pixel code), for every length up to six blocks of eight;
// then three rows of a block at once.
TEST(Blit, RowsOfEveryLengthEveryWay) {
    std::mt19937 rng(5);
    const auto bytes = [](const Bitmap& b, int y, int n) {
        return std::vector<uint8_t>(b.scan_line(y), b.scan_line(y) + 3 * n);
    };
    EXPECT_TRUE(blit_way_available(BlitWay::portable));
    for (const KeySet& k : key_sets) {
        const FrameKeys keys = frame_keys(k.key1, k.key2, k.transparent);
        for (int n = 0; n <= 49; ++n) {
            const Bitmap frame = mixed_frame(std::max(n, 1), 1, rng), below = noise(std::max(n, 1), 1, rng);
            const std::vector<uint8_t> s = bytes(frame, 0, n), d = bytes(below, 0, n);
            Bitmap reference = below;
            reference_draw(k.key1, k.key2, k.transparent, 0, 0, 255, reference, frame);
            const std::vector<uint8_t> want = bytes(reference, 0, n);
            for (BlitWay way : ways) {
                std::vector<uint8_t> got = d;
                const bool done = blit_rows_by(way, keys, got.data(), 0, s.data(), 0, n, 1);
                EXPECT_EQ(done, blit_way_available(way));
                EXPECT_EQ(got, done ? want : d) << "way " << static_cast<int>(way) << ", " << n << " pixels";
            }
        }
    }
    // 19 pixels of three rows, the source rows 100 bytes apart, the destination rows 60.
    const Bitmap frame = mixed_frame(19, 3, rng), below = noise(19, 3, rng);
    Bitmap reference = below;
    reference_draw(light_shadow_key, dark_shadow_key, map_transparent, 0, 0, 255, reference, frame);
    std::vector<uint8_t> s(200 + 57), d(120 + 57), want = d;
    for (int y = 0; y < 3; ++y) {
        std::copy_n(frame.scan_line(y), 57, s.begin() + 100 * y);
        std::copy_n(below.scan_line(y), 57, d.begin() + 60 * y);
        std::copy_n(reference.scan_line(y), 57, want.begin() + 60 * y);
    }
    const FrameKeys keys = frame_keys(light_shadow_key, dark_shadow_key, map_transparent);
    for (BlitWay way : ways) {
        std::vector<uint8_t> got = d;
        if (blit_rows_by(way, keys, got.data(), 60, s.data(), 100, 19, 3)) {
            EXPECT_EQ(got, want) << "way " << static_cast<int>(way);
        }
    }
}

}  // namespace
