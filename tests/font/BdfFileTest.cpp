// The BDF reader and writer on small hand-written fonts: where glyphs land,
// which codes they take in each charset, what is counted as cut and skipped,
// the refusals with their line numbers, and our own export read back.

#include "font/BdfFile.h"
#include "font/AutoSymbolName.h"
#include "font/BdfTestData.h"
#include "font/Cp1250.h"
#include "font/Iso8859_2.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// A font with the given header lines (properties and all) and glyphs.
std::string bdf(const std::string& properties, const std::string& glyphs,
                const std::string& box = "FONTBOUNDINGBOX 8 10 0 -2\n") {
    return "STARTFONT 2.1\n"
           "FONT -Test-Sample-Medium-R-Normal--10-100-75-75-C-80-ISO10646-1\n"
           "SIZE 10 75 75\n" +
           box + "STARTPROPERTIES 3\n" + properties + "ENDPROPERTIES\nCHARS 1\n" + glyphs +
           "ENDFONT\n";
}

const std::string kCell = "FONT_ASCENT 8\nFONT_DESCENT 2\n";

std::string glyph(int encoding, const std::string& dwidth, const std::string& bbx,
                  const std::string& rows) {
    return "STARTCHAR g\nENCODING " + std::to_string(encoding) + "\nSWIDTH 500 0\nDWIDTH " +
           dwidth + " 0\nBBX " + bbx + "\nBITMAP\n" + rows + "ENDCHAR\n";
}

struct Parsed {
    Result<> result;
    BdfImport imported;
};

Parsed parse(const std::string& text) {
    Parsed p;
    Result<BdfImport> parsed = parseBdf(text);
    p.result = parsed;
    if (parsed)
        p.imported = parsed.takeValue();
    return p;
}

// The ink of a slot as "x,y" pairs in column order.
std::vector<std::pair<int, int>> inkOf(const CharSlot& slot) {
    std::vector<std::pair<int, int>> ink;
    for (int x = 0; x < kMatrixEdge; ++x)
        for (int y = 0; y < kMatrixEdge; ++y)
            if (slot.pixels[pixelIndex(x, y)] == 1)
                ink.push_back({x, y});
    return ink;
}

std::vector<int> definedCodes(const FontModel& font) {
    std::vector<int> codes;
    for (int code = 0; code < kCodeCount; ++code)
        if (font.slots[code].defined())
            codes.push_back(code);
    return codes;
}

using Ink = std::vector<std::pair<int, int>>;

} // namespace

TEST(BdfImport, GlyphsLandAtTheirBbxOffsetsBelowTheAscentLine) {
    // Row 0 is the ascent line (8 rows above the baseline); a 3x2 glyph with
    // its bottom 1 row above the baseline at x offset 2 takes rows 5-6.
    const auto p = parse(
        bdf("FAMILY_NAME \"Sample Mono\"\n" + kCell,
            glyph('A', "6", "3 2 2 1", "A0\n40\n") + glyph('g', "5", "2 3 0 -2", "C0\n40\n80\n")));
    ASSERT_TRUE(p.result) << p.result.describe().toStdString();
    const FontModel& font = *p.imported.font;
    EXPECT_EQ(font.ySize, 10);
    EXPECT_EQ(fontBaseline(font), 8) << "FONT_ASCENT rows above the baseline";
    EXPECT_EQ(font.fontIdentifier, "Sample_Mono");
    EXPECT_EQ(font.slots['A'].name, "UA");
    EXPECT_EQ(font.slots['A'].xSize, 6);
    EXPECT_EQ(inkOf(font.slots['A']), (Ink{{2, 5}, {3, 6}, {4, 5}}));
    // Descends 2 below the baseline: rows 7-9, the cell's last.
    EXPECT_EQ(font.slots['g'].name, "lg");
    EXPECT_EQ(inkOf(font.slots['g']), (Ink{{0, 7}, {0, 9}, {1, 7}, {1, 8}}));
    EXPECT_EQ(definedCodes(font), (std::vector<int>{'A', 'g'}));
    EXPECT_EQ(p.imported.counts.taken, 2);
    EXPECT_EQ(p.imported.counts.cut, 0);
    EXPECT_EQ(p.imported.counts.skipped, 0);
    // A new font for "Save font" to ask where to put.
    EXPECT_TRUE(font.fontModified);
    EXPECT_FALSE(font.characterModified);
    EXPECT_EQ(font.currentIndex, 0);
    EXPECT_EQ(font.currentFileName, "");
    EXPECT_EQ(font.slots[kBlankSlot].name, "blank");
    EXPECT_EQ(font.slots[kBlankSlot].xSize, kDefaultXSize);
}

TEST(BdfImport, FontBoundingBoxGivesTheCellWhenTheMetricPropertiesAreMissing) {
    // 10 high, bottom 2 below the baseline: ascent 8.
    auto p = parse(bdf("", glyph('A', "6", "1 1 0 0", "80\n")));
    ASSERT_TRUE(p.result) << p.result.describe().toStdString();
    EXPECT_EQ(p.imported.font->ySize, 10);
    EXPECT_EQ(fontBaseline(*p.imported.font), 8) << "the box's top";
    EXPECT_EQ(inkOf(p.imported.font->slots['A']), (Ink{{0, 7}}));
    // One property present: it counts, the box gives the other.
    p = parse(bdf("FONT_ASCENT 9\n", glyph('A', "6", "1 1 0 0", "80\n")));
    ASSERT_TRUE(p.result);
    EXPECT_EQ(p.imported.font->ySize, 11);
    EXPECT_EQ(inkOf(p.imported.font->slots['A']), (Ink{{0, 8}}));
    // The properties win over the box.
    p = parse(bdf("FONT_ASCENT 3\nFONT_DESCENT 1\n", glyph('A', "6", "1 1 0 0", "80\n")));
    ASSERT_TRUE(p.result);
    EXPECT_EQ(p.imported.font->ySize, 4);
    // Neither: nothing says how high the font is.
    p = parse(bdf("", glyph('A', "6", "1 1 0 0", "80\n"), ""));
    EXPECT_EQ(p.result.message.toStdString(),
              "Invalid BDF file!\nLine 6: CHARS before FONT_ASCENT and FONT_DESCENT or "
              "FONTBOUNDINGBOX give the height.");
}

TEST(BdfImport, XSizeIsTheDwidthKeptWithin1To32) {
    const auto p =
        parse(bdf(kCell, glyph('a', "0", "1 1 0 0", "80\n") + glyph('b', "40", "1 1 0 0", "80\n") +
                             glyph('c', "-3", "1 1 0 0", "80\n") +
                             // no DWIDTH: past its own ink
                             "STARTCHAR d\nENCODING 100\nBBX 3 1 2 0\nBITMAP\n20\nENDCHAR\n"));
    ASSERT_TRUE(p.result) << p.result.describe().toStdString();
    EXPECT_EQ(p.imported.font->slots['a'].xSize, 1);
    EXPECT_EQ(p.imported.font->slots['b'].xSize, 32);
    EXPECT_EQ(p.imported.font->slots['c'].xSize, 1);
    EXPECT_EQ(p.imported.font->slots['d'].xSize, 5);
}

TEST(BdfImport, InkOutsideTheCharacterIsCutAndCounted) {
    std::string tallRows;
    for (int i = 0; i < 12; ++i)
        tallRows += "80\n";
    std::string fullRows = "F0\n";
    for (int i = 0; i < 9; ++i)
        fullRows += "90\n";
    const auto p = parse(
        bdf(kCell,
            // 40 pixels wide: columns 32-39 cannot be held, the rest stays.
            glyph('W', "40", "40 1 0 0", "FFFFFFFFFF\n") +
                // From 3 below the baseline up: one row above the ascent line, one below the cell.
                glyph('T', "4", "1 12 0 -3", tallRows) +
                // One column left of column 0.
                glyph('L', "4", "2 1 -1 0", "C0\n") +
                // Beyond the DWIDTH: kept in the matrix, though not visible.
                glyph('O', "2", "4 1 0 0", "F0\n") +
                // The whole cell and nothing more: not cut.
                glyph('F', "4", "4 10 0 -2", fullRows)));
    ASSERT_TRUE(p.result) << p.result.describe().toStdString();
    const FontModel& font = *p.imported.font;
    EXPECT_EQ(p.imported.counts.taken, 5);
    EXPECT_EQ(p.imported.counts.cut, 4);
    EXPECT_EQ(p.imported.counts.skipped, 0);
    EXPECT_EQ(font.slots['W'].xSize, 32);
    EXPECT_EQ(inkOf(font.slots['W']).size(), 32u);
    // Row -1 is lost; row 10 lies below the 10-row cell but within the matrix.
    Ink tallInk;
    for (int y = 0; y <= 10; ++y)
        tallInk.push_back({0, y});
    EXPECT_EQ(inkOf(font.slots['T']), tallInk);
    EXPECT_EQ(inkOf(font.slots['L']), (Ink{{0, 7}}));
    EXPECT_EQ(inkOf(font.slots['O']), (Ink{{0, 7}, {1, 7}, {2, 7}, {3, 7}}));
    EXPECT_EQ(font.slots['O'].xSize, 2);
    EXPECT_EQ(inkOf(font.slots['F']).size(), 4u + 9u * 2u);
}

TEST(BdfImport, CodesComeThroughTheCharsetOfTheFont) {
    // Glyphs for U+010C (C caron, Windows-1250 0xC8), U+00E8 (e grave, not in
    // Windows-1250), U+0160 (S caron, 0x8A), U+0100 (not in it), 0x41 and a
    // glyph with no standard code.
    const std::string glyphs =
        glyph(0x10C, "5", "1 1 0 0", "80\n") + glyph(0xE8, "5", "1 1 0 0", "80\n") +
        glyph(0x160, "5", "1 1 0 0", "80\n") + glyph(0x100, "5", "1 1 0 0", "80\n") +
        glyph(0x41, "5", "1 1 0 0", "80\n") +
        "STARTCHAR x\nENCODING -1 7\nDWIDTH 5 0\nBBX 1 1 0 0\nBITMAP\n"
        "80\nENDCHAR\n";
    struct Case {
        std::string registry;
        std::vector<int> codes;
        int skipped;
    };
    const std::vector<Case> cases = {
        {"CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n", {0x41, 0x8A, 0xC8}, 3},
        {"CHARSET_REGISTRY \"iso10646\"\n", {0x41, 0x8A, 0xC8}, 3},
        // Latin-1 bytes are their Unicode values: 0xE8 is e grave, not in Windows-1250.
        {"CHARSET_REGISTRY \"ISO8859\"\nCHARSET_ENCODING \"1\"\n", {0x41}, 5},
        // Latin-2 0xE8 is c caron, Windows-1250 0xE8.
        {"CHARSET_REGISTRY \"ISO8859\"\nCHARSET_ENCODING \"2\"\n", {0x41, 0xE8}, 4},
        // Without a registry, and with one we do not know, ENCODING is the code.
        {"", {0x41, 0xE8}, 4},
        {"CHARSET_REGISTRY \"FontSpecific\"\n", {0x41, 0xE8}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registry);
        const auto p = parse(bdf(kCell + c.registry, glyphs));
        ASSERT_TRUE(p.result) << p.result.describe().toStdString();
        EXPECT_EQ(definedCodes(*p.imported.font), c.codes);
        EXPECT_EQ(p.imported.counts.skipped, c.skipped);
        for (const int code : c.codes)
            EXPECT_EQ(p.imported.font->slots[code].name, autoSymbolName(code));
    }
    // Latin-2 0xB1 (a ogonek) is Windows-1250 0xB9; 0xA9 (S caron) is 0x8A.
    const auto p =
        parse(bdf(kCell + "CHARSET_REGISTRY \"ISO8859\"\nCHARSET_ENCODING \"2\"\n",
                  glyph(0xB1, "5", "1 1 0 0", "80\n") + glyph(0xA9, "5", "1 1 0 0", "80\n")));
    ASSERT_TRUE(p.result);
    EXPECT_EQ(definedCodes(*p.imported.font), (std::vector<int>{0x8A, 0xB9}));
}

TEST(BdfImport, TheFirstGlyphOfACodeWinsAndLaterOnesAreSkipped) {
    const auto p =
        parse(bdf(kCell, glyph('A', "3", "1 1 0 0", "80\n") + glyph('A', "7", "1 1 1 0", "80\n")));
    ASSERT_TRUE(p.result);
    EXPECT_EQ(p.imported.font->slots['A'].xSize, 3);
    EXPECT_EQ(inkOf(p.imported.font->slots['A']), (Ink{{0, 7}}));
    EXPECT_EQ(p.imported.counts.taken, 1);
    EXPECT_EQ(p.imported.counts.skipped, 1);
}

TEST(BdfImport, ToleratesWhatRealFilesContain) {
    // CR LF line ends, comments and blank lines anywhere outside bitmaps,
    // unknown keywords, lower-case hex, zero-sized glyphs, text after ENDFONT.
    std::string text = bdf("COMMENT inside\n" + kCell + "COPYRIGHT \"a \"\"quoted\"\" word\"\n",
                           "\nSTARTCHAR space\nENCODING 32\nSWIDTH 500 0\nDWIDTH 4 0\n"
                           "BBX 0 0 0 0\nBITMAP\nENDCHAR\n"
                           "COMMENT between\n" +
                               glyph('b', "5", "9 1 0 0", "ff80\n")) +
                       "anything\n";
    std::string crlf;
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    for (const std::string& t : {text, crlf}) {
        const auto p = parse(t);
        ASSERT_TRUE(p.result) << p.result.describe().toStdString();
        EXPECT_EQ(definedCodes(*p.imported.font), (std::vector<int>{' ', 'b'}));
        EXPECT_EQ(p.imported.font->slots[' '].xSize, 4);
        EXPECT_EQ(inkOf(p.imported.font->slots['b']).size(), 9u);
    }
}

TEST(BdfImport, RefusesMalformedFilesWithTheLineNumber) {
    const std::string start = "STARTPROPERTIES 2\n" + kCell + "ENDPROPERTIES\nCHARS 1\n";
    // Lines 1-6, so the first glyph starts on line 7.
    const std::string top = "STARTFONT 2.1\n" + start;
    const std::string ok = "STARTCHAR A\nENCODING 65\nDWIDTH 5 0\nBBX 9 2 0 0\nBITMAP\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"", "Line 1: the file does not begin with STARTFONT."},
        {"STARTFONTS\n", "Line 1: the file does not begin with STARTFONT."},
        {top + ok + "FF80\n0000\nSTARTCHAR B\n", "Line 14: ENDCHAR is missing before STARTCHAR."},
        {top + ok + "FF80\n0000\nENDFONT\n", "Line 14: ENDCHAR is missing before ENDFONT."},
        {top + ok + "FF80\n0000\n", "Line 13: the file ends without ENDCHAR."},
        {top + ok + "FF80\nENDCHAR\n", "Line 13: ENDCHAR after 1 of 2 bitmap rows (BBX height)."},
        {top + ok + "FF80\n0000\n0000\nENDCHAR\n",
         "Line 14: ENDCHAR expected after 2 bitmap rows (BBX height)."},
        {top + ok + "FF8\n", "Line 12: the bitmap row has 3 hex digits, BBX width 9 needs 4."},
        {top + ok + "FF800\n", "Line 12: the bitmap row has 5 hex digits, BBX width 9 needs 4."},
        {top + ok + "FFG0\n", "Line 12: 'FFG0' is not a bitmap row of hex digits."},
        {top + ok + "FF80\n0000\nENDCHAR\n", "Line 14: the file ends without ENDFONT."},
        {top + "STARTCHAR A\nENCODING 65\nBITMAP\n", "Line 9: BITMAP before BBX."},
        // A damaged STARTCHAR, which would lose its glyph.
        {top + "STARTCHR A\n" + ok, "Line 7: 'STARTCHR' where STARTCHAR or ENDFONT is expected."},
        {top + std::string(1, '\0') + "STARTCHAR A\n" + ok,
         "Line 7: '\\x00STARTCHAR' is no keyword: it holds a control character."},
        {top + "STARTCHAR A\nENCODING 65\nBBX 1 1 0 0\nENDCHAR\n",
         "Line 10: ENDCHAR before BITMAP."},
        {top + "STARTCHAR A\nENCODING 65\nBBX 40000 1 0 0\n",
         "Line 9: BBX: 40000 is out of range (0 to 32767)."},
        {top + "STARTCHAR A\nENCODING 65\nBBX -1 1 0 0\n",
         "Line 9: BBX: -1 is out of range (0 to 32767)."},
        {top + "STARTCHAR A\nENCODING 99999999999999999999\n",
         "Line 8: ENCODING: 99999999999999999999 is out of range (-1 to 2147483647)."},
        {top + "STARTCHAR A\nENCODING -2\n",
         "Line 8: ENCODING: -2 is out of range (-1 to 2147483647)."},
        {top + "STARTCHAR A\nENCODING 6x\n", "Line 8: ENCODING: '6x' is not a number."},
        {top + "STARTCHAR A\nENCODING\n", "Line 8: ENCODING needs a number."},
        {top + "STARTCHAR A\nBBX 1 1 0\n", "Line 8: BBX needs 4 numbers."},
        {top + "STARTCHAR A\nDWIDTH 5\n", "Line 8: DWIDTH needs 2 numbers."},
        {"STARTFONT 2.1\nSTARTPROPERTIES 1\nFONT_ASCENT eight\n",
         "Line 3: FONT_ASCENT: 'eight' is not a number."},
        {"STARTFONT 2.1\nSTARTPROPERTIES 1\nFAMILY_NAME \"open\n",
         "Line 3: FAMILY_NAME: the string has no closing quote."},
        {"STARTFONT 2.1\nSTARTPROPERTIES 1\nFONT_ASCENT 8\nCHARS 0\n",
         "Line 4: ENDPROPERTIES is missing before CHARS."},
        {"STARTFONT 2.1\nSTARTPROPERTIES 1\n", "Line 2: the file ends before ENDPROPERTIES."},
        {"STARTFONT 2.1\nFONTBOUNDINGBOX 8 8 0 0\nSTARTCHAR A\n",
         "Line 3: STARTCHAR before CHARS."},
        {"STARTFONT 2.1\nFONTBOUNDINGBOX 8 8 0 0\n", "Line 2: the file ends before CHARS."},
        {"STARTFONT 2.1\nFONTBOUNDINGBOX 8 0 0 0\nCHARS 0\n",
         "Line 3: the font is 0 pixels high (FONT_ASCENT + FONT_DESCENT)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Result<BdfImport> result = parseBdf(c.text);
        EXPECT_EQ(result.failure, Failure::InvalidFormat);
        EXPECT_EQ(result.message.toStdString(), "Invalid BDF file!\n" + c.message);
    }
}

TEST(BdfImport, RefusesAFontTallerThan32PixelsWithItsHeight) {
    const Result<BdfImport> tall = parseBdf(bdf("FONT_ASCENT 30\nFONT_DESCENT 10\n", ""));
    EXPECT_EQ(tall.failure, Failure::InvalidFormat);
    EXPECT_EQ(tall.message.toStdString(),
              "The BDF font is 40 pixels high!\nCharacters can be at most 32 pixels high.");
    // 32 is fine.
    const Result<BdfImport> highest = parseBdf(bdf("FONT_ASCENT 30\nFONT_DESCENT 2\n", ""));
    ASSERT_TRUE(highest);
    EXPECT_EQ(highest->font->ySize, 32);
}

TEST(BdfImport, AFailedImportLeavesAnEarlierImportAsItWas) {
    const Result<BdfImport> earlier = parseBdf(bdf(kCell, glyph('A', "3", "1 1 0 0", "80\n")));
    ASSERT_TRUE(earlier);
    EXPECT_FALSE(parseBdf(bdf(kCell, glyph('A', "3", "1 1 0 0", "8\n"))));
    EXPECT_EQ(earlier->counts.taken, 1);
    EXPECT_TRUE(earlier->font->slots['A'].defined());
}

TEST(BdfImport, FilesThatCannotBeReadOrAreTooLargeAreRefused) {
    QTemporaryDir dir;
    Result<> result = importBdfFile(dir.filePath("missing.bdf"));
    EXPECT_EQ(result.failure, Failure::CannotOpen);
    EXPECT_EQ(result.message, "Can't open BDF file!");
    EXPECT_FALSE(result.reason.isEmpty());

    // A sparse file just over the limit is refused before it is parsed.
    QFile large(dir.filePath("large.bdf"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    large.write("STARTFONT 2.1\n");
    ASSERT_TRUE(large.resize(static_cast<qint64>(kLongestBdfFile) + 1));
    large.close();
    result = importBdfFile(large.fileName());
    EXPECT_EQ(result.failure, Failure::InvalidFormat);
    EXPECT_EQ(result.message, "BDF file is too large!\nThe limit is 64 MB.");

    writeFileBytes(dir.filePath("ok.bdf"), bdf(kCell, glyph('A', "3", "1 1 0 0", "80\n")));
    const Result<BdfImport> imported = importBdfFile(dir.filePath("ok.bdf"));
    ASSERT_TRUE(imported);
    EXPECT_TRUE(imported->font->slots['A'].defined());
}

TEST(BdfImport, SummaryNamesTakenCutAndSkipped) {
    EXPECT_EQ(bdfImportSummary({219, 2, 4558}),
              "BDF import: 219 glyphs taken, 2 cut, 4558 skipped");
}

TEST(BdfImport, FamilyNameBecomesACIdentifier) {
    EXPECT_EQ(identifierFromFamilyName("Fixed"), "Fixed");
    EXPECT_EQ(identifierFromFamilyName("DejaVu Sans Mono"), "DejaVu_Sans_Mono");
    EXPECT_EQ(identifierFromFamilyName("  Terminus (TTF) - bold "), "Terminus_TTF_bold");
    EXPECT_EQ(identifierFromFamilyName("9x15"), "font_9x15");
    EXPECT_EQ(identifierFromFamilyName("int"), "font_int");
    EXPECT_EQ(identifierFromFamilyName("snake_case_"), "snake_case");
    EXPECT_EQ(identifierFromFamilyName("\xC8"
                                       "esk\xE1"),
              "esk");
    EXPECT_EQ(identifierFromFamilyName(""), "");
    EXPECT_EQ(identifierFromFamilyName(std::string(300, 'a')).size(), 255u);
}

TEST(Iso8859_2, MatchesQtsCodecForEveryByte) {
    for (int byte = 0; byte < 256; ++byte) {
        QStringDecoder decoder("ISO-8859-2");
        const char c = static_cast<char>(byte);
        const QString expected = decoder.decode(QByteArrayView(&c, 1));
        ASSERT_EQ(expected.size(), 1);
        EXPECT_EQ(iso8859_2ToUnicode(static_cast<std::uint8_t>(byte)), expected[0].unicode())
            << "byte " << byte;
    }
}

TEST(BdfExport, ReadingOurExportGivesBackEveryDefinedCharacter) {
    for (const int ySize : {1, 2, 9, 16, 31, 32}) {
        SCOPED_TRACE(ySize);
        const FontModel font = bdfExportFont(ySize, static_cast<unsigned>(ySize));
        const Result<BdfImport> imported = parseBdf(serializeBdf(font, font.fontIdentifier));
        ASSERT_TRUE(imported) << imported.describe().toStdString();
        const FontModel& back = *imported->font;
        EXPECT_EQ(back.ySize, ySize);
        EXPECT_EQ(back.fontIdentifier, "fnt_bdf");
        EXPECT_EQ(definedCodes(back), definedCodes(font));
        EXPECT_EQ(imported->counts.cut, 0);
        EXPECT_EQ(imported->counts.skipped, 0);
        for (const int code : definedCodes(font)) {
            const CharSlot& ours = font.slots[code];
            const CharSlot& theirs = back.slots[code];
            EXPECT_EQ(theirs.xSize, ours.xSize) << code;
            EXPECT_EQ(theirs.name, autoSymbolName(code));
            for (int x = 0; x < kMatrixEdge; ++x)
                for (int y = 0; y < kMatrixEdge; ++y) {
                    // Inside the character the same; outside nothing comes back.
                    const bool inside = x < ours.xSize && y < ySize;
                    ASSERT_EQ(pixelSet(theirs.pixels, x, y), inside && pixelSet(ours.pixels, x, y))
                        << "code " << code << " pixel " << x << "," << y;
                }
        }
        // The BlankSlot stays ours: the default one comes back.
        EXPECT_EQ(back.slots[kBlankSlot].xSize, kDefaultXSize);
        EXPECT_TRUE(inkOf(back.slots[kBlankSlot]).empty());
    }
}

TEST(BdfExport, WritesTheHeaderAndOneGlyphPerDefinedCode) {
    FontModel font;
    font.ySize = 3;
    font.slots[0x8A].name = "USh";
    font.slots[0x8A].xSize = 9;
    font.slots[0x8A].pixels[pixelIndex(0, 0)] = 1;
    font.slots[0x8A].pixels[pixelIndex(8, 2)] = 1;
    font.slots[0x8A].pixels[pixelIndex(9, 1)] = 1; // outside: not written
    font.slots[7].name = "bel \xE1";               // one word of printable ASCII
    font.slots[7].xSize = 3;
    const std::string text = serializeBdf(font, "my-font\xE9");
    EXPECT_EQ(text, "STARTFONT 2.1\n"
                    "FONT -Zelvik-my_font_-Medium-R-Normal--3-30-72-72-P-60-ISO10646-1\n"
                    "SIZE 3 72 72\n"
                    "FONTBOUNDINGBOX 9 3 0 0\n"
                    "STARTPROPERTIES 16\n"
                    "FOUNDRY \"Zelvik\"\n"
                    "FAMILY_NAME \"my_font_\"\n"
                    "WEIGHT_NAME \"Medium\"\n"
                    "SLANT \"R\"\n"
                    "SETWIDTH_NAME \"Normal\"\n"
                    "ADD_STYLE_NAME \"\"\n"
                    "PIXEL_SIZE 3\n"
                    "POINT_SIZE 30\n"
                    "RESOLUTION_X 72\n"
                    "RESOLUTION_Y 72\n"
                    "SPACING \"P\"\n"
                    "AVERAGE_WIDTH 60\n"
                    "CHARSET_REGISTRY \"ISO10646\"\n"
                    "CHARSET_ENCODING \"1\"\n"
                    "FONT_ASCENT 3\n"
                    "FONT_DESCENT 0\n"
                    "ENDPROPERTIES\n"
                    "CHARS 2\n"
                    "STARTCHAR bel__\n"
                    "ENCODING 7\n"
                    "SWIDTH 1000 0\n"
                    "DWIDTH 3 0\n"
                    "BBX 3 3 0 0\n"
                    "BITMAP\n"
                    "00\n"
                    "00\n"
                    "00\n"
                    "ENDCHAR\n"
                    "STARTCHAR USh\n"
                    "ENCODING 352\n"
                    "SWIDTH 3000 0\n"
                    "DWIDTH 9 0\n"
                    "BBX 9 3 0 0\n"
                    "BITMAP\n"
                    "8000\n"
                    "0000\n"
                    "0080\n"
                    "ENDCHAR\n"
                    "ENDFONT\n");
}

TEST(BdfExport, TheCellStandsOnTheFontsBaseline) {
    FontModel font = bdfExportFont(13);
    setFontBaseline(font, 10);
    const std::string text = serializeBdf(font, font.fontIdentifier);
    for (const char* line : {"\nFONTBOUNDINGBOX 32 13 0 -3\n", "\nFONT_ASCENT 10\n",
                             "\nFONT_DESCENT 3\n", "\nBBX 4 13 0 -3\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    const Result<BdfImport> imported = parseBdf(text);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->font->ySize, 13);
    EXPECT_EQ(fontBaseline(*imported->font), 10);
    EXPECT_EQ(inkOf(imported->font->slots['A']).front(), (std::pair<int, int>{0, 0}))
        << "the cell's top row stays row 0";
}

TEST(BdfExport, RefusesAFontWithoutCharactersAndReportsWriteFailures) {
    QTemporaryDir dir;
    FontModel font; // only the BlankSlot is defined
    Result<> result = exportBdfFile(dir.filePath("empty.bdf"), font, "x");
    EXPECT_EQ(result.failure, Failure::Refused);
    EXPECT_EQ(result.message, "Can't export BDF file!\nThe font has no characters to export.");
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.bdf")));

    font.slots['A'].name = "UA";
    result = exportBdfFile(dir.filePath("no/such/folder/a.bdf"), font, "x");
    EXPECT_EQ(result.failure, Failure::CannotCreate);
    EXPECT_EQ(result.message, "Can't create BDF file!");
    EXPECT_FALSE(result.reason.isEmpty());

    ASSERT_TRUE(exportBdfFile(dir.filePath("a.bdf"), font, "x"));
    EXPECT_EQ(readFileBytes(dir.filePath("a.bdf")), serializeBdf(font, "x"));
}

// The BDF fuzzer starts from our own exports (and from the real fonts the
// tool tests convert).
TEST(BdfSeedCorpus, WritesOurExports) {
    const QString folder = QStringLiteral(ZELVIK_BDF_SEED_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const int ySize : {1, 7, 16, 32}) {
        const FontModel font = bdfExportFont(ySize, static_cast<unsigned>(ySize) + 100);
        const std::string bytes = serializeBdf(font, font.fontIdentifier);
        ASSERT_TRUE(parseBdf(bytes));
        writeFileBytes(QDir(folder).filePath(QStringLiteral("ours-y%1.bdf").arg(ySize)), bytes);
    }
}
