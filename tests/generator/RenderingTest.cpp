// The generator with a real font drawn by Qt's painter, and by FreeType for
// zelvik-cli: the glyphs must come out pure black and white, placed and sized
// by their ink, and the same either way.
#include "font/Cp1250.h"
#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"
#include "generator/FreeTypeGlyphRasterizer.h"
#include "generator/QtGlyphRasterizer.h"
#include "support/DejaVuSans.h"
#include "support/MissingTool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRawFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace zelvik;

namespace {

QFont dejaVu(const QString& family, int pixels, bool bold = false, bool italic = false) {
    QFont chosen(family);
    chosen.setBold(bold);
    chosen.setItalic(italic);
    return drawingFont(chosen, pixels);
}

std::unique_ptr<FontModel> generate(const QFont& font, const CodeSelection& codes,
                                    const PostProcessing& post = {}, int yOffset = 0) {
    auto model = std::make_unique<FontModel>();
    WorkingCharacter working;
    resetFont(*model, working);
    QtGlyphRasterizer rasterizer(font);
    generateCharacters(*model, generationList(codes), post, yOffset, rasterizer);
    return model;
}

CodeSelection allCodes() {
    CodeSelection s;
    s.high = true;
    return s;
}

int inkCount(const PixelMatrix& m) {
    int n = 0;
    for (std::uint8_t p : m)
        n += p == 1;
    return n;
}

int firstInkedColumn(const PixelMatrix& m) {
    for (int x = 0; x < kMatrixEdge; ++x)
        for (int y = 0; y < kMatrixEdge; ++y)
            if (pixelSet(m, x, y))
                return x;
    return -1;
}

int firstInkedRow(const PixelMatrix& m) {
    for (int y = 0; y < kMatrixEdge; ++y)
        for (int x = 0; x < kMatrixEdge; ++x)
            if (pixelSet(m, x, y))
                return y;
    return -1;
}

// The top-left corner of the raster as the generator samples it, unaligned.
PixelMatrix rawSample(QtGlyphRasterizer& rasterizer, char16_t ch) {
    rasterizer.drawCharacter(ch, 0);
    PixelMatrix m{};
    for (int x = 0; x < kMatrixEdge; ++x)
        for (int y = 0; y < kMatrixEdge; ++y)
            m[pixelIndex(x, y)] = rasterizer.pixel(x, y) == 0 ? 1 : 0;
    return m;
}

} // namespace

TEST(QtGlyphRasterizer, EveryPixelIsPureBlackOrWhite) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const QFont fonts[] = {dejaVu(family, 16), dejaVu(family, 11, true),
                           dejaVu(family, 30, true, true), dejaVu(family, 23, false, true)};
    for (const QFont& font : fonts) {
        QtGlyphRasterizer rasterizer(font);
        int inked = 0;
        for (int code = 0x20; code <= 0xFF; ++code) {
            rasterizer.drawCharacter(cp1250ToUnicode(static_cast<std::uint8_t>(code)), 0);
            for (int y = 0; y < kRasterEdge; ++y) {
                for (int x = 0; x < kRasterEdge; ++x) {
                    const std::uint32_t rgb = rasterizer.pixel(x, y);
                    ASSERT_TRUE(rgb == 0x000000 || rgb == 0xFFFFFF)
                        << "grey " << std::hex << rgb << " at " << std::dec << x << "," << y
                        << " of code " << code << " at " << font.pixelSize() << " px";
                    inked += rgb == 0;
                }
            }
        }
        EXPECT_GT(inked, 1000) << "nothing was drawn at " << font.pixelSize() << " px";
    }
}

TEST(QtGlyphRasterizer, TheYOffsetMovesTheWholeCellDown) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    QtGlyphRasterizer rasterizer(dejaVu(family, 16));
    const PixelMatrix atTop = rawSample(rasterizer, u'H');
    rasterizer.drawCharacter(u'H', 7);
    for (int x = 0; x < kMatrixEdge; ++x)
        for (int y = 0; y + 7 < kMatrixEdge; ++y)
            EXPECT_EQ(rasterizer.pixel(x, y + 7) == 0, pixelSet(atTop, x, y)) << x << "," << y;
    // The cell's top is the top of the line: capitals start below it, by the
    // internal leading, and end on the baseline an ascent below it.
    const int top = firstInkedRow(atTop);
    EXPECT_GT(top, 0);
    EXPECT_LT(top, 8);
}

TEST(GenerateWithRealFont, NarrowLettersAreNarrowerAndTheSpaceIsFour) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const auto font = generate(dejaVu(family, 16), CodeSelection{});
    EXPECT_LT(font->slots['I'].xSize, font->slots['W'].xSize);
    EXPECT_LT(font->slots['i'].xSize, font->slots['m'].xSize);
    EXPECT_EQ(font->slots[' '].xSize, 4);
    EXPECT_EQ(font->slots[' '].name, "ssp");
    // Aligned letters start at column 0.
    for (int code : {'A', 'W', 'g', 'I'})
        EXPECT_EQ(firstInkedColumn(font->slots[code].pixels), 0) << code;
    EXPECT_EQ(font->ySize, 32);
}

TEST(GenerateWithRealFont, DigitWidthsFollowTheirInkAndKeepTheirBearing) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const QFont drawing = dejaVu(family, 16);
    const auto font = generate(drawing, CodeSelection{});
    QtGlyphRasterizer rasterizer(drawing);
    bool someBearing = false;
    for (int code = '0'; code <= '9'; ++code) {
        const CharSlot& slot = font->slots[code];
        EXPECT_EQ(slot.pixels, rawSample(rasterizer, char16_t(code))) << "moved: " << code;
        EXPECT_EQ(slot.xSize, inkedXSize(slot.pixels)) << code;
        someBearing |= firstInkedColumn(slot.pixels) > 0;
    }
    EXPECT_TRUE(someBearing);

    // Aligned like the rest, every digit starts at column 0.
    PostProcessing alignDigits;
    alignDigits.keepDigitBearing = false;
    const auto aligned = generate(drawing, CodeSelection{}, alignDigits);
    for (int code = '0'; code <= '9'; ++code)
        EXPECT_EQ(firstInkedColumn(aligned->slots[code].pixels), 0) << code;
}

TEST(GenerateWithRealFont, BoldInksMoreThanRegular) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const auto regular = generate(dejaVu(family, 16), CodeSelection{});
    const auto bold = generate(dejaVu(family, 16, true), CodeSelection{});
    int regularInk = 0;
    int boldInk = 0;
    for (int code = 0x20; code < 0x80; ++code) {
        regularInk += inkCount(regular->slots[code].pixels);
        boldInk += inkCount(bold->slots[code].pixels);
    }
    EXPECT_GT(boldInk, regularInk + regularInk / 5);
}

TEST(GenerateWithRealFont, HighCodesAreDrawnAsWindows1250) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const QFont drawing = dejaVu(family, 16);
    PostProcessing unaligned;
    unaligned.alignLeft = false;
    const auto font = generate(drawing, allCodes(), unaligned);
    QtGlyphRasterizer rasterizer(drawing);
    // 0x8A is S with caron: the S with a mark above it.
    const PixelMatrix sCaron = rawSample(rasterizer, u'\u0160');
    EXPECT_EQ(font->slots[0x8A].pixels, sCaron);
    EXPECT_LT(firstInkedRow(font->slots[0x8A].pixels), firstInkedRow(font->slots['S'].pixels));
    EXPECT_EQ(font->slots[0x8A].name, "USh");
}

// zelvik-cli draws font files with FreeType instead of Qt's painter; the
// characters must not change by it, at any size, from any face it accepts.
TEST(FreeTypeGlyphRasterizer, DrawsQtsPixelsForEveryDejaVuFaceSizeAndCode) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const QDir folder = QFileInfo(test::kDejaVuSansPath).dir();
    CodeSelection everything = allCodes();
    const std::vector<std::uint8_t> codes = generationList(everything);
    int facesCompared = 0;
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf")})) {
        const QString path = folder.filePath(name);
        const int id = QFontDatabase::addApplicationFont(path);
        ASSERT_GE(id, 0) << name.toStdString();
        QFont chosen(QFontDatabase::applicationFontFamilies(id).first());
        chosen.setStyleName(QRawFont(path, 16).styleName());
        for (int pixels = 1; pixels <= 40; ++pixels) {
            auto opened = FreeTypeGlyphRasterizer::open(path, pixels);
            ASSERT_TRUE(opened) << name.toStdString();
            const auto freeType = opened.takeValue();
            // A face lacking some character leaves the run to Qt, which
            // takes it from another font.
            if (!freeType->accepts(codes))
                break;
            QtGlyphRasterizer qt(drawingFont(chosen, pixels));
            const int yOffset = pixels % 3 == 0 ? -pixels / 3 : pixels % 7;
            for (const std::uint8_t code : codes) {
                const char16_t character = cp1250ToUnicode(code);
                qt.drawCharacter(character, yOffset);
                freeType->drawCharacter(character, yOffset);
                for (int y = 0; y < kMatrixEdge; ++y) {
                    for (int x = 0; x < kMatrixEdge; ++x) {
                        ASSERT_EQ(freeType->pixel(x, y), qt.pixel(x, y))
                            << name.toStdString() << " at " << pixels << " px, code 0x" << std::hex
                            << int(code) << std::dec << ", pixel " << x << "," << y;
                    }
                }
            }
            if (pixels == 40)
                ++facesCompared;
        }
    }
    EXPECT_GE(facesCompared, 1) << "DejaVu Sans itself must be drawn by FreeType";
}

TEST(FreeTypeGlyphRasterizer, RefusesWhatItCannotDrawAsQtDoes) {
    const auto missing = FreeTypeGlyphRasterizer::open(QStringLiteral("/no/such/font.ttf"), 12);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.message, "no such file");
    QTemporaryDir dir;
    const QString notAFont = dir.filePath(QStringLiteral("bad.ttf"));
    QFile file(notAFont);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a font at all");
    file.close();
    const auto damaged = FreeTypeGlyphRasterizer::open(notAFont, 12);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(damaged.message, "not a font file FreeType can load");

    // A bitmap font opens, but Qt draws bitmap faces its own way.
    const QString bitmapFont = QStringLiteral("/usr/share/fonts/X11/misc/9x15.pcf.gz");
    if (!QFile::exists(bitmapFont))
        ZELVIK_MISSING_TOOL("xfonts-base is missing (tools/install-deps.sh installs it)");
    const auto bitmap = FreeTypeGlyphRasterizer::open(bitmapFont, 15);
    ASSERT_TRUE(bitmap);
    const std::uint8_t digits[] = {'0', '1'};
    EXPECT_FALSE((*bitmap)->accepts(digits));
}
