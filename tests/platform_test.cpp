#include "platform/bitmap.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QProcess>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

TEST(Errors, MessagesAreTheExactTexts) {
    EXPECT_STREQ(ConvertError("12a").what(), "'12a' is not a valid integer value");
    EXPECT_STREQ(RangeError().what(), "Range check error");
    EXPECT_STREQ(ListIndexError(1).what(), "List index out of bounds (1)");
    EXPECT_STREQ(OutOfMemoryError().what(), "Out of memory");
    const std::pair<int, const char*> io[] = {{2, "File not found"},       {3, "Invalid filename"},
                                              {4, "Too many open files"},  {5, "File access denied"},
                                              {100, "Read beyond end of file"}, {101, "Disk full"},
                                              {32, "I/O error 32"}};
    for (const auto& [code, text] : io) {
        EXPECT_STREQ(InOutError(code).what(), text);
        EXPECT_EQ(InOutError(code).code(), code);
    }
}

TEST(Errors, BoxTextAppendsFullStopAfterCharactersSortingAfterIt) {
    EXPECT_EQ(error_box_text("Disk full"), "Disk full.");
    EXPECT_EQ(error_box_text("'x' is not a valid integer value"), "'x' is not a valid integer value.");
    EXPECT_EQ(error_box_text("List index out of bounds (1)"), "List index out of bounds (1)");  // ')' < '.'
    EXPECT_EQ(error_box_text("done."), "done.");
    EXPECT_EQ(error_box_text("what?"), "what?.");  // '?' sorts after '.'
    EXPECT_EQ(error_box_text("wait!"), "wait!");
    EXPECT_EQ(error_box_text(""), "");
    EXPECT_EQ(error_box_text("\xC0"), "\xC0.");  // high code page characters sort after '.'
}

TEST(Errors, ProgramTitleFromExecutable) {
    EXPECT_EQ(program_title_from("/usr/local/bin/EDITOR"), "Editor");
    EXPECT_EQ(program_title_from("C:\\Games\\Project1.exe"), "Project1");
    EXPECT_EQ(program_title_from("world.editor.bin"), "world");  // the first letter keeps its case
    EXPECT_EQ(program_title_from("./eDiToR"), "editor");
}

TEST(CodePage, CyrillicAndNumeroSignRoundTrip) {
    const std::string bytes = "\xCF\xF0\xE8\xE2\xE5\xF2 \xB9 5";  // "Привет № 5"
    EXPECT_EQ(from_cp1251(bytes), QString::fromUtf8("Привет № 5"));
    EXPECT_EQ(to_cp1251(QString::fromUtf8("Привет № 5")), bytes);
    EXPECT_EQ(to_cp1251(QString::fromUtf8("Ёё")), "\xA8\xB8");
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    EXPECT_EQ(to_cp1251(from_cp1251(all)), all);
}

TEST(CodePage, MissingCharactersBecomeQuestionMarks) {
    EXPECT_EQ(to_cp1251(QString::fromUtf8("a日b😀c")), "a?b?c");
}

TEST(Bitmap, ScanLinesAreBlueGreenRed) {
    Bitmap b(3, 2);
    EXPECT_EQ(b.pixel(0, 0), clBlack);
    b.set_pixel(1, 1, make_color(10, 20, 30));
    const uint8_t* row = b.scan_line(1);
    EXPECT_EQ(row[3], 30);  // blue
    EXPECT_EQ(row[4], 20);  // green
    EXPECT_EQ(row[5], 10);  // red
    b.canvas().brush_color = make_color(1, 2, 3);
    b.canvas().fill_rect(0, 0, 3, 1);
    EXPECT_EQ(b.pixel(2, 0), make_color(1, 2, 3));
    EXPECT_EQ(b.pixel(0, 1), clBlack);
}

TEST(Bitmap, ResizeKeepsPixelsAndCopiesAreIndependent) {
    Bitmap a(2, 2);
    a.set_pixel(1, 1, clWhite);
    Bitmap b = a;
    b.set_pixel(0, 0, make_color(5, 5, 5));
    EXPECT_EQ(a.pixel(0, 0), clBlack);
    b.set_size(4, 3);
    EXPECT_EQ(b.width(), 4);
    EXPECT_EQ(b.pixel(1, 1), clWhite);
    EXPECT_EQ(b.pixel(3, 2), clBlack);
    b.canvas().brush_color = clWhite;  // the canvas follows the copy
    b.canvas().fill_rect(0, 0, 1, 1);
    EXPECT_EQ(b.pixel(0, 0), clWhite);
    EXPECT_EQ(a.pixel(0, 0), clBlack);
}

TEST(Bitmap, TextOutDrawsInFontColour) {
    Bitmap b(40, 30);
    b.canvas().brush_color = clWhite;
    b.canvas().fill_rect(0, 0, 40, 30);
    b.canvas().text_out(2, 2, "12");
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) dark += b.pixel(x, y) != clWhite;
    EXPECT_GT(dark, 3);
}

TEST(BlockCopy, ClipsToBothBitmaps) {
    Bitmap src(4, 4), dst(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.set_pixel(x, y, make_color(x, y, 1));
    // Reaches past the right and bottom edges of the destination and the left edge of the source.
    bit_blt(dst, 2, 3, 10, 10, src, -1, 0);
    EXPECT_EQ(dst.pixel(2, 3), clBlack);               // source column -1 does not exist
    EXPECT_EQ(dst.pixel(3, 3), make_color(0, 0, 1));   // source (0, 0)
    EXPECT_EQ(dst.pixel(1, 3), clBlack);
    EXPECT_EQ(dst.pixel(3, 2), clBlack);
    bit_blt(dst, -2, -2, 4, 4, src, 0, 0);
    EXPECT_EQ(dst.pixel(0, 0), make_color(2, 2, 1));
    EXPECT_EQ(dst.pixel(1, 1), make_color(3, 3, 1));
    bit_blt(dst, 0, 0, 4, 4, dst, 1, 1);  // overlapping copy within one bitmap
    EXPECT_EQ(dst.pixel(0, 0), make_color(3, 3, 1));
}

// Rows are reached by their own stride: a source whose rows are padded (an odd
// width), a view onto a wider sheet's pixels, and a destination that shares its
// pixels with another bitmap, which keeps its own.
TEST(BlockCopy, WalksRowsByEachImagesStride) {
    const auto colour = [](int x, int y) { return make_color(x * 9, y * 7, x + y); };
    Bitmap src(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) src.set_pixel(x, y, colour(x, y));
    std::vector<uchar> sheet(static_cast<std::size_t>(40) * 5);
    for (int y = 0; y < 5; ++y) std::memcpy(sheet.data() + 40 * y, src.scan_line(y), 21);
    const QImage view(sheet.data(), 7, 5, 40, QImage::Format_BGR888);
    const QImage* const sources[] = {&src.image(), &view};
    for (const QImage* from : sources) {
        Bitmap dst(9, 6);
        const Bitmap before = dst;  // shares dst's pixels until dst is written
        bit_blt(dst.image(), 3, 2, 5, 3, *from, 1, 2);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool inside = x >= 3 && x < 8 && y >= 2 && y < 5;
                EXPECT_EQ(dst.pixel(x, y), inside ? colour(x - 2, y) : clBlack) << x << "," << y;
                EXPECT_EQ(before.pixel(x, y), clBlack);
            }
    }
}

namespace {
// Writes a 6 x 4 picture of random grey noise with a red top-left and a blue
// bottom-right pixel in the BMP flavour the arguments ask ImageMagick for.
void write_bmp(const std::string& file, const std::string& args) {
    const std::string cmd = imagemagick_convert() +
                            " -size 6x4 xc:gray +noise Random -fill '#FF0000' -draw 'point 0,0'"
                            " -fill '#0000FF' -draw 'point 5,3' " + args + file;
    ASSERT_EQ(QProcess::execute("sh", {"-c", QString::fromStdString(cmd)}), 0) << cmd;
}

std::string read_file(const std::string& file) {
    QFile f(QString::fromStdString(file));
    f.open(QIODevice::ReadOnly);
    return f.readAll().toStdString();
}

void write_file(const std::string& file, const std::string& bytes) {
    QFile f(QString::fromStdString(file));
    f.open(QIODevice::WriteOnly);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
}  // namespace

TEST(Bitmap, LoadsBmpFilesOfEveryKind) {
    TempDir dir;
    const std::pair<const char*, const char*> kinds[] = {
        {"palette8_rle", "-type Palette BMP3:"},
        {"palette8", "-type Palette -compress none BMP3:"},
        {"palette1", "-type Palette -colors 2 BMP3:"},
        {"rgb24", "-type TrueColor BMP3:"},
        {"rgba32", "-type TrueColorAlpha BMP:"},
        {"os2", "-type TrueColor BMP2:"}};
    std::vector<std::string> files;
    for (const auto& [name, args] : kinds) {
        files.push_back(dir.file(std::string(name) + ".bmp"));
        write_bmp(files.back(), args);
    }
    // Top-down rows: the 24-bit file with its rows reversed and a negative height.
    std::string bytes = read_file(dir.file("rgb24.bmp"));
    ASSERT_GT(bytes.size(), 54u);
    const std::size_t offset = static_cast<unsigned char>(bytes[10]);
    const std::size_t stride = (6 * 3 + 3) / 4 * 4;
    std::string flipped = bytes.substr(0, offset);
    for (int row = 3; row >= 0; --row) flipped += bytes.substr(offset + row * stride, stride);
    const int32_t negative_height = -4;
    std::memcpy(&flipped[22], &negative_height, 4);
    files.push_back(dir.file("topdown.bmp"));
    write_file(files.back(), flipped);

    for (const auto& file : files) {
        Bitmap b;
        b.load_from_file(file);
        EXPECT_EQ(b.width(), 6) << file;
        EXPECT_EQ(b.height(), 4) << file;
        if (file.find("palette1") == std::string::npos) {
            EXPECT_EQ(b.pixel(0, 0), make_color(255, 0, 0)) << file;
            EXPECT_EQ(b.pixel(5, 3), make_color(0, 0, 255)) << file;
        }
    }
}

TEST(Bitmap, LoadingAFileThatIsNoBitmapFails) {
    TempDir dir;
    Bitmap b;
    EXPECT_THROW(b.load_from_file(dir.file("missing.bmp")), BitmapError);
    const std::string junk = dir.file("junk.bmp");
    FILE* f = fopen(junk.c_str(), "wb");
    fputs("not a bitmap", f);
    fclose(f);
    EXPECT_THROW(b.load_from_file(junk), BitmapError);
}
