// The tile loader on real BMP files written by ImageMagick: palette, 24-bit,
// 32-bit and top-down files, sizes with remainders, name order and the names
// that carry no usable frame size.
#include "platform/errors.h"
#include "platform/folder.h"
#include "tests/support/test_support.h"
#include "tiles/tiles.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

enum class Kind { palette8, rgb24, rgb32, top_down };

TColor frame_color(int k) { return make_color(20 + 11 * k, 240 - 13 * k, 60 + 7 * k); }
constexpr TColor remainder_color = make_color(128, 128, 128);

std::string hex(TColor c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color_red(c), color_green(c), color_blue(c));
    return buffer;
}

uint32_t u32(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

// Rewrites a bottom-up 24-bit BMP file as a top-down one (negative height).
void make_top_down(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const uint32_t offset = u32(bytes, 10);
    const int32_t width = static_cast<int32_t>(u32(bytes, 18));
    const int32_t height = static_cast<int32_t>(u32(bytes, 22));
    ASSERT_GT(height, 0);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string pixels = bytes.substr(offset, stride * static_cast<std::size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        bytes.replace(offset + stride * static_cast<std::size_t>(y), stride,
                      pixels.substr(stride * static_cast<std::size_t>(height - 1 - y), stride));
    const int32_t negative = -height;
    std::memcpy(bytes.data() + 22, &negative, 4);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Writes a width x height BMP file whose whole frames of fw x fh pixels are
// filled with frame_color(first), frame_color(first + 1), ... row by row, and
// whose remainder is grey.
void write_tile_file(const std::string& path, Kind kind, int width, int height, int fw, int fh, int first) {
    QStringList args{"-size", QString("%1x%2").arg(width).arg(height),
                     QString::fromStdString("xc:" + hex(remainder_color))};
    int k = first;
    for (int r = 0; r + fh <= height; r += fh)
        for (int c = 0; c + fw <= width; c += fw, ++k)
            args << "-fill" << QString::fromStdString(hex(frame_color(k))) << "-draw"
                 << QString("rectangle %1,%2 %3,%4").arg(c).arg(r).arg(c + fw - 1).arg(r + fh - 1);
    if (kind == Kind::palette8 && width >= 22 && height >= 11)
        // Twenty more colours, off the frames' corners, so the palette needs 8 bits.
        for (int i = 0; i < 20; ++i)
            args << "-fill" << QString::fromStdString(hex(make_color(5 * i, 7, 250 - 3 * i))) << "-draw"
                 << QString("point %1,10").arg(2 + i);
    const QString out = QString::fromStdString(path);
    switch (kind) {
    case Kind::palette8: args << "-type" << "Palette" << "BMP3:" + out; break;
    case Kind::rgb24:
    case Kind::top_down: args << "-type" << "TrueColor" << "BMP3:" + out; break;
    case Kind::rgb32: args << "-alpha" << "set" << "BMP:" + out; break;
    }
    QProcess convert;
    convert.start(QString::fromStdString(imagemagick_convert()), args);
    ASSERT_TRUE(convert.waitForFinished(30000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    if (kind == Kind::top_down) make_top_down(path);
}

int bits_per_pixel(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.size() > 30 ? static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8
                             : 0;
}

void write_text_file(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// Every frame is fw x fh and holds its own colour from corner to corner.
void expect_frames(const tiarray& frames, int from, int to, int fw, int fh, int first_color) {
    for (int i = from; i < to; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const Bitmap& f = frames[static_cast<std::size_t>(i)];
        ASSERT_EQ(f.width(), fw);
        ASSERT_EQ(f.height(), fh);
        const TColor want = frame_color(first_color + (i - from));
        EXPECT_EQ(f.pixel(0, 0), want);
        EXPECT_EQ(f.pixel(fw - 1, 0), want);
        EXPECT_EQ(f.pixel(0, fh - 1), want);
        EXPECT_EQ(f.pixel(fw - 1, fh - 1), want);
    }
}

tiarray some_frames() { return tiarray(3, Bitmap(4, 4)); }

}  // namespace

TEST(LoadTiles, CutsEveryKindOfBmpRowByRowAcrossFilesInNameOrder) {
    const std::pair<Kind, int> kinds[] = {{Kind::palette8, 8}, {Kind::rgb24, 24}, {Kind::rgb32, 32},
                                          {Kind::top_down, 24}};
    for (const auto& [kind, bits] : kinds) {
        SCOPED_TRACE("bits " + std::to_string(bits) + (kind == Kind::top_down ? " top-down" : ""));
        TempDir dir;
        // a_32x32.bmp, 96 x 64: frames 0, 1, 2 along the top, 3, 4, 5 below;
        // B_16x16.bmp, 32 x 16: frames 6 and 7.
        write_tile_file(dir.file("a_32x32.bmp"), kind, 96, 64, 32, 32, 0);
        write_tile_file(dir.file("B_16x16.bmp"), kind, 32, 16, 16, 16, 6);
        ASSERT_EQ(bits_per_pixel(dir.file("a_32x32.bmp")), bits);
        int count = -1;
        tiarray frames = some_frames();
        load_tiles(dir.path() + "/", count, frames);
        ASSERT_EQ(count, 8);
        ASSERT_EQ(frames.size(), 8u);
        expect_frames(frames, 0, 6, 32, 32, 0);
        expect_frames(frames, 6, 8, 16, 16, 6);
    }
}

TEST(LoadTiles, RemaindersAndFilesSmallerThanAFrameTakeNoNumbers) {
    TempDir dir;
    // 100 x 70 in 32 x 32 frames: 3 columns, 2 rows; the strips right and below are dropped.
    write_tile_file(dir.file("a_32x32.bmp"), Kind::rgb24, 100, 70, 32, 32, 0);
    // Narrower than one frame, then lower than one frame: no frames at all.
    write_tile_file(dir.file("b_32x32.bmp"), Kind::rgb24, 20, 64, 32, 32, 20);
    write_tile_file(dir.file("c_32x32.bmp"), Kind::rgb24, 64, 31, 32, 32, 20);
    write_tile_file(dir.file("d_10x20.bmp"), Kind::palette8, 25, 45, 10, 20, 6);
    int count = 0;
    tiarray frames;
    load_tiles(dir.path() + "/", count, frames);
    ASSERT_EQ(count, 6 + 4);
    ASSERT_EQ(frames.size(), 10u);
    expect_frames(frames, 0, 6, 32, 32, 0);
    expect_frames(frames, 6, 10, 10, 20, 6);
}

TEST(LoadTiles, NameOrderIgnoresCaseAndExtensionCase) {
    TempDir dir;
    // Each file one 8 x 8 frame whose colour tells which file it came from.
    const char* names[] = {"c_8x8.bmp", "B_8x8.bmp", "a_8x8.BMP", "grass2_8x8.bmp", "grass_8x8.Bmp", "D_8x8.bmp"};
    for (int i = 0; i < 6; ++i) write_tile_file(dir.file(names[i]), Kind::rgb24, 8, 8, 8, 8, i);
    write_text_file(dir.file("notes.txt"), "not a tile");
    write_text_file(dir.file("e_8x8.bmp.txt"), "not a tile either");
    int count = 0;
    tiarray frames;
    load_tiles(dir.path() + "/", count, frames);
    ASSERT_EQ(count, 6);
    // a, B, c, D, then grass_ before grass2_ (punctuation sorts before digits).
    const int expected_file[] = {2, 1, 0, 5, 4, 3};
    for (int n = 0; n < 6; ++n) EXPECT_EQ(frames[n].pixel(3, 3), frame_color(expected_file[n])) << "frame " << n;
}

TEST(LoadTiles, FrameSizeComesFromThePartAfterTheFirstUnderscore) {
    TempDir dir;
    write_tile_file(dir.file("wall_32x64.bmp"), Kind::rgb24, 64, 64, 32, 64, 0);
    write_tile_file(dir.file("wall_32x64_old.bmp"), Kind::rgb24, 32, 128, 32, 64, 2);
    int count = 0;
    tiarray frames;
    load_tiles(dir.path() + "/", count, frames);
    ASSERT_EQ(count, 4);
    expect_frames(frames, 0, 4, 32, 64, 0);

    EXPECT_EQ(tile_size_from_name("door_16x24.bmp").width, 16);
    EXPECT_EQ(tile_size_from_name("door_16x24.bmp").height, 24);
    EXPECT_EQ(tile_size_from_name("door_16x24_open_2.bmp").height, 24);
    EXPECT_EQ(tile_size_from_name("door_$10x20.bmp").width, 16);  // the editor's number rule
}

TEST(LoadTiles, MissingOrEmptyFolderGivesNoFrames) {
    TempDir dir;
    for (const std::string& folder : {dir.path() + "/", dir.path() + "/absent/"}) {
        int count = 7;
        tiarray frames = some_frames();
        load_tiles(folder, count, frames);
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(frames.empty());
    }
}

// After any error the count and the list are both empty, whatever loaded before.
TEST(LoadTiles, ErrorsNameTheFaultAndLeaveNoFrames) {
    struct Case {
        const char* name;
        const char* message;  // the exact text, or a part of it for our own errors
        bool exact;
    };
    const Case cases[] = {
        {"my wall_32x32.bmp", "List index out of bounds (1)", true},  // a blank splits like the delimiter
        {"plain.bmp", "List index out of bounds (1)", true},
        {"a_32.bmp", "List index out of bounds (1)", true},
        {"a_32X32.bmp", "List index out of bounds (1)", true},  // the x must be lowercase
        {"a_x32.bmp", "'' is not a valid integer value", true},
        {"a_32x.bmp", "'' is not a valid integer value", true},
        {"a_3ax32.bmp", "'3a' is not a valid integer value", true},
        {"a_0x32.bmp", "a_0x32.bmp", false},
        {"a_32x0.bmp", "a_32x0.bmp", false},
        {"a_-8x8.bmp", "a_-8x8.bmp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        write_tile_file(dir.file("0good_8x8.bmp"), Kind::rgb24, 16, 8, 8, 8, 0);  // sorts first, loads fine
        write_tile_file(dir.file(c.name), Kind::rgb24, 64, 64, 64, 64, 0);
        int count = 5;
        tiarray frames = some_frames();
        try {
            load_tiles(dir.path() + "/", count, frames);
            ADD_FAILURE() << "no error";
        } catch (const EditorError& e) {
            if (c.exact) EXPECT_STREQ(e.what(), c.message);
            else {
                EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find("frame size"), std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(frames.empty());
    }
}

TEST(LoadTiles, AFileThatIsNotABitmapFailsWithTheBitmapError) {
    TempDir dir;
    write_tile_file(dir.file("0good_8x8.bmp"), Kind::rgb24, 8, 8, 8, 8, 0);
    write_text_file(dir.file("broken_8x8.bmp"), "this is no bitmap");
    int count = 0;
    tiarray frames;
    EXPECT_THROW(load_tiles(dir.path() + "/", count, frames), BitmapError);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(frames.empty());
}

TEST(Folder, PatternIgnoresCaseAndCompareTextSortsLikeTheDesktop) {
    EXPECT_TRUE(matches_pattern("a_8x8.BMP", "*.bmp"));
    EXPECT_TRUE(matches_pattern(".bmp", "*.bmp"));
    EXPECT_TRUE(matches_pattern("x.bmp.bmp", "*.bmp"));
    EXPECT_FALSE(matches_pattern("x.bmp.txt", "*.bmp"));
    EXPECT_FALSE(matches_pattern("xbmp", "*.bmp"));
    EXPECT_TRUE(matches_pattern("ab", "a?"));

    EXPECT_EQ(compare_text("ABC", "abc"), 0);
    EXPECT_LT(compare_text("a_8x8", "B_8x8"), 0);
    EXPECT_LT(compare_text("B_8x8", "c_8x8"), 0);
    EXPECT_LT(compare_text("grass_1", "grass2_1"), 0);
    EXPECT_LT(compare_text("a9", "aa"), 0);
    EXPECT_LT(compare_text("ab", "a-c"), 0);  // the hyphen counts only for otherwise equal texts
    EXPECT_LT(compare_text("ab", "a-b"), 0);
    EXPECT_LT(compare_text("a", "ab"), 0);

    SortedStrings list;
    for (const char* s : {"c", "B", "a", "b"}) list.add(s);
    ASSERT_EQ(list.count(), 4);  // "B" and "b" are both kept
    EXPECT_EQ(list.at(0), "a");
    EXPECT_EQ(list.at(1), "B");
    EXPECT_EQ(list.at(2), "b");
    EXPECT_EQ(list.at(3), "c");
    EXPECT_THROW(list.at(4), ListIndexError);
}

namespace {

// Writes an uncompressed 24-bit BMP file (bottom-up, or top-down with a negative
// height) whose pixel (x, y) is pattern(x, y).
TColor pattern(int x, int y) { return make_color(x * 7 + y, y * 5 + 3 * x, (x ^ y) * 11); }

void write_raw_bmp(const std::string& path, int width, int height, bool top_down) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string b(54 + stride * static_cast<std::size_t>(height), '\0');
    const auto put = [&b](std::size_t at, uint32_t v, int bytes) { std::memcpy(b.data() + at, &v, bytes); };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<uint32_t>(b.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(top_down ? -height : height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor c = pattern(x, y);
            const int file_row = top_down ? y : height - 1 - y;
            char* p = b.data() + 54 + stride * static_cast<std::size_t>(file_row) + 3 * static_cast<std::size_t>(x);
            p[0] = static_cast<char>(color_blue(c));
            p[1] = static_cast<char>(color_green(c));
            p[2] = static_cast<char>(color_red(c));
        }
    std::ofstream(path, std::ios::binary) << b;
}

long resident_bytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace

// Frames read from the file when first looked up hold exactly the pixels Qt's
// reader gives for the whole file, for rows padded to four bytes, both row
// orders and a remainder, and so do the frames of a file Qt reads.
TEST(LoadTiles, FramesHoldExactlyTheirFilesPixels) {
    for (bool top_down : {false, true}) {
        SCOPED_TRACE(top_down ? "top-down" : "bottom-up");
        TempDir dir;
        write_raw_bmp(dir.file("a_7x5.bmp"), 45, 23, top_down);  // 6 x 4 frames, 3 and 3 pixels left over
        write_tile_file(dir.file("b_8x8.bmp"), Kind::palette8, 24, 8, 8, 8, 0);
        int count = 0;
        tiarray frames;
        load_tiles(dir.path() + "/", count, frames);
        ASSERT_EQ(count, 24 + 3);
        const QImage whole = QImage(QString::fromStdString(dir.file("a_7x5.bmp")), "BMP");
        ASSERT_EQ(whole.width(), 45);
        for (int n = 0; n < 24; ++n) {
            const Bitmap& f = frames[static_cast<std::size_t>(n)];
            ASSERT_EQ(f.width(), 7);
            ASSERT_EQ(f.height(), 5);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 7; ++x) {
                    const QRgb want = whole.pixel(n % 6 * 7 + x, n / 6 * 5 + y);
                    ASSERT_EQ(f.pixel(x, y), make_color(qRed(want), qGreen(want), qBlue(want)))
                        << "frame " << n << " at " << x << ", " << y;
                }
        }
        expect_frames(frames, 24, 27, 8, 8, 0);
    }
}

// A lookup gives the same bitmap every time; a copy of the list or of a frame
// keeps the pixels after the list is gone; writing to a copied frame leaves the
// frames alone.
TEST(LoadTiles, FramesStayPutAndCopiesOutliveTheList) {
    TempDir dir;
    write_raw_bmp(dir.file("a_4x4.bmp"), 8, 4, false);
    write_tile_file(dir.file("b_8x8.bmp"), Kind::rgb32, 16, 8, 8, 8, 0);
    auto frames = std::make_unique<tiarray>();
    int count = 0;
    load_tiles(dir.path() + "/", count, *frames);
    ASSERT_EQ(count, 4);
    const Bitmap* first = tile_frame(*frames, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(tile_frame(*frames, 1), first);
    EXPECT_EQ(tile_frame(*frames, 4), nullptr);
    EXPECT_EQ(tile_frame(*frames, -1), nullptr);
    EXPECT_THROW((*frames)[4], ListIndexError);
    const tiarray copy = *frames;
    Bitmap frame1 = (*frames)[1];
    Bitmap frame3 = (*frames)[3];
    frame1.set_pixel(0, 0, clWhite);
    EXPECT_EQ((*frames)[1].pixel(0, 0), pattern(4, 0));
    frames.reset();
    EXPECT_EQ(frame1.pixel(1, 2), pattern(5, 2));
    EXPECT_EQ(frame3.pixel(7, 7), frame_color(1));
    EXPECT_EQ(copy[1].pixel(3, 3), pattern(7, 3));
    EXPECT_EQ(copy[2].pixel(0, 0), frame_color(0));
}

// A file whose frames take the folder past the bound is refused by name with
// its frame count; frames up to the bound load, and a file of 1 x 1 frames
// costs about its pixels.
TEST(LoadTiles, TooManyFramesAreRefusedAndTinyFramesCostTheirPixels) {
    TempDir dir;
    write_raw_bmp(dir.file("a_1x1.bmp"), 2048, 2049, false);
    int count = 5;
    tiarray frames = some_frames();
    try {
        load_tiles(dir.path() + "/", count, frames);
        ADD_FAILURE() << "no error";
    } catch (const EditorError& e) {
        EXPECT_STREQ(e.what(), ("The tile file " + dir.path() + "/a_1x1.bmp holds 4196352 frames of 1x1 pixels, "
                                "which are more than the 4194304 frames a tile folder may hold")
                                   .c_str());
    }
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(frames.empty());

    // Exactly the bound loads; one frame more is refused, counting the frames before.
    std::filesystem::remove(dir.file("a_1x1.bmp"));
    write_raw_bmp(dir.file("a_1x1.bmp"), 2048, 1024, true);
    write_raw_bmp(dir.file("b_1x1.bmp"), 2048, 1024, false);
    const long before = resident_bytes();
    load_tiles(dir.path() + "/", count, frames);
    const long added = resident_bytes() - before;
    ASSERT_EQ(count, 4194304);
    EXPECT_LT(added, 4194304L * 3 * 13 / 10) << "bytes added by " << count << " frames";
    for (const int n : {0, 2047, 2048, 2097151, 2097152, 4194303})
        EXPECT_EQ(frames[static_cast<std::size_t>(n)].pixel(0, 0), pattern(n % 2048, n / 2048 % 1024)) << n;
    write_raw_bmp(dir.file("c_1x1.bmp"), 1, 1, false);
    try {
        load_tiles(dir.path() + "/", count, frames);
        ADD_FAILURE() << "no error";
    } catch (const EditorError& e) {
        EXPECT_STREQ(e.what(), ("The tile file " + dir.path() + "/c_1x1.bmp holds 1 frames of 1x1 pixels, which "
                                "with the 4194304 frames before it are more than the 4194304 frames a tile "
                                "folder may hold")
                                   .c_str());
    }
    EXPECT_EQ(count, 0);
}
