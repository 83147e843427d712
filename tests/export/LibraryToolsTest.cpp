// The display-library exports through the tools their users have: LVGL's own
// font converter (lv_font_conv from npm, fed a TrueType font whose outlines
// are the font's pixels) must make the same glyphs as our LVGL export, and
// every export compiles with gcc and g++ on the host and with avr-gcc for an
// ATmega328P, with the data in flash.

#include "LibraryFonts.h"

#include "font/FontFile.h"
#include "support/CliRun.h"
#include "support/DejaVuSans.h"
#include "support/MissingTool.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace zelvik;
using namespace zelvik::test;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun run(const QString& program, const QStringList& args, const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
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

#define REQUIRE_TOOL(var, path)                                                                    \
    const QString var = (path);                                                                    \
    if (var.isEmpty() || !QFileInfo(var).isExecutable())                                           \
        ZELVIK_MISSING_TOOL(#var << " is not installed (tools/install-deps.sh installs it)");

QString onPath(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// DejaVu Sans rendered into all 224 codes from 0x20 by zelvik-cli generate.
FontModel dejavuFont(const QTemporaryDir& dir) {
    const QString file = dir.filePath("dejavu.fnt");
    const CliRun generated =
        runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "14", "--codes",
                "letters,digits,specials,high", "--identifier", "dejavu", "-o", file});
    EXPECT_EQ(generated.exitCode, 0) << generated.err;
    Result<FontModel> font = readFontFile(file);
    EXPECT_TRUE(font.ok());
    return font ? font.takeValue() : FontModel();
}

// ---- LVGL against lv_font_conv --------------------------------------------
//
// The converter runs without FreeType's autohinter, which would move the
// squares' edges; the outlines have no hints of their own, so they render
// exactly. It renders a glyph without outlines as one blank pixel, which
// counts as our 0 by 0 box.

struct LvGlyph {
    std::vector<std::uint8_t> bitmap;
    std::string box; // "adv_w box_w box_h ofs_x ofs_y"
    bool operator==(const LvGlyph&) const = default;
};

// The glyphs of an LVGL font source by character: each bitmap follows its
// "/* U+XXXX" comment, and the descriptions follow the reserved id 0 in the
// order of the characters.
std::map<unsigned, LvGlyph> parseLvgl(const std::string& source) {
    std::map<unsigned, LvGlyph> glyphs;
    std::vector<unsigned> order;
    const std::size_t end = source.find("};", source.find("glyph_bitmap[] = {"));
    const std::regex comment(R"(/\* U\+([0-9A-F]{4,}) )");
    const std::regex hex("0x([0-9a-f]+)");
    auto it =
        std::sregex_iterator(source.begin(), source.begin() + static_cast<long>(end), comment);
    std::vector<std::pair<unsigned, std::size_t>> starts;
    for (; it != std::sregex_iterator(); ++it)
        starts.emplace_back(std::stoul((*it)[1], nullptr, 16),
                            static_cast<std::size_t>(it->position()) + 10);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t from = starts[i].second;
        const std::size_t to = i + 1 < starts.size() ? starts[i + 1].second - 10 : end;
        const std::string chunk = source.substr(from, to - from);
        LvGlyph& g = glyphs[starts[i].first];
        for (auto h = std::sregex_iterator(chunk.begin(), chunk.end(), hex);
             h != std::sregex_iterator(); ++h)
            g.bitmap.push_back(static_cast<std::uint8_t>(std::stoul((*h)[1], nullptr, 16)));
        order.push_back(starts[i].first);
    }
    const std::regex dsc(
        R"(\.adv_w = (\d+), \.box_w = (\d+), \.box_h = (\d+), \.ofs_x = (-?\d+), \.ofs_y = (-?\d+)\})");
    std::size_t id = 0;
    for (auto d = std::sregex_iterator(source.begin(), source.end(), dsc);
         d != std::sregex_iterator(); ++d, ++id) {
        if (id == 0 || id > order.size())
            continue;
        const auto& m = *d;
        glyphs[order[id - 1]].box =
            m[1].str() + " " + m[2].str() + " " + m[3].str() + " " + m[4].str() + " " + m[5].str();
    }
    return glyphs;
}

// The font's cells as the TrueType builder's input.
std::string pixelText(const FontModel& font) {
    std::string text =
        std::to_string(font.ySize) + " " + std::to_string(libraryBaseline(font)) + "\n";
    for (const LibraryGlyph& g : unicodeGlyphs(font)) {
        text += std::to_string(static_cast<unsigned>(g.unicode)) + " " + std::to_string(g.advance);
        for (const std::string& row : cellPicture(font, g.index))
            text += " " + row;
        text += "\n";
    }
    return text;
}

void compareWithLvFontConv(const FontModel& font) {
    REQUIRE_TOOL(converter, QStringLiteral(ZELVIK_LV_FONT_CONV));
    REQUIRE_TOOL(python, QStringLiteral("/usr/bin/python3"));
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("pixels.txt"), pixelText(font));
    const ToolRun built = run(python,
                              {QStringLiteral(ZELVIK_TEST_DIR "/export/pixels_to_ttf.py"),
                               dir.filePath("pixels.txt"), dir.filePath("pixels.ttf")},
                              dir.path());
    if (built.output.find("No module named 'fontTools'") != std::string::npos)
        ZELVIK_MISSING_TOOL("python3-fonttools is not installed");
    ASSERT_EQ(built.exitCode, 0) << built.output;

    QStringList codes;
    for (const LibraryGlyph& g : unicodeGlyphs(font))
        codes << QString::number(static_cast<unsigned>(g.unicode));
    const ToolRun converted =
        run(converter,
            {"--font", dir.filePath("pixels.ttf"), "-r", codes.join(','), "--size",
             QString::number(font.ySize), "--bpp", "1", "--no-compress", "--autohint-off",
             "--format", "lvgl", "-o", dir.filePath("theirs.c")},
            dir.path());
    ASSERT_EQ(converted.exitCode, 0) << converted.output;

    auto theirs = parseLvgl(readFileBytes(dir.filePath("theirs.c")));
    for (auto& [unicode, glyph] : theirs) {
        const bool blank = std::all_of(glyph.bitmap.begin(), glyph.bitmap.end(),
                                       [](std::uint8_t b) { return b == 0; });
        if (blank && glyph.box.ends_with(" 1 1 0 0")) {
            glyph.bitmap.clear();
            glyph.box = glyph.box.substr(0, glyph.box.size() - 8) + " 0 0 0 0";
        }
    }
    const auto ours = parseLvgl(generateLibrary(ExportTarget::Lvgl, font).source);
    ASSERT_EQ(ours.size(), unicodeGlyphs(font).size());
    ASSERT_EQ(theirs.size(), ours.size());
    for (const auto& [unicode, glyph] : ours) {
        SCOPED_TRACE("U+" + QString::number(unicode, 16).toStdString());
        ASSERT_TRUE(theirs.count(unicode));
        EXPECT_EQ(theirs.at(unicode).box, glyph.box);
        EXPECT_EQ(theirs.at(unicode).bitmap, glyph.bitmap);
    }
}

TEST(LvglExport, EveryGlyphEqualsTheConvertersFromTheSameFontAsTrueType) {
    {
        SCOPED_TRACE("drawn");
        compareWithLvFontConv(drawnLibraryFont());
    }
    QTemporaryDir dir;
    const FontModel dejavu = dejavuFont(dir);
    SCOPED_TRACE("DejaVu Sans");
    compareWithLvFontConv(dejavu);
}

TEST(LvglExport, LineHeightIsTheYSizeAndTheBaselineIsMeasuredFromTheBottom) {
    const FontModel font = drawnLibraryFont();
    const std::string source = generateLibrary(ExportTarget::Lvgl, font).source;
    EXPECT_NE(source.find(".line_height = 12,"), std::string::npos);
    EXPECT_NE(source.find(".base_line = " + std::to_string(12 - libraryBaseline(font)) + ","),
              std::string::npos);
}

// ---- Compilers ----------------------------------------------------------

// Writes the exports of `font` into `dir`, and the file that compiles each.
std::vector<std::pair<std::string, QString>> writeExports(const FontModel& font,
                                                          const QTemporaryDir& dir) {
    std::vector<std::pair<std::string, QString>> units;
    const GeneratedFiles gfx = generateLibrary(ExportTarget::Gfx, font, "gfx_font");
    writeFileBytes(dir.filePath("gfx_font.h"), gfx.source);
    writeFileBytes(dir.filePath("gfx_use.c"),
                   "#include \"gfx_font.h\"\nconst GFXfont* use(void) { return &" +
                       font.fontIdentifier + "; }\n");
    units.emplace_back("gfx", dir.filePath("gfx_use.c"));
    const GeneratedFiles u8g2 = generateLibrary(ExportTarget::U8g2, font, "u8g2_font");
    writeFileBytes(dir.filePath("u8g2_font.c"), u8g2.source);
    writeFileBytes(dir.filePath("u8g2_font.h"), u8g2.header);
    units.emplace_back("u8g2", dir.filePath("u8g2_font.c"));
    writeFileBytes(dir.filePath("lvgl_font.c"),
                   generateLibrary(ExportTarget::Lvgl, font, "lvgl_font").source);
    units.emplace_back("lvgl", dir.filePath("lvgl_font.c"));
    return units;
}

void compileAll(const char* compilerName, const QStringList& flags, bool asCpp) {
    REQUIRE_TOOL(compiler, onPath(compilerName));
    QTemporaryDir dir;
    const FontModel dejavu = dejavuFont(dir);
    for (const FontModel& font : {drawnLibraryFont(), dejavu}) {
        for (const auto& [name, file] : writeExports(font, dir)) {
            for (const char* lvgl : {"8", "9"}) {
                if (name != "lvgl" && std::string(lvgl) == "9")
                    continue;
                SCOPED_TRACE(name + " " + font.fontIdentifier +
                             (name == "lvgl" ? std::string(" LVGL ") + lvgl : ""));
                QStringList args = flags;
                args << "-I" << QStringLiteral(ZELVIK_TEST_DIR "/export/library-stubs") << "-I"
                     << dir.path() << QStringLiteral("-DLVGL_VERSION_MAJOR=") + lvgl;
                if (asCpp)
                    args << "-x"
                         << "c++";
                // The converter's form leaves the fields LVGL 9 added to
                // lv_font_t zero, which C++ warns about.
                if (asCpp && name == "lvgl")
                    args << "-Wno-missing-field-initializers";
                args << "-c" << file << "-o" << dir.filePath("out.o");
                const ToolRun compiled = run(compiler, args, dir.path());
                EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
            }
        }
    }
}

TEST(LibraryCompilers, GccCompilesEveryExportWithoutWarnings) {
    compileAll("gcc", {"-std=c99", "-Wall", "-Wextra", "-pedantic", "-Werror"}, false);
}

TEST(LibraryCompilers, GppCompilesEveryExportWithoutWarnings) {
    compileAll("g++", {"-std=c++20", "-Wall", "-Wextra", "-pedantic", "-Werror"}, true);
}

TEST(LibraryCompilers, AvrGccPutsTheGfxAndU8g2DataInFlash) {
    compileAll("avr-gcc", {"-mmcu=atmega328p", "-Os", "-Wall", "-Wextra", "-Werror"}, false);
    REQUIRE_TOOL(gcc, onPath("avr-gcc"));
    REQUIRE_TOOL(objdump, onPath("avr-objdump"));
    QTemporaryDir dir;
    const FontModel font = drawnLibraryFont();
    const auto units = writeExports(font, dir);
    for (const auto& [name, file] : units) {
        if (name == "lvgl")
            continue;
        SCOPED_TRACE(name);
        ASSERT_EQ(run(gcc,
                      {"-mmcu=atmega328p", "-Os", "-I",
                       QStringLiteral(ZELVIK_TEST_DIR "/export/library-stubs"), "-I", dir.path(),
                       "-c", file, "-o", dir.filePath("out.o")},
                      dir.path())
                      .exitCode,
                  0);
        const ToolRun sections = run(objdump, {"-h", dir.filePath("out.o")}, dir.path());
        // Flash data lives in .progmem sections; nothing of the font in RAM.
        EXPECT_NE(sections.output.find(".progmem"), std::string::npos) << sections.output;
        const ToolRun symbols = run(objdump, {"-t", dir.filePath("out.o")}, dir.path());
        for (const std::string& line : crlfLines(symbols.output)) {
            const bool ram = line.find(" .data") != std::string::npos ||
                             line.find(" .rodata") != std::string::npos;
            if (ram) {
                EXPECT_EQ(line.find(font.fontIdentifier), std::string::npos) << line;
            }
        }
    }
}

} // namespace
