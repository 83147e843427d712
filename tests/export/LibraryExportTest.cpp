// The Adafruit GFX, u8g2 and LVGL exports, read back the way the libraries
// read them: every glyph must show its cell's pixels at the place the
// baseline gives, and what a format cannot hold is refused before anything
// is written.

#include "LibraryFonts.h"

#include "export/ExportFiles.h"
#include "font/Cp1250.h"
#include "font/FontFile.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// A font whose one glyph is a 32 by 32 square of ink at the given pixels, or
// full when none are given.
FontModel squareFont(std::initializer_list<std::pair<int, int>> ink) {
    FontModel font = newExportFont("square");
    font.ySize = 32;
    defineCharacter(font, 'A', "A", 32, ink);
    if (ink.size() == 0)
        font.slots['A'].pixels.fill(1);
    return font;
}

TEST(GfxExport, EveryCodeFromTheFirstToTheLastShowsItsCellOrTheBlankSlot) {
    const FontModel font = drawnLibraryFont();
    const GfxFont gfx = parseGfx(generateLibrary(ExportTarget::Gfx, font).source);
    ASSERT_EQ(gfx.first, ' ');
    ASSERT_EQ(gfx.last, 0xE8);
    ASSERT_EQ(gfx.glyphs.size(), static_cast<std::size_t>(0xE8 - ' ' + 1));
    EXPECT_EQ(gfx.yAdvance, font.ySize);
    const int cursorY = libraryBaseline(font) - 1;
    for (int code = gfx.first; code <= gfx.last; ++code) {
        SCOPED_TRACE(code);
        const int slot = font.slots[code].defined() ? code : kBlankSlot;
        const int width = font.slots[slot].xSize;
        const DecodedGlyph drawn = drawGfx(gfx, code, width, font.ySize, cursorY);
        EXPECT_FALSE(drawn.outside);
        EXPECT_EQ(drawn.advance, width);
        EXPECT_EQ(drawn.picture, cellPicture(font, slot));
    }
}

TEST(GfxExport, GlyphsStandOnTheFontsOwnBaseline) {
    FontModel font = drawnLibraryFont();
    setFontBaseline(font, 9);
    ASSERT_EQ(libraryBaseline(font), 9);
    const GfxFont gfx = parseGfx(generateLibrary(ExportTarget::Gfx, font).source);
    for (const int code : {'A', 'g', '('}) {
        SCOPED_TRACE(code);
        const DecodedGlyph drawn = drawGfx(gfx, code, font.slots[code].xSize, font.ySize, 8);
        EXPECT_FALSE(drawn.outside);
        EXPECT_EQ(drawn.picture, cellPicture(font, code));
    }
}

TEST(U8g2Export, EveryDefinedCodeIsFoundByItsCharacterAndShowsItsCell) {
    const FontModel font = drawnLibraryFont();
    const GeneratedFiles files = generateLibrary(ExportTarget::U8g2, font, "drawn_font");
    int declared = -1;
    U8g2Font u8g2(parseU8g2(files.source, &declared));
    const std::vector<std::uint8_t> bytes = parseU8g2(files.source, &declared);
    EXPECT_EQ(declared, static_cast<int>(bytes.size()));
    EXPECT_EQ(files.flashBytes, declared);
    EXPECT_NE(files.header.find("extern const uint8_t drawn[" + std::to_string(declared) + "];"),
              std::string::npos)
        << files.header;
    EXPECT_NE(files.source.find("#include \"drawn_font.h\""), std::string::npos);

    const int baseline = libraryBaseline(font);
    int defined = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        SCOPED_TRACE(code);
        const char32_t unicode = cp1250ToUnicode(keyByte(code));
        const std::size_t data = u8g2.find(unicode);
        if (!font.slots[code].defined()) {
            EXPECT_EQ(data, 0u);
            continue;
        }
        ++defined;
        ASSERT_NE(data, 0u);
        const DecodedGlyph drawn = u8g2.draw(data, font.slots[code].xSize, font.ySize, baseline);
        EXPECT_FALSE(drawn.outside);
        EXPECT_EQ(drawn.advance, font.slots[code].xSize);
        EXPECT_EQ(drawn.picture, cellPicture(font, code));
    }
    EXPECT_EQ(u8g2.header(0), defined);
    // 'A' reaches from row 1 to row 8, 'g' down to row 11, '(' spans the cell.
    EXPECT_EQ(u8g2.signedHeader(13), baseline - 1);
    EXPECT_EQ(u8g2.signedHeader(14), baseline - 12);
    EXPECT_EQ(u8g2.signedHeader(15), baseline);
    EXPECT_EQ(u8g2.signedHeader(16), baseline - 12);
}

TEST(U8g2Export, RunLengthWidthsAreTheOnesGivingTheSmallestFont) {
    // All ink: one run of 1024; the widest run of ones (6 bits) costs least.
    int declared = 0;
    U8g2Font solid(
        parseU8g2(generateLibrary(ExportTarget::U8g2, squareFont({})).source, &declared));
    EXPECT_EQ(solid.header(2), 2);
    EXPECT_EQ(solid.header(3), 6);
    // Four corners: 960 background pixels between the top and the bottom row
    // in runs of 63, 127 or 255 give fonts of one size; the converter's
    // search keeps the first of them. Each single ink pixel takes 2 bits.
    U8g2Font corners(parseU8g2(
        generateLibrary(ExportTarget::U8g2, squareFont({{0, 0}, {31, 0}, {0, 31}, {31, 31}}))
            .source,
        &declared));
    EXPECT_EQ(corners.header(2), 6);
    EXPECT_EQ(corners.header(3), 2);
}

class LibraryExportFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    bool folderEmpty() const { return QDir(dir.path()).isEmpty(); }
    QTemporaryDir dir;
};

TEST_F(LibraryExportFiles, WhatTheFormatCannotHoldIsRefusedAndNothingIsWritten) {
    const ExportPaths u8g2Paths{path("f.c"), path("f.h")};
    for (ExportTarget target : {ExportTarget::Gfx, ExportTarget::U8g2, ExportTarget::Lvgl}) {
        SCOPED_TRACE(static_cast<int>(target));
        const ExportPaths paths =
            target == ExportTarget::U8g2 ? u8g2Paths : ExportPaths{path("f.c"), {}};
        FontModel empty = newExportFont("fnt");
        Result<> r = exportFont(empty, "fnt", target, {}, paths);
        EXPECT_EQ(r.failure, Failure::Refused);
        EXPECT_TRUE(r.message.contains("no defined character")) << r.message.toStdString();

        FontModel font = drawnLibraryFont("9lives");
        r = exportFont(font, "9lives", target, {}, paths);
        EXPECT_TRUE(r.message.contains("\"9lives\" is not a C identifier"))
            << r.message.toStdString();
        EXPECT_EQ(font.fontIdentifier, "9lives");
    }
    // ".#.##" over and over: a run pair of at least 5 bits for every 2.5
    // pixels, none repeating the one before: more than a record holds.
    FontModel checker = squareFont({});
    for (int i = 0; i < 1024; ++i)
        checker.slots['A'].pixels[pixelIndex(i % 32, i / 32)] = (i % 5 == 0 || i % 5 == 2) ? 0 : 1;
    const Result<> r = exportFont(checker, "square", ExportTarget::U8g2, {}, u8g2Paths);
    EXPECT_EQ(r.failure, Failure::Refused);
    EXPECT_TRUE(
        r.message.startsWith("Can't generate u8g2 font!\nThe character #65  'A' - A takes "))
        << r.message.toStdString();
    EXPECT_TRUE(folderEmpty());
}

TEST_F(LibraryExportFiles, ZelvikCliPrintsTheFlashSizeOfEveryTarget) {
    FontModel font = drawnLibraryFont("drawn");
    for (int code = '0'; code <= 'z'; ++code)
        if (!font.slots[code].defined())
            defineCharacter(font, code, "c" + std::to_string(code), 8, {{1, 1}});
    ASSERT_TRUE(writeFontFile(path("f.fnt"), FontFileVersion::V2, "drawn", font.ySize, font));

    // The assembler's own count, from its statistics block: over a thousand.
    CliRun run = runCli(
        {"export", path("f.fnt"), "--target", "c51", "--bytes", "vertical", "-o", path("f.a51")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::smatch m;
    const std::string a51 = readFileBytes(path("f.a51"));
    ASSERT_TRUE(std::regex_search(a51, m, std::regex(R"(Compiled file size: (\d+)B)")));
    EXPECT_EQ(run.err, flashSizeText(std::stoll(m[1])) + "\n");
    EXPECT_NE(run.err.find(','), std::string::npos) << run.err;

    run = runCli({"export", path("f.fnt"), "--target", "u8g2", "-o", path("u.c")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int declared = 0;
    parseU8g2(readFileBytes(path("u.c")), &declared);
    EXPECT_EQ(run.err, std::to_string(declared) + " bytes in flash\n");
    EXPECT_NE(readFileBytes(path("u.h")), "<missing>");
}

} // namespace
