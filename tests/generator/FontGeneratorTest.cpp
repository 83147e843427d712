// The generator's logic over a raster of known shapes: which codes a run
// draws and in which order, and what sampling, alignment and the minimum
// x-size make of a glyph.
#include "generator/FontGenerator.h"
#include "generator/CodeSelection.h"
#include "generator/FakeRasterizer.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace zelvik;
using namespace zelvik::test;

namespace {

CodeSelection everything() {
    CodeSelection s;
    s.letters = s.digits = s.specials = s.high = true;
    s.highCodes = presetSelection(HighCodePreset::All);
    return s;
}

CodeSelection nothing() {
    CodeSelection s;
    s.letters = s.digits = s.specials = s.high = false;
    return s;
}

struct Generated {
    std::unique_ptr<FontModel> font = std::make_unique<FontModel>();
    FakeRasterizer raster;

    explicit Generated() {
        WorkingCharacter working;
        resetFont(*font, working);
    }
    const CharSlot& run(std::uint8_t code, const PostProcessing& post, int yOffset = 0) {
        const std::uint8_t codes[] = {code};
        generateCharacters(*font, codes, post, yOffset, raster);
        return font->slots[code];
    }
};

std::vector<int> inkedColumns(const PixelMatrix& m) {
    std::vector<int> columns;
    for (int x = 0; x < kMatrixEdge; ++x) {
        for (int y = 0; y < kMatrixEdge; ++y) {
            if (pixelSet(m, x, y)) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

std::vector<int> inkedRows(const PixelMatrix& m) {
    std::vector<int> rows;
    for (int y = 0; y < kMatrixEdge; ++y) {
        for (int x = 0; x < kMatrixEdge; ++x) {
            if (pixelSet(m, x, y)) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

std::vector<int> range(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

} // namespace

TEST(GenerationList, EverythingIsLettersInPairsThenDigitsThenSignsThenHighCodes) {
    const std::vector<std::uint8_t> codes = generationList(everything());
    ASSERT_EQ(codes.size(), 224u);
    EXPECT_EQ(std::vector<std::uint8_t>(codes.begin(), codes.begin() + 4),
              (std::vector<std::uint8_t>{'A', 'a', 'B', 'b'}));
    EXPECT_EQ(codes[50], 'Z');
    EXPECT_EQ(codes[51], 'z');
    EXPECT_EQ(codes[52], '0');
    EXPECT_EQ(codes[61], '9');
    EXPECT_EQ(codes[62], 0x20);
    EXPECT_EQ(codes[95], 0x7F);
    EXPECT_EQ(codes[96], 0x80);
    EXPECT_EQ(codes[223], 0xFF);
    const std::set<int> distinct(codes.begin(), codes.end());
    EXPECT_EQ(distinct.size(), 224u);
    EXPECT_EQ(*distinct.begin(), 0x20);
    EXPECT_EQ(*distinct.rbegin(), 0xFF);
    // The signs come in rising runs around the letters and digits.
    const std::vector<std::uint8_t> signs(codes.begin() + 62, codes.begin() + 96);
    EXPECT_TRUE(std::is_sorted(signs.begin(), signs.end()));
}

TEST(GenerationList, EachBoxAddsOnlyItsOwnCodes) {
    CodeSelection digits = nothing();
    digits.digits = true;
    EXPECT_EQ(generationList(digits),
              (std::vector<std::uint8_t>{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}));
    EXPECT_TRUE(generationList(nothing()).empty());

    CodeSelection defaults; // the editor's start: 0x20-0x7F, no high codes
    EXPECT_EQ(generationList(defaults).size(), 96u);

    // The high codes' choice counts only while 0x80-0xFF is asked for.
    CodeSelection highOff = nothing();
    highOff.highCodes.set();
    EXPECT_TRUE(generationList(highOff).empty());
}

TEST(GenerationList, CzechPresetHoldsTheDotAboveButNotTheNoBreakSpace) {
    const HighCodeSelection czech = presetSelection(HighCodePreset::Czech);
    EXPECT_EQ(czech.count(), 34u);
    EXPECT_TRUE(czech.test(0xFF - 0x80));
    EXPECT_FALSE(czech.test(0xA0 - 0x80));
    EXPECT_TRUE(czech.test(0x8A - 0x80));
    EXPECT_TRUE(czech.test(0xF9 - 0x80)); // u with ring
    EXPECT_EQ(presetSelection(HighCodePreset::All).count(), 128u);

    CodeSelection s = nothing();
    s.high = true;
    s.highCodes = czech;
    const std::vector<std::uint8_t> codes = generationList(s);
    ASSERT_EQ(codes.size(), 34u);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_EQ(codes.front(), 0x8A);
    EXPECT_EQ(codes.back(), 0xFF);
}

TEST(GenerateCharacters, DrawsEveryCodeInOrderThroughWindows1250AndNamesIt) {
    Generated g;
    const std::vector<std::uint8_t> codes = generationList(everything());
    generateCharacters(*g.font, codes, PostProcessing{}, 0, g.raster);

    ASSERT_EQ(g.raster.drawn.size(), 224u);
    EXPECT_EQ(g.raster.drawn[0].first, u'A');
    EXPECT_EQ(g.raster.drawn[1].first, u'a');
    // 0x8A is the first high code drawn: capital S with caron.
    EXPECT_EQ(g.raster.drawn[96 + 0x0A].first, u'\u0160');
    EXPECT_EQ(g.raster.drawn[223].first, u'\u02D9'); // 0xFF, the dot above
    for (int code = 0x20; code <= 0xFF; ++code)
        EXPECT_TRUE(g.font->slots[code].defined()) << code;
    for (int code = 0; code < 0x20; ++code)
        EXPECT_FALSE(g.font->slots[code].defined()) << code;
    EXPECT_EQ(g.font->slots[0x8A].name, "USh");
    EXPECT_EQ(g.font->slots[kBlankSlot].name, "blank");
    EXPECT_EQ(g.font->ySize, 32);
    // Only the sampled corner is ever read.
    EXPECT_EQ(g.raster.furthestColumnRead, 31);
    EXPECT_EQ(g.raster.furthestRowRead, 31);
}

TEST(GenerateCharacters, WithNothingToDrawTheFontIsStill32HighAndModified) {
    Generated g;
    generateCharacters(*g.font, generationList(nothing()), PostProcessing{}, 0, g.raster);
    EXPECT_TRUE(g.raster.drawn.empty());
    EXPECT_EQ(g.font->ySize, 32);
    EXPECT_TRUE(g.font->fontModified);
    EXPECT_TRUE(g.font->characterModified);
    for (int code = 0; code < kCodeCount; ++code)
        EXPECT_FALSE(g.font->slots[code].defined());
}

// A glyph inking columns a..b, in every combination of the options, for a
// letter and for a digit.
TEST(GenerateCharacters, AlignmentAndMinimumXSizeForAGlyphSpanningColumnsAToB) {
    constexpr int a = 3;
    constexpr int b = 9;
    for (const char16_t code : {u'A', u'5', u'\u010C'}) {
        for (int bits = 0; bits < 8; ++bits) {
            PostProcessing post;
            post.alignLeft = bits & 1;
            post.keepDigitBearing = bits & 2;
            post.minimumXSize = bits & 4;
            Generated g;
            g.raster.shapes[code] = {{a, 4, b, 12}};
            const std::uint8_t byte = code == u'\u010C' ? 0xC8 : static_cast<std::uint8_t>(code);
            const CharSlot& slot = g.run(byte, post);

            const bool digit = code == u'5';
            const bool aligned = post.alignLeft && !(digit && post.keepDigitBearing);
            SCOPED_TRACE(testing::Message()
                         << "code " << int(byte) << " align " << post.alignLeft << " keep digits "
                         << post.keepDigitBearing << " cut " << post.minimumXSize);
            EXPECT_EQ(inkedColumns(slot.pixels), aligned ? range(0, b - a) : range(a, b));
            EXPECT_EQ(inkedRows(slot.pixels), range(4, 12));
            const int expectedX = !post.minimumXSize ? 32 : aligned ? b - a + 1 : b + 1;
            EXPECT_EQ(slot.xSize, expectedX);
        }
    }
}

TEST(GenerateCharacters, DigitsKeepTheirLeftBearingWhileLettersAndSignsAreAligned) {
    Generated g;
    g.raster.shapes[u'1'] = {{4, 2, 6, 12}};
    g.raster.shapes[u'0'] = {{1, 2, 8, 12}};
    g.raster.shapes[u'L'] = {{2, 2, 7, 12}};
    g.raster.shapes[u'+'] = {{3, 5, 9, 9}};
    const std::uint8_t codes[] = {'1', '0', 'L', '+'};
    generateCharacters(*g.font, codes, PostProcessing{}, 0, g.raster);
    EXPECT_EQ(inkedColumns(g.font->slots['1'].pixels), range(4, 6));
    EXPECT_EQ(g.font->slots['1'].xSize, 7);
    EXPECT_EQ(inkedColumns(g.font->slots['0'].pixels), range(1, 8));
    EXPECT_EQ(g.font->slots['0'].xSize, 9);
    EXPECT_EQ(inkedColumns(g.font->slots['L'].pixels), range(0, 5));
    EXPECT_EQ(g.font->slots['L'].xSize, 6);
    EXPECT_EQ(inkedColumns(g.font->slots['+'].pixels), range(0, 6));
}

TEST(GenerateCharacters, AnEmptyGlyphIs32WideAndStillNamed) {
    for (bool cut : {true, false}) {
        Generated g;
        PostProcessing post;
        post.minimumXSize = cut;
        const CharSlot& slot = g.run('x', post);
        EXPECT_EQ(slot.xSize, 32);
        EXPECT_EQ(slot.pixels, PixelMatrix{});
        EXPECT_EQ(slot.name, "lx");
    }
}

TEST(GenerateCharacters, TheSpaceIsFourWideWhateverItInks) {
    for (int bits = 0; bits < 8; ++bits) {
        PostProcessing post;
        post.alignLeft = bits & 1;
        post.keepDigitBearing = bits & 2;
        post.minimumXSize = bits & 4;
        for (bool inked : {false, true}) {
            Generated g;
            if (inked)
                g.raster.shapes[u' '] = {{2, 3, 20, 9}};
            const CharSlot& slot = g.run(' ', post);
            EXPECT_EQ(slot.xSize, 4) << bits << inked;
            EXPECT_EQ(slot.name, "ssp");
        }
    }
}

TEST(GenerateCharacters, YOffsetMovesTheCellAndWhatLeavesTheCornerIsLost) {
    const std::vector<InkRect> bar = {{0, 0, 5, 10}}; // rows 0..10 of the cell
    {
        Generated g;
        g.raster.shapes[u'I'] = bar;
        const CharSlot& slot = g.run('I', PostProcessing{}, 32);
        EXPECT_EQ(g.raster.drawn.back().second, 32);
        EXPECT_EQ(slot.pixels, PixelMatrix{});
        EXPECT_EQ(slot.xSize, 32);
    }
    {
        Generated g;
        g.raster.shapes[u'I'] = bar;
        EXPECT_EQ(inkedRows(g.run('I', PostProcessing{}, 25).pixels), range(25, 31));
    }
    {
        Generated g;
        g.raster.shapes[u'I'] = bar;
        EXPECT_EQ(inkedRows(g.run('I', PostProcessing{}, -4).pixels), range(0, 6));
    }
}

TEST(GenerateCharacters, AGlyphWiderThanTheCornerIsCutBeforeAlignment) {
    Generated g;
    g.raster.shapes[u'W'] = {{0, 2, 45, 12}};
    const CharSlot& wide = g.run('W', PostProcessing{});
    EXPECT_EQ(inkedColumns(wide.pixels), range(0, 31));
    EXPECT_EQ(wide.xSize, 32);

    // Ink beyond column 31 does not come back when the glyph moves left.
    Generated h;
    h.raster.shapes[u'M'] = {{20, 2, 45, 12}};
    const CharSlot& moved = h.run('M', PostProcessing{});
    EXPECT_EQ(inkedColumns(moved.pixels), range(0, 11));
    EXPECT_EQ(moved.xSize, 12);
}

TEST(GenerateCharacters, APixelIsInkWhenItHasNoBlue) {
    Generated g;
    g.raster.shapes[u'o'] = {{2, 2, 4, 4}};
    g.raster.ink = 0xFFFF00; // yellow: no blue
    EXPECT_EQ(inkedColumns(g.run('o', PostProcessing{}).pixels), range(0, 2));
    Generated h;
    h.raster.shapes[u'o'] = {{2, 2, 4, 4}};
    h.raster.ink = 0x000001;
    EXPECT_EQ(h.run('o', PostProcessing{}).pixels, PixelMatrix{});
}

TEST(GenerateCharacters, OnlyTheListedSlotsChange) {
    Generated g;
    g.font->slots[0].name = "keep";
    g.raster.shapes[u'A'] = {{1, 1, 3, 3}};
    g.run('A', PostProcessing{});
    EXPECT_EQ(g.font->slots[0].name, "keep");
    EXPECT_FALSE(g.font->slots['B'].defined());
}

TEST(YOffsetText, EmptyOrNoNumberCountsZeroAndTheRestIsClamped) {
    EXPECT_EQ(yOffsetFromText("7"), 7);
    EXPECT_EQ(yOffsetFromText("-5"), -5);
    EXPECT_EQ(yOffsetFromText("40"), 32);
    EXPECT_EQ(yOffsetFromText("-99"), -32);
    EXPECT_EQ(yOffsetFromText(""), 0);
    EXPECT_EQ(yOffsetFromText("-"), 0);
    EXPECT_EQ(yOffsetFromText("abc"), 0);
    EXPECT_EQ(yOffsetFromText("99999999999"), 0);
}

TEST(FontGenerator, TheBaselineIsTheFontsAscentMovedByTheYOffsetWithinTheCell) {
    Generated g;
    g.raster.baselineRow = 13;
    g.run('A', PostProcessing{}, 4);
    EXPECT_EQ(fontBaseline(*g.font), 17);
    g.run('A', PostProcessing{}, -20);
    EXPECT_EQ(fontBaseline(*g.font), 1);
    g.run('A', PostProcessing{}, 30);
    EXPECT_EQ(fontBaseline(*g.font), kGeneratedYSize);
}
