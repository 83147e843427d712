// Imports of the display libraries' fonts: our own exports read back, small
// files in the shapes the libraries' own fonts take, and damaged files.
#include "export/LibraryFonts.h"
#include "font/CTokens.h"
#include "font/FontImport.h"

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// Every code from 0x20 up, 32 rows with the baseline at 25, glyphs of every
// width with ink in stripes.
FontModel patternFont() {
    FontModel font = newExportFont("pattern");
    font.ySize = 32;
    font.baseline = 25;
    for (int code = 0x20; code < kCodeCount; ++code) {
        defineCharacter(font, code, "c" + std::to_string(code), 1 + code % 32);
        for (int x = 0; x < font.slots[code].xSize; ++x)
            for (int y = 0; y < 32; ++y)
                if ((x * 7 + y * 3 + code) % 11 == 0)
                    font.slots[code].pixels[pixelIndex(x, y)] = 1;
    }
    return font;
}

void expectSameCharacters(const FontModel& ours, const FontImport& back) {
    ASSERT_TRUE(back.font);
    EXPECT_EQ(back.font->ySize, ours.ySize);
    EXPECT_EQ(fontBaseline(*back.font), fontBaseline(ours));
    EXPECT_EQ(back.font->fontIdentifier, ours.fontIdentifier);
    EXPECT_TRUE(back.font->fontModified);
    EXPECT_EQ(back.counts.cut, 0);
    for (int code = 0; code < kCodeCount; ++code) {
        if (!ours.slots[code].defined())
            continue;
        SCOPED_TRACE(code);
        EXPECT_TRUE(back.font->slots[code].defined());
        EXPECT_EQ(back.font->slots[code].xSize, ours.slots[code].xSize);
        EXPECT_EQ(cellPicture(*back.font, code), cellPicture(ours, code));
    }
}

// fontconvert's shape, by hand: '!' and '"' on the baseline, '#' reaching a
// row below it; decimal and hex numbers, comments, trailing commas.
const std::string kTinyGfx = R"(#pragma once
#include <Adafruit_GFX.h>

/* Tiny: 3 characters */
const uint8_t TinyBitmaps[] PROGMEM = {
  0xF8, 0x57, 0xDA, 220, };

const GFXglyph TinyGlyphs[] PROGMEM = {
  {     0,   1,   5,   2,    0,   -4 },   // 0x21 '!'
  {     1,   3,   5,   4,    0,   -4 },   // 0x22 '"'
  {     3,   2,   3,   3,    1,   -1 } }; // 0x23 '#'

const GFXfont Tiny PROGMEM = {
  (uint8_t  *)TinyBitmaps,
  (GFXglyph *)TinyGlyphs,
  0x21, 0x23, 7 };

// Approx. 25 bytes
)";

// bdfconv's shape, by hand: 'A' standing on the baseline, U+0161 (0x9A in
// Windows-1250) reaching a row below it, U+2192 outside Windows-1250.
const std::string kTinyU8g2 = R"(/*
  Fontname: tiny
  Glyphs: 3/3
  BBX Build Mode: 0
*/
#include "u8g2.h"
const uint8_t u8g2_font_tiny_tf[52] U8G2_FONT_SECTION("u8g2_font_tiny_tf") =
  "\3\0\2\2\2\3\1\3\4\3\6\0\377\5\377\5\377\0\0\0\0\0\11"
  "A\7\67\271j(\25\0\0"
  "\0\4\377\377\1a\10\363\230T\216\4!\222\6\247\231\1\0";
)";

} // namespace

TEST(LibraryImport, OurGfxAndU8g2ExportsReadBackAsTheyWereWritten) {
    for (const FontModel& font : {drawnLibraryFont(), patternFont()}) {
        SCOPED_TRACE(font.fontIdentifier);
        const Result<FontImport> gfx =
            readGfxFont(generateLibrary(ExportTarget::Gfx, font).source, {});
        ASSERT_TRUE(gfx);
        expectSameCharacters(font, *gfx);
        const Result<FontImport> u8g2 =
            readU8g2Font(generateLibrary(ExportTarget::U8g2, font).source, {});
        ASSERT_TRUE(u8g2);
        expectSameCharacters(font, *u8g2);
    }
}

TEST(LibraryImport, GfxCellStandsOnTheDeepestGlyphWithYAdvanceRows) {
    const Result<FontImport> read = readGfxFont(kTinyGfx, {});
    ASSERT_TRUE(read) << read.message.toStdString();
    const FontImport& tiny = *read;
    const FontModel& font = *tiny.font;
    EXPECT_EQ(font.fontIdentifier, "Tiny");
    EXPECT_EQ(font.ySize, 7);
    EXPECT_EQ(fontBaseline(font), 6);
    EXPECT_EQ(tiny.counts.taken, 3);
    EXPECT_EQ(font.slots['!'].name, "sexc");
    EXPECT_EQ(cellPicture(font, '!'), (Picture{"..", "#.", "#.", "#.", "#.", "#.", ".."}));
    EXPECT_EQ(cellPicture(font, '"'),
              (Picture{"....", ".#..", "#.#.", "###.", "#.#.", "#.#.", "...."}));
    EXPECT_EQ(cellPicture(font, '#'), (Picture{"...", "...", "...", "...", ".##", "..#", ".##"}));
}

TEST(LibraryImport, DamagedGfxHeadersAreRefusedWithTheirFault) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"0xDA, 220, };", "0xDA, };",
         "Invalid Adafruit GFX font!\nLine 11: the glyph of 0x23 reaches to byte 4 of the "
         "bitmaps, which hold 3."},
        {"0x21, 0x23, 7", "0x20, 0x23, 7",
         "Invalid Adafruit GFX font!\nLine 8: the glyph table has 3 glyphs; 0x20 to 0x23 are 4."},
        {"(GFXglyph *)TinyGlyphs", "(GFXglyph *)TinyGlyph",
         "Invalid Adafruit GFX font!\nLine 15: the array TinyGlyph is not in the file."},
        {"1,   -1 }", "1,   -200 }",
         "Invalid Adafruit GFX font!\nLine 11: glyph 2's yOffset is -200, out of range (-128 to "
         "127)."},
        {"0,   1,   5,   2,    0,   -4", "0, 1, 5, 2, 0",
         "Invalid Adafruit GFX font!\nLine 9: a glyph has 5 numbers instead of 6."},
        {"0xF8, 0x57", "0xF8 0x57",
         "Invalid Adafruit GFX font!\nLine 6: '0x57' where ',' or '}' is expected."},
        {"3 characters */", "3 characters",
         "Invalid Adafruit GFX font!\nLine 4: the comment has no end."},
    };
    for (const auto& [from, to, message] : cases) {
        std::string damaged = kTinyGfx;
        damaged.replace(damaged.find(from), from.size(), to);
        const Result<FontImport> read = readGfxFont(damaged, {});
        EXPECT_EQ(read.failure, Failure::InvalidFormat);
        EXPECT_EQ(read.message.toStdString(), message);
    }
}

TEST(LibraryImport, U8g2CellIsTheBoundingBoxAndCodesGoThroughWindows1250) {
    const Result<FontImport> read = readU8g2Font(kTinyU8g2, {});
    ASSERT_TRUE(read) << read.message.toStdString();
    const FontImport& tiny = *read;
    const FontModel& font = *tiny.font;
    EXPECT_EQ(font.fontIdentifier, "u8g2_font_tiny_tf");
    EXPECT_EQ(font.ySize, 6);
    EXPECT_EQ(fontBaseline(font), 5);
    EXPECT_EQ(tiny.counts.taken, 2);
    EXPECT_EQ(tiny.counts.skipped, 1);
    EXPECT_EQ(cellPicture(font, 'A'), (Picture{".#..", "#.#.", "###.", "#.#.", "#.#.", "...."}));
    EXPECT_EQ(cellPicture(font, 0x9A), (Picture{"....", "....", "#.#.", ".#..", ".##.", "##.."}));
}

TEST(LibraryImport, DamagedU8g2FontsAreRefusedWithTheirFault) {
    const std::string afterHeader = "\n  \"A";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        // The array cut after its header.
        {afterHeader, ";", "the font is cut short in the glyphs below 0x100."},
        {R"("\0\4\377)", R"("\1\4\377)", "the table of codes from 0x100 points outside the font."},
        {R"(A\7)", R"(A\4)", "the run-length stream of U+0041 ends early."},
        {R"("\3\0\2)", R"("\3\0\21)",
         "the header gives a field of 17 bits; at most 16 are possible."},
        {R"(\377\0\0\0\0\0\11)", R"(\377\1\0\0\0\0\11)",
         "the header's offset of 'A' points outside the font."},
    };
    for (const auto& [from, to, message] : cases) {
        std::string damaged = kTinyU8g2;
        const std::size_t at = damaged.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        const std::size_t length = from == afterHeader ? damaged.rfind(';') + 1 - at : from.size();
        damaged.replace(at, length, to);
        const Result<FontImport> read = readU8g2Font(damaged, {});
        EXPECT_EQ(read.failure, Failure::InvalidFormat);
        EXPECT_EQ(read.message.toStdString(), "Invalid u8g2 font!\nu8g2_font_tiny_tf: " + message);
    }
}

TEST(LibraryImport, GfxCodesAbove255AreSkippedAndInkBeyond32RowsIsCut) {
    // 16-bit first and last, the glyph table as one flat list of numbers.
    const std::string header = "const uint8_t TallBitmaps[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};\n"
                               "const GFXglyph TallGlyphs[] = {0, 1, 40, 2, 0, -35, 0, 0, 0, 3, "
                               "0, 1};\n"
                               "const GFXfont Tall = {(uint8_t *)TallBitmaps, (GFXglyph "
                               "*)TallGlyphs, 0x00FF, 0x0100, 42};\n";
    const Result<FontImport> read = readGfxFont(header, {});
    ASSERT_TRUE(read) << read.message.toStdString();
    const FontImport& tall = *read;
    EXPECT_EQ(tall.font->ySize, 32);
    EXPECT_EQ(tall.counts.taken, 1);
    EXPECT_EQ(tall.counts.cut, 1);
    EXPECT_EQ(tall.counts.skipped, 1);
    EXPECT_TRUE(pixelSet(tall.font->slots[0xFF].pixels, 0, 0));
}

TEST(LibraryImport, TheKindIsToldByContent) {
    const std::pair<std::string, std::string_view> kinds[] = {
        {kTinyU8g2, "u8g2"},
        {kTinyGfx, "Adafruit GFX"},
        {"STARTFONT 2.1\nFONTBOUNDINGBOX 1 1 0 0\nCHARS 0\nENDFONT\n", "BDF"},
    };
    for (const auto& [bytes, name] : kinds) {
        const Result<FontImport> read = importFontBytes(bytes, {});
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(read->kind->name, name);
    }

    const Result<FontImport> unknown = importFontBytes("const int x = 1;\n", {});
    EXPECT_EQ(unknown.message, kUnknownImportMessage);
}

TEST(CTokenReader, ReadsTheCOfFontSources) {
    const std::string source = "#define LONG \\\n  continued\n"
                               "x = 0x1F, 017, 42u, 'A', -3;\n"
                               "\"\\101\\0\\377\\x42\" /* between */ \"\\\"?\"\n  \"end\"";
    CTokenReader reader(source);
    std::vector<CToken> tokens;
    for (CToken t; reader.next(t, "Bad!") && t.kind != CTokenKind::End;)
        if (t.kind != CTokenKind::Comment)
            tokens.push_back(t);
    ASSERT_EQ(tokens.size(), 14u);
    EXPECT_EQ(tokens[0].text, "x");
    EXPECT_EQ(tokens[0].line, 3) << "the directive and its continued line are passed over";
    EXPECT_EQ(tokens[2].number, 0x1Fu);
    EXPECT_EQ(tokens[4].number, 017u);
    EXPECT_EQ(tokens[6].number, 42u);
    EXPECT_EQ(tokens[8].number, unsigned('A'));
    EXPECT_EQ(tokens[13].kind, CTokenKind::String);
    EXPECT_EQ(tokens[13].bytes, std::string("A\0\xFF"
                                            "B\"?end",
                                            9));

    CTokenReader open("\n\"no end\n");
    CToken t;
    EXPECT_EQ(open.next(t, "Bad!").message, "Bad!\nLine 2: the string has no closing quote.");
}

TEST(LibraryImport, GfxFontsOfOneFileArePickedByNameAndTheFirstFiveListed) {
    std::string six = kTinyGfx;
    for (const char* name : {"Two", "Three", "Four", "Five", "Six"}) {
        std::string copy = kTinyGfx;
        for (std::size_t at; (at = copy.find("Tiny")) != std::string::npos;)
            copy.replace(at, 4, name);
        six += copy;
    }
    Result<FontImport> read = readGfxFont(six, {});
    EXPECT_EQ(read.failure, Failure::Refused);
    EXPECT_EQ(read.message,
              "The Adafruit GFX file holds 6 fonts!\nName the one to import: Tiny, Two, Three, "
              "Four, Five, ...");
    read = readGfxFont(six, "Big");
    EXPECT_EQ(read.message, "The Adafruit GFX file holds no font Big!\nIts fonts: Tiny, Two, "
                            "Three, Four, Five, ...");
    read = readGfxFont(six, "Five");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->font->fontIdentifier, "Five");
}

TEST(LibraryImport, GfxReadingPassesOverTypesFunctionsAndDeclarationsWithoutValue) {
    std::string header = "typedef struct { uint16_t bitmapOffset; uint8_t width; } GFXglyph;\n"
                         "static void draw(int x) { if (x) { x = 2; } }\n"
                         "extern const GFXfont Other;\n" +
                         kTinyGfx;
    header.replace(header.find("(uint8_t  *)TinyBitmaps"), 23, "(uint8_t *)&TinyBitmaps[0]");
    const Result<FontImport> read = readGfxFont(header, {});
    ASSERT_TRUE(read) << read.message.toStdString();
    EXPECT_EQ(read->counts.taken, 3);
}

TEST(LibraryImport, AGfxCellNoteTheGlyphsDoNotFitIsPassedOver) {
    const FontModel font = drawnLibraryFont(); // the baseline under the bottom row
    std::string header = generateLibrary(ExportTarget::Gfx, font).source;
    const std::string note = "Cell: 12 rows, baseline 12 rows";
    ASSERT_NE(header.find(note), std::string::npos);
    header.replace(header.find(note), note.size(), "Cell: 12 rows, baseline 2 rows");
    const Result<FontImport> read = readGfxFont(header, {});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->font->ySize, 12);
    EXPECT_EQ(fontBaseline(*read->font), 12) << "standing on the deepest glyph";
}
