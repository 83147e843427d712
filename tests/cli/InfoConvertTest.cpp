// zelvik-cli info and convert, run as the real program the way scripts run it.
#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

TEST(CliInfo, PrintsTheSummaryAndEveryDefinedSlotInTheFixedFormat) {
    QTemporaryDir dir;
    FontModel font = newFont();
    font.slots[65].name = "UA";
    font.slots[65].xSize = 6;
    font.slots[0x8A].name = "\x8A"; // Windows-1250 S caron, printed as UTF-8
    font.slots[0x8A].xSize = 7;
    font.slots[200].xSize = 30; // undefined: neither listed nor counted
    font.slots[kBlankSlot].xSize = 3;
    const QString path = dir.filePath("font.fnt");
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V1, "abc", 16, font));

    const CliRun run = runCli({"info", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "version: 1.0\n"
                       "identifier: abc\n"
                       "y-size: 16\n"
                       "baseline: 16\n"
                       "defined: 2\n"
                       "max-x-size: 7\n"
                       "65 UA 6\n"
                       "138 \xC5\xA0 7\n"
                       "256 blank 3\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliInfo, LeavesOutAnUnnamedBlankSlot) {
    QTemporaryDir dir;
    FontModel font = newFont();
    font.slots[kBlankSlot].name.clear();
    font.ySize = 20;
    const QString path = dir.filePath("font.fnt");
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V2, "", 20, font));
    EXPECT_EQ(runCli({"info", path}).out, "version: 2.0\n"
                                          "identifier: \n"
                                          "y-size: 20\n"
                                          "baseline: 20\n"
                                          "defined: 0\n"
                                          "max-x-size: 0\n");
}

TEST(CliInfo, RefusesWhatTheEditorRefusesWithItsMessage) {
    QTemporaryDir dir;
    const QString damaged = dir.filePath("damaged.fnt");
    writeFileBytes(damaged,
                   serializeFontFile(FontFileVersion::V2, "abc", 16, newFont()).substr(0, 99));

    CliRun run = runCli({"info", damaged});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zelvik-cli: Invalid font file format or version!\n");
    EXPECT_EQ(run.out, "");

    run = runCli({"info", dir.filePath("missing.fnt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zelvik-cli: Can't open font file!\nNo such file or directory\n");

    EXPECT_EQ(runCli({"info"}).exitCode, 2);
    EXPECT_EQ(runCli({"info", damaged, damaged}).exitCode, 2);
}

TEST(CliConvert, WritesTheChosenVersionAsTheEditorWould) {
    QTemporaryDir dir;
    FontModel font = newFont();
    font.slots[65].name = "UA";
    font.slots[65].xSize = 6;
    font.slots[65].pixels[pixelIndex(5, 15)] = 1;
    font.slots[66].pixels[pixelIndex(20, 20)] = 1; // undefined: dropped by version 1.0
    const QString v2 = dir.filePath("v2.fnt");
    const QString v1 = dir.filePath("v1.fnt");
    const QString back = dir.filePath("back.fnt");
    ASSERT_TRUE(writeFontFile(v2, FontFileVersion::V2, "abc", 16, font));

    CliRun run = runCli({"convert", v2, "--version", "1.0", "-o", v1});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFileBytes(v1), serializeFontFile(FontFileVersion::V1, "abc", 16, font));
    run = runCli({"convert", "-o", back, v1, "--version", "2.0"}); // options in any order
    EXPECT_EQ(run.exitCode, 0) << run.err;
    font.slots[66].pixels.fill(0);
    EXPECT_EQ(readFileBytes(back), serializeFontFile(FontFileVersion::V2, "abc", 16, font));
}

TEST(CliConvert, KeepsTheBaselineThroughBothVersionsAndInfoPrintsIt) {
    QTemporaryDir dir;
    FontModel font = newFont();
    font.slots[65].name = "UA";
    setFontBaseline(font, 12);
    const QString v2 = dir.filePath("v2.fnt");
    const QString v1 = dir.filePath("v1.fnt");
    const QString back = dir.filePath("back.fnt");
    ASSERT_TRUE(writeFontFile(v2, FontFileVersion::V2, "abc", 16, font));

    EXPECT_EQ(runCli({"convert", v2, "--version", "1.0", "-o", v1}).exitCode, 0);
    EXPECT_EQ(readFileBytes(v1), serializeFontFile(FontFileVersion::V1, "abc", 16, font));
    EXPECT_EQ(runCli({"convert", v1, "--version", "2.0", "-o", back}).exitCode, 0);
    EXPECT_EQ(readFileBytes(back), readFileBytes(v2));
    EXPECT_NE(runCli({"info", back}).out.find("\ny-size: 16\nbaseline: 12\ndefined: 1\n"),
              std::string::npos);
}

TEST(CliConvert, RefusesVersionOneForAFontItCannotHold) {
    QTemporaryDir dir;
    FontModel font = newFont();
    font.slots[65].name = "UA";
    font.slots[65].xSize = 9;
    const QString in = dir.filePath("wide.fnt");
    const QString out = dir.filePath("out.fnt");
    ASSERT_TRUE(writeFontFile(in, FontFileVersion::V2, "abc", 16, font));

    const CliRun run = runCli({"convert", in, "--version", "1.0", "-o", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Version 1.0 can't hold this font"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--version 2.0"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(out));
}

TEST(CliConvert, ReportsInputsItRefusesAndOutputsItCannotWrite) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.fnt");
    ASSERT_TRUE(writeFontFile(in, FontFileVersion::V1, "abc", 16, newFont()));

    // The message, then the system's reason on a line of its own.
    CliRun run = runCli({"convert", in, "--version", "2.0", "-o", dir.filePath("no/dir/x.fnt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zelvik-cli: Can't create font file!\nNo such file or directory\n");

    const QString damaged = dir.filePath("damaged.fnt");
    writeFileBytes(damaged, "Zelvik_glyphV1.0abc");
    run = runCli({"convert", damaged, "--version", "2.0", "-o", dir.filePath("x.fnt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zelvik-cli: Invalid font file format or version!\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("x.fnt")));
}

TEST(CliConvert, UsageErrorsExitWithTwo) {
    const QString in = "in.fnt";
    for (const QStringList& args :
         {QStringList{"convert"}, QStringList{"convert", in, "-o", "x.fnt"},
          QStringList{"convert", in, "--version", "3.0", "-o", "x.fnt"},
          QStringList{"convert", in, "--version", "2.0"},
          QStringList{"convert", in, in, "--version", "2.0", "-o", "x.fnt"},
          QStringList{"convert", in, "--version", "2.0", "-o", "x.fnt", "--force"}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.empty());
    }
}

TEST(CliVersion, PrintsTheVersionOfTheAboutBox) {
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    // One line, "PROGRAM VERSION", as help2man and packagers read it.
    EXPECT_EQ(run.out, "zelvik-cli 1.10\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(runCli({"--help"}).out.find("--version"), std::string::npos);
}

// Every command reads its words with the same parser: its own --help, options
// as --name VALUE or --name=VALUE, and unknown options named as typed.
TEST(CliCommandLine, EveryCommandHasItsOwnHelpAndTheSameRules) {
    for (const char* command :
         {"info", "convert", "export", "image", "sample", "generate", "import"}) {
        const CliRun run = runCli({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command << ": " << run.err;
        EXPECT_EQ(run.out.rfind(std::string("Usage: zelvik-cli ") + command + " ", 0), 0u)
            << run.out;
        EXPECT_NE(run.out.find("--help"), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");

        const CliRun wrong = runCli({command, "x.fnt", "--wobble"});
        EXPECT_EQ(wrong.exitCode, 2) << command;
        EXPECT_EQ(wrong.err,
                  std::string("zelvik-cli: ") + command + ": unknown option '--wobble'\n");
    }
    const CliRun exportHelp = runCli({"export", "--help"});
    for (const char* option :
         {"--target <c51|avr|c|gfx|u8g2|lvgl|bdf>", "--bytes <vertical|horizontal>",
          "--right-side-first", "--invert-colors", "-o, --output <OUT>"})
        EXPECT_NE(exportHelp.out.find(option), std::string::npos) << option << "\n"
                                                                  << exportHelp.out;

    QTemporaryDir dir;
    const QString in = dir.filePath("in.fnt");
    const QString out = dir.filePath("out.fnt");
    ASSERT_TRUE(writeFontFile(in, FontFileVersion::V2, "abc", 16, newFont()));
    const CliRun equals = runCli({"convert", in, "--version=1.0", "--output=" + out});
    EXPECT_EQ(equals.exitCode, 0) << equals.err;
    EXPECT_EQ(readFileBytes(out), serializeFontFile(FontFileVersion::V1, "abc", 16, newFont()));

    const CliRun twice = runCli({"convert", in, "--version", "1.0", "-o", out, "-o", out});
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.err, "zelvik-cli: convert: -o given twice\n");
    const CliRun missing = runCli({"convert", in, "--version"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err.rfind("zelvik-cli: convert: ", 0), 0u) << missing.err;

    const CliRun beforeTheCommand = runCli({"--wobble", "info", in});
    EXPECT_EQ(beforeTheCommand.exitCode, 2);
    EXPECT_NE(beforeTheCommand.err.find("Usage: zelvik-cli COMMAND"), std::string::npos);
}
