// zelvik-cli import and export --target bdf, run as the real program the way
// scripts run it.
#include "export/LibraryFonts.h"
#include "font/BdfFile.h"
#include "font/BdfTestData.h"
#include "font/FontFile.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// Two glyphs in the codes, one of them wider than its DWIDTH, and one outside.
const std::string kSmallBdf = "STARTFONT 2.1\n"
                              "FONTBOUNDINGBOX 4 6 0 -1\n"
                              "STARTPROPERTIES 3\n"
                              "FAMILY_NAME \"Tiny Font\"\n"
                              "FONT_ASCENT 5\n"
                              "FONT_DESCENT 1\n"
                              "ENDPROPERTIES\n"
                              "CHARS 3\n"
                              "STARTCHAR A\nENCODING 65\nDWIDTH 4 0\nBBX 3 2 0 0\nBITMAP\n"
                              "E0\nA0\nENDCHAR\n"
                              "STARTCHAR B\nENCODING 66\nDWIDTH 2 0\nBBX 3 1 0 0\nBITMAP\n"
                              "E0\nENDCHAR\n"
                              "STARTCHAR arrow\nENCODING 8594\nDWIDTH 4 0\nBBX 1 1 0 0\n"
                              "BITMAP\n80\nENDCHAR\n"
                              "ENDFONT\n";

class BdfCommand : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(BdfCommand, ImportWritesTheFontTheEditorWouldImportAndReportsCounts) {
    writeFileBytes(path("tiny.bdf"), kSmallBdf);
    const CliRun run = runCli({"import", path("tiny.bdf"), "-o", path("tiny.fnt")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "BDF import: 2 glyphs taken, 1 cut, 1 skipped\n");
    EXPECT_EQ(run.out, "");

    FontFileData written;
    ASSERT_TRUE(loadFontFile(path("tiny.fnt"), written));
    EXPECT_EQ(written.version, FontFileVersion::V2); // unless told otherwise
    BdfImport expected;
    ASSERT_TRUE(parseBdf(kSmallBdf, expected));
    EXPECT_EQ(written.fontIdentifier, "Tiny_Font");
    EXPECT_EQ(written.ySize, 6);
    EXPECT_EQ(written.baseline, 5) << "FONT_ASCENT";
    for (int index = 0; index < kSlotCount; ++index) {
        EXPECT_EQ(written.slots[index].name, expected.font->slots[index].name) << index;
        EXPECT_EQ(written.slots[index].xSize, expected.font->slots[index].xSize) << index;
        EXPECT_EQ(written.slots[index].pixels, expected.font->slots[index].pixels) << index;
    }
}

TEST_F(BdfCommand, ImportTakesTheIdentifierAndTheFileVersion) {
    writeFileBytes(path("tiny.bdf"), kSmallBdf);
    CliRun run = runCli({"import", "--identifier", "tiny_fnt", "--version", "1.0", path("tiny.bdf"),
                         "-o", path("tiny.fnt")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    FontFileData written;
    ASSERT_TRUE(loadFontFile(path("tiny.fnt"), written));
    EXPECT_EQ(written.version, FontFileVersion::V1);
    EXPECT_EQ(written.fontIdentifier, "tiny_fnt");

    // Version 1.0 cannot hold 9 pixels wide characters.
    std::string wide = kSmallBdf;
    wide.replace(wide.find("DWIDTH 4 0"), 10, "DWIDTH 9 0");
    writeFileBytes(path("wide.bdf"), wide);
    run = runCli({"import", path("wide.bdf"), "--version", "1", "-o", path("wide.fnt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zelvik-cli: Version 1.0 can't hold this font: it holds characters up to "
                       "8 pixels wide and 16 high, this font has y-size 6 and characters up to 9 "
                       "pixels wide. Use --version 2.0.\n");
    EXPECT_FALSE(QFile::exists(path("wide.fnt")));
}

TEST_F(BdfCommand, ImportRefusalsLeaveTheOutputAsItWas) {
    writeFileBytes(path("out.fnt"), "old contents");
    std::string damaged = kSmallBdf;
    damaged.replace(damaged.find("A0\n"), 3, "A\n"); // line 15
    writeFileBytes(path("damaged.bdf"), damaged);
    std::string tall = kSmallBdf;
    tall.replace(tall.find("FONT_ASCENT 5"), 13, "FONT_ASCENT 40");
    writeFileBytes(path("tall.bdf"), tall);

    const std::vector<std::pair<QString, std::string>> cases = {
        {path("damaged.bdf"), "zelvik-cli: Invalid BDF file! Line 15: the bitmap row has 1 hex "
                              "digits, BBX width 3 needs 2.\n"},
        {path("tall.bdf"), "zelvik-cli: The BDF font is 41 pixels high! Characters can be at "
                           "most 32 pixels high.\n"},
    };
    for (const auto& [input, message] : cases) {
        const CliRun run = runCli({"import", input, "-o", path("out.fnt")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(readFileBytes(path("out.fnt")), "old contents");
    }
    const CliRun missing = runCli({"import", path("missing.bdf"), "-o", path("out.fnt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.starts_with("zelvik-cli: Can't open font file!\nNo such file"))
        << missing.err;

    writeFileBytes(path("tiny.bdf"), kSmallBdf);
    const CliRun unwritable = runCli({"import", path("tiny.bdf"), "-o", path("no/dir/out.fnt")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.starts_with("zelvik-cli: Can't create font file!\n"))
        << unwritable.err;
}

TEST_F(BdfCommand, ImportUsageErrors) {
    writeFileBytes(path("tiny.bdf"), kSmallBdf);
    const QString in = path("tiny.bdf");
    const QString out = path("out.fnt");
    const std::vector<std::pair<QStringList, std::string>> cases = {
        {{"import", in},
         "import: usage: zelvik-cli import FILE [--font NAME] [--identifier ID] "
         "[--version 1.0|2.0] -o OUT.fnt"},
        {{"import", "-o", out},
         "import: usage: zelvik-cli import FILE [--font NAME] [--identifier ID] "
         "[--version 1.0|2.0] -o OUT.fnt"},
        {{"import", in, in, "-o", out}, "import: unexpected argument '" + in.toStdString() + "'"},
        {{"import", in, "--bytes", "vertical", "-o", out}, "import: unknown option '--bytes'"},
        {{"import", in, "--version", "3.0", "-o", out},
         "import: --version must be 1.0 or 2.0, not '3.0'"},
        {{"import", in, "--identifier", QString(256, 'a'), "-o", out},
         "import: --identifier is longer than 255 characters"},
        {{"import", in, "--identifier", "arrow\xE2\x86\x92", "-o", out},
         "import: --identifier 'arrow\xE2\x86\x92' is not a C identifier (letters, digits and "
         "_, not beginning with a digit, and no C or C++ keyword)"},
        {{"import", in, "--identifier", "a b", "-o", out},
         "import: --identifier 'a b' is not a C identifier (letters, digits and _, not "
         "beginning with a digit, and no C or C++ keyword)"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.err, "zelvik-cli: " + message + "\n");
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(BdfCommand, ExportTargetBdfWritesTheFontAsBdf) {
    const FontModel font = bdfExportFont(11);
    ASSERT_TRUE(writeFontFile(path("font.fnt"), FontFileVersion::V2, "lcd", 11, font));
    const CliRun run =
        runCli({"export", path("font.fnt"), "--target", "bdf", "-o", path("font.bdf")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readFileBytes(path("font.bdf")), serializeBdf(font, "lcd"));

    // And back: the same characters.
    const CliRun back = runCli({"import", path("font.bdf"), "-o", path("back.fnt")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    FontFileData read;
    ASSERT_TRUE(loadFontFile(path("back.fnt"), read));
    EXPECT_EQ(read.fontIdentifier, "lcd");
    EXPECT_EQ(read.ySize, 11);
    for (int code = 0; code < kCodeCount; ++code) {
        EXPECT_EQ(read.slots[code].name.empty(), !font.slots[code].defined()) << code;
        if (font.slots[code].defined()) {
            EXPECT_EQ(read.slots[code].xSize, font.slots[code].xSize) << code;
        }
    }
}

TEST_F(BdfCommand, ExportTargetBdfTakesNoPackingOptionsAndRefusesAnEmptyFont) {
    FontModel empty;
    ASSERT_TRUE(writeFontFile(path("empty.fnt"), FontFileVersion::V2, "e", 16, empty));
    const QString out = path("out.bdf");
    struct Case {
        QStringList args;
        int exitCode;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"export", path("empty.fnt"), "--target", "bdf", "--bytes", "vertical", "-o", out},
         2,
         "zelvik-cli: export: --target bdf takes no packing options ('--bytes')\n"},
        {{"export", path("empty.fnt"), "--invert-colors", "--target", "bdf", "-o", out},
         2,
         "zelvik-cli: export: --target bdf takes no packing options ('--invert-colors')\n"},
        {{"export", path("empty.fnt"), "--target", "bdf"},
         2,
         "zelvik-cli: export: -o OUT is required\n"},
        {{"export", "--target", "bdf", "-o", out}, 2, "zelvik-cli: export: no font file given\n"},
        {{"export", path("empty.fnt"), "--target", "bdf", "-o", out},
         1,
         "zelvik-cli: Can't export BDF file! The font has no characters to export.\n"},
        {{"export", path("missing.fnt"), "--target", "bdf", "-o", out},
         1,
         "zelvik-cli: Can't open font file!\nNo such file or directory\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(BdfCommand, ImportTellsTheKindByContentAndPicksOneOfSeveralFontsByName) {
    // Two u8g2 exports in one file, named as no u8g2 font is.
    FontModel other = drawnLibraryFont("other");
    other.slots['A'].pixels.fill(0);
    writeFileBytes(path("fonts.txt"),
                   generateLibrary(ExportTarget::U8g2, drawnLibraryFont()).source +
                       generateLibrary(ExportTarget::U8g2, other).source);
    const CliRun several = runCli({"import", path("fonts.txt"), "-o", path("out.fnt")});
    EXPECT_EQ(several.exitCode, 1);
    EXPECT_EQ(several.err,
              "zelvik-cli: The u8g2 file holds 2 fonts! Name the one to import: drawn, other\n");

    const CliRun picked =
        runCli({"import", path("fonts.txt"), "--font", "other", "-o", path("out.fnt")});
    ASSERT_EQ(picked.exitCode, 0) << picked.err;
    EXPECT_EQ(picked.err, "u8g2 import: 9 glyphs taken, 0 cut, 0 skipped\n");
    FontFileData written;
    ASSERT_TRUE(loadFontFile(path("out.fnt"), written));
    EXPECT_EQ(written.fontIdentifier, "other");
    EXPECT_EQ(written.slots['A'].pixels, other.slots['A'].pixels);
}
