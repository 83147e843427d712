// BDF import and export against the programs and the library BDF fonts live
// with: pcf2bdf turns Debian's X11 fonts into BDF, FreeType's BDF driver reads
// what we read and what we write, bdftopcf compiles what we write, otf2bdf
// makes a BDF font of DejaVu Sans. The fonts these tests write are the BDF
// fuzzer's seeds.

#include "export/ExportFiles.h"
#include "font/BdfFile.h"
#include "font/BdfTestData.h"
#include "font/Cp1250.h"
#include "support/MissingTool.h"
#include "support/TestFiles.h"

#if ZELVIK_HAVE_FREETYPE
#include "support/FreeTypeBdf.h"
#endif

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <set>

using namespace zelvik;
using namespace zelvik::test;

namespace {

#define REQUIRE_OR_SKIP(condition, what)                                                           \
    if (!(condition))                                                                              \
    ZELVIK_MISSING_TOOL(what << " is missing (tools/install-deps.sh installs it)")

#define REQUIRE_TOOL(var, name)                                                                    \
    const QString var = QStandardPaths::findExecutable(QStringLiteral(name));                      \
    REQUIRE_OR_SKIP(!var.isEmpty(), name)

#if ZELVIK_HAVE_FREETYPE
#define REQUIRE_FREETYPE()
#else
#define REQUIRE_FREETYPE() REQUIRE_OR_SKIP(false, "libfreetype-dev (FreeType)")
#endif

const QString kMiscFonts = QStringLiteral("/usr/share/fonts/X11/misc/");
const QString kDejaVuSans = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

struct ToolRun {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

ToolRun run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.output = program.toStdString() + " did not run";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = p.readAll().toStdString();
    return r;
}

void writeSeed(const QString& name, const QString& from) {
    const QString folder = QStringLiteral(ZELVIK_BDF_SEED_DIR);
    QDir().mkpath(folder);
    QFile::remove(QDir(folder).filePath(name));
    QFile::copy(from, QDir(folder).filePath(name));
}

// pcf2bdf's BDF of an installed X11 font, in `folder`.
QString convertFromPcf(const QString& pcf2bdf, const QString& folder, const QString& name) {
    const QString bdf = QDir(folder).filePath(name + ".bdf");
    const ToolRun r = run(pcf2bdf, {"-o", bdf, kMiscFonts + name + ".pcf.gz"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return bdf;
}

#if ZELVIK_HAVE_FREETYPE

// The ENCODING under which a font in `registry` holds code `code`, or nothing.
std::optional<unsigned long> encodingOfCode(const std::string& registry, int code) {
    const char16_t unicode = cp1250ToUnicode(static_cast<std::uint8_t>(code));
    if (registry == "ISO10646")
        return unicode;
    // ISO8859-2 through Qt's own codec, not our table.
    QStringEncoder encoder("ISO-8859-2");
    const QByteArray bytes = encoder.encode(QString(QChar(unicode)));
    if (encoder.hasError() || bytes.size() != 1)
        return std::nullopt;
    return static_cast<std::uint8_t>(bytes[0]);
}

// Holds every code 0-255 of `font` against FreeType's glyph of the same
// character: defined exactly where FreeType has a glyph, x-size its advance
// (1-32), and inside the character cell the same ink. Returns the number of
// glyphs whose FreeType ink reaches outside the character: the cut ones.
int compareWithFreeType(const FontModel& font, const FreeTypeBdfFont& reference) {
    const std::string registry = reference.charsetRegistry();
    EXPECT_EQ(font.ySize, reference.ascent() + reference.descent());
    int cut = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto encoding = encodingOfCode(registry, code);
        const auto glyph = encoding ? reference.glyph(*encoding) : std::nullopt;
        const CharSlot& slot = font.slots[code];
        EXPECT_EQ(slot.defined(), glyph.has_value()) << "code " << code;
        if (!glyph || !slot.defined())
            continue;
        EXPECT_EQ(slot.xSize, clampSize(glyph->advance)) << "code " << code;
        // FreeType's ink in cell coordinates, row 0 at the ascent line.
        std::set<std::pair<int, int>> expected;
        bool outside = false;
        for (int r = 0; r < glyph->rows; ++r) {
            for (int c = 0; c < glyph->width; ++c) {
                if (!glyph->inkAt(c, r))
                    continue;
                const int x = glyph->left + c;
                const int y = reference.ascent() - glyph->top + r;
                if (x < 0 || x >= slot.xSize || y < 0 || y >= font.ySize)
                    outside = true;
                else
                    expected.insert({x, y});
            }
        }
        cut += outside ? 1 : 0;
        std::set<std::pair<int, int>> ours;
        for (int x = 0; x < slot.xSize; ++x)
            for (int y = 0; y < font.ySize; ++y)
                if (pixelSet(slot.pixels, x, y))
                    ours.insert({x, y});
        EXPECT_EQ(ours, expected) << "code " << code;
    }
    return cut;
}

std::unique_ptr<FreeTypeBdfFont> openWithFreeType(const QString& path) {
    std::string error;
    auto font = FreeTypeBdfFont::open(path.toStdString(), error);
    EXPECT_TRUE(font) << error;
    if (font) {
        EXPECT_EQ(font->driverName(), "BDF");
    }
    return font;
}

#endif

struct RealFont {
    const char* name;
    int ySize;
    int taken;
};

void PrintTo(const RealFont& font, std::ostream* out) {
    *out << font.name;
}

class BdfRealFont : public ::testing::TestWithParam<RealFont> {};

} // namespace

TEST_P(BdfRealFont, ImportsEveryGlyphAsFreeTypeRendersIt) {
    const RealFont& param = GetParam();
    REQUIRE_TOOL(pcf2bdf, "pcf2bdf");
    REQUIRE_OR_SKIP(QFile::exists(kMiscFonts + param.name + ".pcf.gz"), "xfonts-base");
    REQUIRE_FREETYPE();
    QTemporaryDir dir;
    const QString bdf = convertFromPcf(pcf2bdf, dir.path(), param.name);
    writeSeed(QString::fromLatin1(param.name) + ".bdf", bdf);

    const Result<BdfImport> imported = importBdfFile(bdf);
    ASSERT_TRUE(imported) << imported.describe().toStdString();
    const FontModel& font = *imported->font;
    EXPECT_EQ(font.ySize, param.ySize);
    EXPECT_EQ(font.fontIdentifier, "Fixed");
    EXPECT_EQ(imported->counts.taken, param.taken);
    EXPECT_EQ(imported->counts.cut, 0);
    EXPECT_TRUE(font.fontModified);
    EXPECT_EQ(font.slots[kBlankSlot].name, "blank");
#if ZELVIK_HAVE_FREETYPE
    const auto reference = openWithFreeType(bdf);
    ASSERT_TRUE(reference);
    EXPECT_EQ(compareWithFreeType(font, *reference), 0);
    // Every glyph FreeType lists was either taken or skipped.
    EXPECT_EQ(imported->counts.taken + imported->counts.skipped,
              static_cast<int>(reference->charCodes().size()));
#endif
}

// The Unicode fonts hold about 200 characters of Windows-1250; the Latin-2
// font holds them all at other bytes.
INSTANTIATE_TEST_SUITE_P(X11Misc, BdfRealFont,
                         ::testing::Values(RealFont{"6x13", 13, 219}, RealFont{"9x15", 15, 219},
                                           RealFont{"6x13-ISO8859-2", 13, 223}),
                         [](const auto& c) {
                             std::string name = c.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(BdfRealReaders, BdftopcfAndFreeTypeReadOurExportPixelForPixel) {
    REQUIRE_TOOL(bdftopcf, "bdftopcf");
    REQUIRE_TOOL(pcf2bdf, "pcf2bdf");
    REQUIRE_OR_SKIP(QFile::exists(kMiscFonts + "9x15.pcf.gz"), "xfonts-base");
    REQUIRE_FREETYPE();
    QTemporaryDir dir;
    std::vector<std::pair<QString, std::unique_ptr<FontModel>>> fonts;
    for (const int ySize : {1, 8, 13, 32})
        fonts.emplace_back("export-y" + QString::number(ySize),
                           std::make_unique<FontModel>(bdfExportFont(ySize, ySize)));
    fonts.emplace_back("export-y13-baseline10", std::make_unique<FontModel>(bdfExportFont(13)));
    setFontBaseline(*fonts.back().second, 10);
    Result<BdfImport> fixed = importBdfFile(convertFromPcf(pcf2bdf, dir.path(), "9x15"));
    ASSERT_TRUE(fixed);
    fonts.emplace_back("export-9x15", std::move(fixed->font));

    for (const auto& [name, font] : fonts) {
        SCOPED_TRACE(name.toStdString());
        const QString bdf = dir.filePath(name + ".bdf");
        ASSERT_TRUE(exportBdfFile(bdf, *font, font->fontIdentifier));
        writeSeed(name + ".bdf", bdf);

        const ToolRun compiled = run(bdftopcf, {"-o", dir.filePath(name + ".pcf"), bdf});
        EXPECT_EQ(compiled.exitCode, 0);
        EXPECT_EQ(compiled.output, "") << "bdftopcf warned";
        EXPECT_GT(QFileInfo(dir.filePath(name + ".pcf")).size(), 0);

#if ZELVIK_HAVE_FREETYPE
        const auto reference = openWithFreeType(bdf);
        ASSERT_TRUE(reference);
        EXPECT_EQ(reference->charsetRegistry(), "ISO10646");
        // 9x15 comes with its own baseline, 12 rows down its 15.
        EXPECT_EQ(reference->ascent(), fontBaseline(*font));
        EXPECT_EQ(reference->descent(), font->ySize - fontBaseline(*font));
        // Exactly the defined codes, under their Unicode values; ink outside
        // the characters and the BlankSlot stay behind.
        std::vector<unsigned long> expected;
        for (int code = 0; code < kCodeCount; ++code)
            if (font->slots[code].defined())
                expected.push_back(cp1250ToUnicode(static_cast<std::uint8_t>(code)));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(reference->charCodes(), expected);
        EXPECT_EQ(compareWithFreeType(*font, *reference), 0);
        // Every glyph is its whole cell: the bitmap's top row is the cell's
        // row 0, as many rows above the baseline as the baseline lies below it.
        for (const unsigned long code : expected)
            EXPECT_EQ(reference->glyph(code)->top, fontBaseline(*font)) << code;
#endif
    }
}

TEST(BdfRealReaders, DejaVuSansThroughOtf2bdfImportsAndItsCExportCompiles) {
    REQUIRE_TOOL(otf2bdf, "otf2bdf");
    REQUIRE_TOOL(gcc, "gcc");
    REQUIRE_OR_SKIP(QFile::exists(kDejaVuSans), "fonts-dejavu-core");
    REQUIRE_FREETYPE();
    QTemporaryDir dir;
    const QString bdf = dir.filePath("dejavu16.bdf");
    // otf2bdf's exit status is not reliable; a complete file is what counts.
    run(otf2bdf, {"-p", "16", "-r", "72", "-o", bdf, kDejaVuSans});
    const std::string text = readFileBytes(bdf);
    ASSERT_TRUE(text.ends_with("ENDFONT\n")) << "otf2bdf wrote no complete font";

    Result<BdfImport> imported = importBdfFile(bdf);
    ASSERT_TRUE(imported) << imported.describe().toStdString();
    FontModel& font = *imported->font;
    EXPECT_EQ(font.fontIdentifier, "DejaVu_Sans");
    EXPECT_GE(imported->counts.taken, 200);
    EXPECT_GT(imported->counts.skipped, 1000);
#if ZELVIK_HAVE_FREETYPE
    const auto reference = openWithFreeType(bdf);
    ASSERT_TRUE(reference);
    // Accents above the ascent line are cut; the count says how many.
    EXPECT_EQ(compareWithFreeType(font, *reference), imported->counts.cut);
#endif

    const ExportPaths paths =
        exportTarget(ExportTarget::C).pathsForOutput(dir.filePath("dejavu.c"));
    const Result<> exported = exportFont(font, font.fontIdentifier, ExportTarget::C, {}, paths);
    ASSERT_TRUE(exported) << exported.describe().toStdString();
    const ToolRun compiled = run(gcc, {"-std=c99", "-Wall", "-Wextra", "-pedantic", "-Werror", "-c",
                                       paths.source, "-o", dir.filePath("dejavu.o")});
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
    EXPECT_EQ(compiled.output, "");
}
