// The sample strip: placement, centring, clipping and what counts as a
// character, checked pixel by pixel.

#include "preview/SampleStrip.h"
#include "export/ExportTestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

bool black(const QImage& strip, int x, int y) {
    return strip.pixel(x, y) == qRgb(0, 0, 0);
}

// The black pixels inside the frame, as (x, y) pairs.
std::vector<std::pair<int, int>> inkInside(const QImage& strip) {
    std::vector<std::pair<int, int>> ink;
    for (int y = 1; y < strip.height() - 1; ++y)
        for (int x = 1; x < strip.width() - 1; ++x)
            if (black(strip, x, y))
                ink.emplace_back(x, y);
    return ink;
}

// Every pixel is black or white, and the frame is whole.
void expectFramedStrip(const QImage& strip) {
    ASSERT_EQ(strip.size(), QSize(762, 50));
    EXPECT_EQ(strip.format(), QImage::Format_RGB888);
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb c = strip.pixel(x, y);
            ASSERT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << x << "," << y;
            if (x == 0 || y == 0 || x == 761 || y == 49) {
                ASSERT_TRUE(black(strip, x, y)) << "frame at " << x << "," << y;
            }
        }
    }
}

// A character whose whole matrix is ink, the part beyond its sizes too.
void defineSolid(FontModel& font, int code, int xSize) {
    defineCharacter(font, code, "c" + std::to_string(code), xSize);
    font.slots[code].pixels.fill(1);
}

// The strip columns that hold ink in row `y`.
std::vector<int> inkColumns(const QImage& strip, int y) {
    std::vector<int> columns;
    for (int x = 1; x < strip.width() - 1; ++x)
        if (black(strip, x, y))
            columns.push_back(x);
    return columns;
}

std::vector<int> range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

} // namespace

TEST(SampleStrip, TextWithoutDefinedCharactersGivesTheEmptyFrame) {
    FontModel font = newExportFont();
    font.slots['A'].pixels.fill(1); // ink in an undefined slot is no character
    for (std::string_view text : {"", "AAA", ">>> double-click to enter sample text <<<"}) {
        const QImage strip = renderSampleStrip(font, text);
        expectFramedStrip(strip);
        EXPECT_TRUE(inkInside(strip).empty()) << text;
    }
}

TEST(SampleStrip, ThreeCharactersOfWidthEightAreCentredWithOneClearColumnAfterEach) {
    FontModel font = newExportFont();
    defineSolid(font, 'a', 8);
    defineSolid(font, 'b', 8);
    const QImage strip = renderSampleStrip(font, "aba");
    expectFramedStrip(strip);
    std::vector<int> expected = range(367, 374);
    for (int x : range(376, 383))
        expected.push_back(x);
    for (int x : range(385, 392))
        expected.push_back(x);
    // y-size 16 sets the rows 17-32.
    for (int y = 1; y < 49; ++y)
        EXPECT_EQ(inkColumns(strip, y), y >= 17 && y <= 32 ? expected : std::vector<int>{})
            << "row " << y;
}

TEST(SampleStrip, OnePixelCharacterOfWidthOneLandsAt380_17) {
    FontModel font = newExportFont();
    defineCharacter(font, '.', "dot", 1, {{0, 0}});
    font.slots['.'].pixels[pixelIndex(1, 0)] = 1;  // beyond its x-size: hidden
    font.slots['.'].pixels[pixelIndex(0, 16)] = 1; // below the y-size: hidden
    font.slots['.'].pixels[pixelIndex(0, 3)] = 2;  // not 1: background
    const QImage strip = renderSampleStrip(font, ".");
    expectFramedStrip(strip);
    EXPECT_EQ(inkInside(strip), (std::vector<std::pair<int, int>>{{380, 17}}));
}

TEST(SampleStrip, TheCommonYSizeCentresTheRows) {
    FontModel font = newExportFont();
    font.ySize = 7;
    defineCharacter(font, 'x', "x", 1, {{0, 0}, {0, 6}});
    EXPECT_EQ(inkInside(renderSampleStrip(font, "x")),
              (std::vector<std::pair<int, int>>{{380, 21}, {380, 27}}));
    font.ySize = 32; // top = 9
    defineCharacter(font, 'x', "x", 1, {{0, 0}, {0, 31}});
    EXPECT_EQ(inkInside(renderSampleStrip(font, "x")),
              (std::vector<std::pair<int, int>>{{380, 9}, {380, 40}}));
}

TEST(SampleStrip, UndefinedCodesTakeNoRoomAndADefinedSpaceIsAGap) {
    FontModel font = newExportFont();
    defineSolid(font, 'a', 3);
    const QImage plain = renderSampleStrip(font, "aa");
    EXPECT_EQ(renderSampleStrip(font, "a?a\x01z\xFF"
                                      "a"),
              renderSampleStrip(font, "aaa"));
    EXPECT_EQ(renderSampleStrip(font, "a a"), plain) << "an undefined space is no gap";

    defineCharacter(font, ' ', "space", 5);
    // Total 4 + 6 + 4 = 14: x = 374; a at 374-376, the space 378-382, a at 384-386.
    std::vector<int> expected = range(374, 376);
    for (int x : range(384, 386))
        expected.push_back(x);
    EXPECT_EQ(inkColumns(renderSampleStrip(font, "a a"), 20), expected);
}

TEST(SampleStrip, TextWiderThanTheStripIsClippedOnBothSides) {
    FontModel font = newExportFont();
    font.ySize = 32;
    defineSolid(font, 'W', 32);
    // 30 characters of 33 columns: total 990, x = (762 - 990) / 2 = -114.
    const QImage strip = renderSampleStrip(font, std::string(30, 'W'));
    expectFramedStrip(strip);
    std::vector<int> expected;
    for (int x = 1; x <= 760; ++x) {
        const int offset = (x + 114) % 33;
        if (offset < 32)
            expected.push_back(x);
    }
    EXPECT_EQ(inkColumns(strip, 9), expected);
    EXPECT_EQ(inkColumns(strip, 40), expected);
    EXPECT_TRUE(inkColumns(strip, 8).empty());
    EXPECT_TRUE(inkColumns(strip, 41).empty());

    // An odd overflow truncates toward zero: 31 characters, total 1023,
    // x = -130, so the fifth character covers the columns 2-33.
    const QImage odd = renderSampleStrip(font, std::string(31, 'W'));
    EXPECT_FALSE(black(odd, 1, 20));
    EXPECT_TRUE(black(odd, 2, 20));
    EXPECT_TRUE(black(odd, 33, 20));
    EXPECT_FALSE(black(odd, 34, 20));
    EXPECT_TRUE(black(odd, 35, 20));
}

TEST(SampleStrip, TheTextEndsAtTheFirstZeroByte) {
    FontModel font = newExportFont();
    defineSolid(font, 'a', 3);
    defineSolid(font, 0, 3);
    EXPECT_EQ(renderSampleStrip(font, std::string_view("a\0aaa", 5)), renderSampleStrip(font, "a"));
}

TEST(SampleStrip, AnXSizeOutsideOneToThirtyTwoIsTakenAsTheNearestSize) {
    // Reached only through a damaged model; it must neither crash nor read
    // past the matrix.
    FontModel font = newExportFont();
    defineSolid(font, 'a', 8);
    font.slots['a'].xSize = 1000;
    EXPECT_EQ(inkColumns(renderSampleStrip(font, "a"), 20), range(364, 395));
    font.slots['a'].xSize = -5;
    EXPECT_EQ(inkColumns(renderSampleStrip(font, "a"), 20), range(380, 380));
}

TEST(SampleStrip, ScaleUpMakesEveryPixelABlock) {
    FontModel font = newExportFont();
    defineCharacter(font, '.', "dot", 1, {{0, 0}});
    const QImage strip = renderSampleStrip(font, ".");
    EXPECT_EQ(scaleUp(strip, 1), strip);
    const QImage big = scaleUp(strip, 3);
    ASSERT_EQ(big.size(), QSize(762 * 3, 50 * 3));
    EXPECT_EQ(big.format(), strip.format());
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            ASSERT_EQ(big.pixel(x, y), strip.pixel(x / 3, y / 3)) << x << "," << y;
}
