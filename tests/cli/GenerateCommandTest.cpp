// zelvik-cli generate, run as the real program: the characters it writes are
// the ones the generator makes in-process with the same font and choices.
#include "font/FontFile.h"
#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"
#include "generator/QtGlyphRasterizer.h"
#include "support/CliRun.h"
#include "support/DejaVuSans.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// The font file the editor would save for these choices.
std::string expectedFile(const QFont& chosen, int pixels, const CodeSelection& codes,
                         const PostProcessing& post, int yOffset, const std::string& id) {
    auto font = std::make_unique<FontModel>();
    WorkingCharacter working;
    resetFont(*font, working);
    QtGlyphRasterizer rasterizer(drawingFont(chosen, pixels));
    generateCharacters(*font, generationList(codes), post, yOffset, rasterizer);
    return serializeFontFile(FontFileVersion::V2, id, font->ySize, *font);
}

class CliGenerate : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString out() const { return dir.filePath("out.fnt"); }
};

} // namespace

TEST_F(CliGenerate, DefaultsAreTheEditorsAndTheCharactersMatchByteForByte) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const CliRun run = runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "16",
                               "--identifier", "dv16", "-o", out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string expected =
        expectedFile(QFont(family), 16, CodeSelection{}, PostProcessing{}, 0, "dv16");
    EXPECT_TRUE(readFileBytes(out()) == expected);

    const Result<FontModel> font = readFontFile(out());
    ASSERT_TRUE(font);
    int defined = 0;
    for (int code = 0; code < kCodeCount; ++code)
        defined += font->slots[code].defined();
    EXPECT_EQ(defined, 96);
    EXPECT_EQ(font->ySize, 32);
    EXPECT_EQ(fontBaseline(*font), QtGlyphRasterizer(drawingFont(QFont(family), 16)).ascent())
        << "the baseline of the rendered font";
}

TEST_F(CliGenerate, EveryOptionReachesTheGenerator) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const CliRun run =
        runCli({"generate",     "--font-file", kDejaVuSansPath,   "--pixel-size", "20",
                "--bold",       "--italic",    "--codes",         "digits,high",  "--high-codes",
                "czech",        "--no-align",  "--no-min-x-size", "--y-offset",   "-3",
                "--identifier", "x",           "--version",       "2.0",          "-o",
                out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QFont chosen(family);
    chosen.setBold(true);
    chosen.setItalic(true);
    CodeSelection codes;
    codes.letters = codes.specials = false;
    codes.high = true;
    codes.highCodes = presetSelection(HighCodePreset::Czech);
    PostProcessing post;
    post.alignLeft = false;
    post.minimumXSize = false;
    EXPECT_TRUE(readFileBytes(out()) == expectedFile(chosen, 20, codes, post, -3, "x"));

    const CliRun digits =
        runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "16", "--codes",
                "digits", "--align-digits", "--identifier", "d", "-o", out()});
    ASSERT_EQ(digits.exitCode, 0) << digits.err;
    CodeSelection onlyDigits;
    onlyDigits.letters = onlyDigits.specials = false;
    PostProcessing alignDigits;
    alignDigits.keepDigitBearing = false;
    EXPECT_TRUE(readFileBytes(out()) ==
                expectedFile(QFont(family), 16, onlyDigits, alignDigits, 0, "d"));
}

TEST_F(CliGenerate, AFamilyThatIsNotInstalledIsNamedWithItsSubstitute) {
    const CliRun run = runCli({"generate", "--family", "No Such Family Zelvik", "--pixel-size",
                               "12", "--codes", "digits", "--identifier", "f", "-o", out()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("'No Such Family Zelvik' is not installed; drawing with '"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(QFile::exists(out()));
}

TEST_F(CliGenerate, Version1IsRefusedAndNothingIsWritten) {
    const CliRun run = runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "8",
                               "--identifier", "f", "--version", "1.0", "-o", out()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("32 pixels high"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(out()));
}

TEST_F(CliGenerate, FontFilesThatCannotBeLoadedAndUnwritableOutputsAreRefused) {
    writeFileBytes(dir.filePath("bad.ttf"), "not a font");
    const CliRun bad = runCli({"generate", "--font-file", dir.filePath("bad.ttf"), "--pixel-size",
                               "8", "--identifier", "f", "-o", out()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("Can't load font file"), std::string::npos) << bad.err;
    EXPECT_FALSE(QFile::exists(out()));

    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const CliRun unwritable =
        runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "8", "--identifier",
                "f", "-o", dir.filePath("no/such/folder/out.fnt")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("Can't create font file!"), std::string::npos) << unwritable.err;
}

TEST_F(CliGenerate, UsageErrorsExitWith2AndWriteNothing) {
    const QStringList base = {"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "8",
                              "-o",       out()};
    const QList<QStringList> wrong = {
        base,                                            // no identifier
        base + QStringList{"--identifier", "has space"}, //
        base + QStringList{"--identifier", "1abc"},
        base + QStringList{"--identifier", "int"},
        base + QStringList{"--identifier", "a-b"},
        base + QStringList{"--identifier", "f", "--family", "DejaVu Sans"},
        base + QStringList{"--identifier", "f", "--codes", "letters,emoji"},
        base + QStringList{"--identifier", "f", "--codes", ""},
        base + QStringList{"--identifier", "f", "--y-offset", "40"},
        base + QStringList{"--identifier", "f", "--y-offset", "-"},
        base + QStringList{"--identifier", "f", "--pixel-size", "0"},
        base + QStringList{"--identifier", "f", "--high-codes", "greek"},
        base + QStringList{"--identifier", "f", "--codes", "letters", "--high-codes", "czech"},
        base + QStringList{"--identifier", "f", "--version", "3.0"},
        base + QStringList{"--identifier", "f", "--unknown"},
        base + QStringList{"--identifier"},
        {"generate", "--pixel-size", "8", "--identifier", "f", "-o", out()},
    };
    for (const QStringList& args : wrong) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(run.err.find("zelvik-cli: generate: "), std::string::npos) << run.err;
    }
    EXPECT_FALSE(QFile::exists(out()));
}

TEST_F(CliGenerate, TheGeneratedFontExportsAsC) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    ASSERT_EQ(runCli({"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "16",
                      "--identifier", "dv16", "-o", out()})
                  .exitCode,
              0);
    const CliRun run = runCli(
        {"export", out(), "--target", "c", "--bytes", "horizontal", "-o", dir.filePath("dv16.c")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(readFileBytes(dir.filePath("dv16.c")).find("dv16_UA"), std::string::npos);
}

// A font file whose family is installed in another style used to be drawn in
// the installed regular face: DejaVuSans-Bold.ttf came out regular.
TEST_F(CliGenerate, AFontFileIsDrawnInItsOwnFaceNotTheInstalledRegularOne) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const QString boldFile = QFileInfo(kDejaVuSansPath).dir().filePath("DejaVuSans-Bold.ttf");
    ASSERT_TRUE(QFile::exists(boldFile)) << "fonts-dejavu-core brings DejaVuSans-Bold.ttf";
    const QStringList rest = {"--pixel-size", "14", "--codes", "letters,digits,specials,high",
                              "--identifier", "b"};
    ASSERT_EQ(runCli(QStringList{"generate", "--font-file", boldFile, "-o", out()} + rest).exitCode,
              0);
    const QString byFamily = dir.filePath("family.fnt");
    ASSERT_EQ(runCli(QStringList{"generate", "--family", family, "--bold", "-o", byFamily} + rest)
                  .exitCode,
              0);
    const QString regular = dir.filePath("regular.fnt");
    ASSERT_EQ(runCli(QStringList{"generate", "--font-file", kDejaVuSansPath, "-o", regular} + rest)
                  .exitCode,
              0);
    EXPECT_TRUE(readFileBytes(out()) == readFileBytes(byFamily));
    EXPECT_FALSE(readFileBytes(out()) == readFileBytes(regular));
}

// The commands that draw with Qt Gui live in a module beside the program (or
// in its library folder); without it they say so, and the rest still work.
TEST_F(CliGenerate, WithoutItsDrawingModuleTheProgramSaysWhatIsMissing) {
    const QString lone = dir.filePath("zelvik-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVIK_CLI_PATH), lone));
    const auto run = [&](const QStringList& args) {
        QProcess process;
        process.start(lone, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::pair(process.exitCode(), process.readAllStandardError().toStdString());
    };
    const auto [status, err] = run({"generate", "--family", "DejaVu Sans", "--pixel-size", "8",
                                    "--identifier", "f", "-o", out()});
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("zelvik-cli: can't load the drawing module that 'generate' needs"),
              std::string::npos)
        << err;
    EXPECT_FALSE(QFile::exists(out()));

    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    const auto [drawn, drawnErr] = run({"generate", "--font-file", kDejaVuSansPath, "--pixel-size",
                                        "8", "--identifier", "f", "-o", out()});
    EXPECT_EQ(drawn, 0) << drawnErr;
    EXPECT_EQ(run({"image", out(), "-o", dir.filePath("chars.bmp")}).first, 1);
}
