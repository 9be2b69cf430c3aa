#include "platform/errors.h"
#include "tiles/utils.h"

#include <gtest/gtest.h>

TEST(IntArray, FindGivesTheLastMatch) {
    EXPECT_EQ(int_array_find(5, {5, 7, 5}), 2);
    EXPECT_EQ(int_array_find(7, {5, 7, 5}), 1);
    EXPECT_EQ(int_array_find(9, {5, 7, 5}), -1);
    EXPECT_EQ(int_array_find(0, {}), -1);
}

TEST(IntArray, RemoveValueDeletesEveryMatch) {
    tintarray a{5, 7, 5, 5};
    int_array_remove_value(5, a);
    EXPECT_EQ(a, tintarray({7}));
    int_array_remove_value(3, a);
    EXPECT_EQ(a, tintarray({7}));
}

TEST(IntArray, DeleteOutsideTheListChangesNothing) {
    tintarray a{1, 2, 3};
    for (int bad : {-1, 3, 100}) {
        int_array_delete(bad, a);
        EXPECT_EQ(a, tintarray({1, 2, 3}));
    }
    int_array_delete(1, a);
    EXPECT_EQ(a, tintarray({1, 3}));
    tintarray empty;
    int_array_delete(0, empty);
    EXPECT_TRUE(empty.empty());
}

TEST(IntArray, AppendReturnsTheNewLength) {
    tintarray a;
    EXPECT_EQ(int_array_append(4, a), 1);
    EXPECT_EQ(int_array_append(4, a), 2);
    EXPECT_EQ(a, tintarray({4, 4}));
}

TEST(StrToInt, ConvertsEditTexts) {
    const std::pair<const char*, int32_t> good[] = {
        {"", 0},         {"12", 12},         {" 12", 12},          {"  -7", -7},      {"+5", 5},
        {"$1F", 31},     {"0x10", 16},       {"0X1a", 26},         {"-$10", -16},     {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},          {"$FFFFFFFF", -1},    {"007", 7}};
    for (const auto& [text, value] : good) EXPECT_EQ(str_to_int(text), value) << text;
    for (const char* text : {"12 ", "1 2", "a", "-", "$", "0x", "2147483648", "-2147483649", "$100000000",
                             "1.5", "\t12", " "}) {
        try {
            str_to_int(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt, DirectConversionRejectsTheEmptyText) {
    EXPECT_THROW(convert_to_int(""), ConvertError);
    EXPECT_EQ(convert_to_int("32"), 32);
}

TEST(Split, FollowsTheDelimitedTextRules) {
    struct Case {
        const char* text;
        char delimiter;
        TStrings fields;
    };
    const Case cases[] = {
        {"wall_32x64", '_', {"wall", "32x64"}},
        {"32x64", 'x', {"32", "64"}},
        {"a;;b", ';', {"a", "", "b"}},
        {"a;", ';', {"a", ""}},
        {"a b;c", ';', {"a", "b", "c"}},
        {"", ';', {}},
        {"   ", ';', {}},
        {";", ';', {"", ""}},
        {"  a  ;  b  ", ';', {"a", "b"}},
        {"\"x y\";z", ';', {"x y", "z"}},
        {"\"say \"\"hi\"\"\"", ';', {"say \"hi\""}},
        {"\"open", ';', {"open"}},
        {"\"a\"b", ';', {"a", "b"}},
        {"my wall_32x32.bmp", '.', {"my", "wall_32x32", "bmp"}},
        {"1_2_3", '_', {"1", "2", "3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split_string(c.text, c.delimiter), c.fields) << c.text;
        EXPECT_EQ(split_text(c.text, c.delimiter), c.fields) << c.text;
    }
    EXPECT_EQ(split_string(std::string("a\0b", 3), ';'), TStrings({"a"}));  // NUL ends the text
}

namespace {
Bitmap filled(int w, int h, TColor c) {
    Bitmap b(w, h);
    b.canvas().brush_color = c;
    b.canvas().fill_rect(0, 0, w, h);
    return b;
}
}  // namespace

TEST(Blend, ShadowKeysDarkenAndClampAtZero) {
    const TColor below = make_color(10, 100, 30);
    Bitmap d = filled(1, 1, below);
    blend_bitmap(light_shadow_key, dark_shadow_key, map_transparent, 255, d, filled(1, 1, light_shadow_key));
    EXPECT_EQ(d.pixel(0, 0), make_color(0, 80, 10));
    d = filled(1, 1, below);
    blend_bitmap(light_shadow_key, dark_shadow_key, map_transparent, 255, d, filled(1, 1, dark_shadow_key));
    EXPECT_EQ(d.pixel(0, 0), make_color(0, 60, 0));
}

TEST(Blend, TransparentOpaqueAndAlpha) {
    const TColor below = make_color(100, 100, 100);
    struct Case {
        TColor key1, key2, transparent, source;
        int alpha;
        TColor expected;
    };
    const Case cases[] = {
        {light_shadow_key, dark_shadow_key, clWhite, clWhite, 255, below},           // transparent
        {light_shadow_key, dark_shadow_key, clWhite, make_color(200, 0, 50), 255, make_color(200, 0, 50)},
        {0, 0, clWhite, make_color(200, 200, 200), 128, make_color(150, 150, 150)},  // Trunc(100 + 100*128/255)
        {0, 0, clWhite, make_color(0, 0, 0), 128, make_color(49, 49, 49)},           // truncated towards zero
        {0, 0, clWhite, make_color(200, 200, 200), 0, below},                        // alpha 0
        // A key of 0 is no key: black is then an ordinary colour, or the transparent one.
        {0, 0, clWhite, clBlack, 255, clBlack},
        {0, 0, clBlack, clBlack, 255, below},
        // The key colour with its key switched off is drawn as it is.
        {0, dark_shadow_key, clWhite, light_shadow_key, 255, light_shadow_key},
        {vial_transparent, 0, vial_transparent, vial_transparent, 255, make_color(80, 80, 80)},
    };
    for (const auto& c : cases) {
        Bitmap d = filled(2, 1, below);
        blend_bitmap(c.key1, c.key2, c.transparent, c.alpha, d, filled(2, 1, c.source));
        EXPECT_EQ(d.pixel(1, 0), c.expected) << std::hex << c.source << " alpha " << std::dec << c.alpha;
    }
}

TEST(Blend, DifferentOrEmptySizesDoNothing) {
    Bitmap d = filled(2, 2, clBlack);
    blend_bitmap(0, 0, clWhite, 255, d, filled(2, 3, make_color(1, 2, 3)));
    blend_bitmap(0, 0, clWhite, 255, d, filled(3, 2, make_color(1, 2, 3)));
    EXPECT_EQ(d.pixel(0, 0), clBlack);
    Bitmap empty;
    blend_bitmap(0, 0, clWhite, 255, empty, Bitmap());
    EXPECT_EQ(empty.width(), 0);
}

TEST(DrawFrame, DrawsAtAPlaceAndLosesWhatFallsOutside) {
    Bitmap dest = filled(4, 4, make_color(50, 50, 50));
    Bitmap frame = filled(2, 2, make_color(1, 2, 3));
    frame.set_pixel(0, 0, clWhite);
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, 3, 3, dest, frame);  // only (3, 3) lands
    EXPECT_EQ(dest.pixel(3, 3), make_color(50, 50, 50));  // frame pixel (0, 0) is transparent
    draw_frame(light_shadow_key, dark_shadow_key, map_transparent, -1, -1, dest, frame);
    EXPECT_EQ(dest.pixel(0, 0), make_color(1, 2, 3));      // frame pixel (1, 1)
    EXPECT_EQ(dest.pixel(1, 0), make_color(50, 50, 50));
    draw_blended(0, 0, clWhite, 1, 1, 128, dest, filled(1, 1, make_color(150, 150, 150)));
    EXPECT_EQ(dest.pixel(1, 1), make_color(100, 100, 100));
    draw_frame(0, 0, clWhite, 0, 0, dest, Bitmap());  // an empty frame draws nothing
    EXPECT_EQ(dest.width(), 4);
}
