#include "cli/ExportCommand.h"
#include "export/DisplayPreset.h"
#include "export/ExportFiles.h"
#include "export/ExportTestSupport.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <map>

#ifdef Q_OS_LINUX
#include "font/PrivateTmpfs.h"
#endif

using namespace zelvik;
using namespace zelvik::cli;
using namespace zelvik::test;

namespace {

class ExportCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::map<std::string, FontModel> fonts;

    ExportCommandTest() {
        FontModel font = newExportFont("lcd");
        font.ySize = 10;
        defineCharacter(font, 65, "A", 3, {{0, 0}, {0, 9}, {2, 1}});
        defineCharacter(font, 66, "B", 10, {{9, 0}, {1, 1}});
        fonts["good.fnt"] = font;
        fonts["noname.fnt"] = newExportFont("");
        FontModel noBlank = newExportFont("lcd");
        noBlank.slots[kBlankSlot].name.clear();
        fonts["noblank.fnt"] = noBlank;
        // As another program may write it: the editor's field never gives a space.
        fonts["spaced.fnt"] = newExportFont("my font");
    }

    std::string out(const std::string& name) const {
        return dir.filePath(name.c_str()).toStdString();
    }

    // Runs the command; stderr is returned through `errors`.
    int run(const Args& args, std::string* errors = nullptr) {
        FontLoader load = [this](const std::string& path) -> Result<FontModel> {
            const auto it = fonts.find(path);
            if (it == fonts.end())
                return Result<>::fail(Failure::CannotOpen, "Can't open font file!");
            return it->second;
        };
        ::testing::internal::CaptureStderr();
        const int status = runExportWith(args, load);
        const std::string err = ::testing::internal::GetCapturedStderr();
        if (errors)
            *errors = err;
        return status;
    }

    bool outputFolderEmpty() const { return QDir(dir.path()).isEmpty(); }
};

} // namespace

TEST_F(ExportCommandTest, WritesWhatTheEditorWritesForEveryOption) {
    struct Case {
        Args flags;
        ExportOptions options;
    };
    ExportOptions v;
    ExportOptions h;
    h.vertical = false;
    auto with = [](ExportOptions o, bool ExportOptions::*field) {
        o.*field = true;
        return o;
    };
    const std::vector<Case> cases = {
        {{"--bytes", "vertical"}, v},
        {{"--bytes", "vertical", "--top-side-to-msb"}, with(v, &ExportOptions::topSideToMSB)},
        {{"--bytes", "vertical", "--right-side-first"}, with(v, &ExportOptions::rightSideFirst)},
        {{"--bytes", "vertical", "--align-to-msb"}, with(v, &ExportOptions::alignToMSB)},
        {{"--bytes", "vertical", "--invert-colors"}, with(v, &ExportOptions::invertColors)},
        {{"--bytes", "vertical", "--big-endian"}, with(v, &ExportOptions::bigEndian)},
        {{"--bytes", "horizontal"}, h},
        {{"--bytes", "horizontal", "--right-side-to-lsb"}, with(h, &ExportOptions::rightSideToLSB)},
        {{"--bytes", "horizontal", "--bottom-side-first"},
         with(h, &ExportOptions::bottomSideFirst)},
        {{"--big-endian", "--bytes", "horizontal"}, with(h, &ExportOptions::bigEndian)},
    };
    const FontModel& font = fonts["good.fnt"];
    for (const Case& c : cases) {
        for (const char* target : {"c51", "avr"}) {
            Args args = {"good.fnt", "--target", target, "-o", out("f.txt")};
            args.insert(args.end(), c.flags.begin(), c.flags.end());
            ASSERT_EQ(run(args), kSuccess) << target << " " << c.flags.back();
            const auto t = std::string(target) == "avr" ? ExportTarget::Avr : ExportTarget::C51;
            EXPECT_EQ(readFileBytes(dir.filePath("f.txt")), generateFor(t, font, c.options).source)
                << target << " " << c.flags.back();
        }
    }
}

TEST_F(ExportCommandTest, CTargetWritesTheSourceAsGivenAndTheHeaderBesideIt) {
    ASSERT_EQ(run({"good.fnt", "--target", "c", "--bytes", "horizontal", "-o", out("lcd.cpp")}),
              kSuccess);
    ExportOptions h;
    h.vertical = false;
    const GeneratedFiles expected = generateFor(ExportTarget::C, fonts["good.fnt"], h, "lcd");
    EXPECT_EQ(readFileBytes(dir.filePath("lcd.cpp")), expected.source);
    EXPECT_EQ(readFileBytes(dir.filePath("lcd.h")), expected.header);
}

TEST_F(ExportCommandTest, DisplayPresetsExportWithTheirPackingAndAgreeingFlags) {
    const FontModel& font = fonts["good.fnt"];
    for (const DisplayPreset& preset : displayPresets()) {
        if (preset.custom())
            continue;
        const Args args = {"good.fnt", "--target",  "avr", "--display", std::string(preset.cliName),
                           "-o",       out("p.asm")};
        ASSERT_EQ(run(args), kSuccess) << preset.cliName;
        EXPECT_EQ(readFileBytes(dir.filePath("p.asm")),
                  generateFor(ExportTarget::Avr, font, preset.options).source)
            << preset.cliName;
    }
    // Options the preset sets may be repeated beside it.
    ASSERT_EQ(run({"good.fnt", "--target", "c51", "--display", "st7920", "--bytes", "horizontal",
                   "--big-endian", "-o", out("p.a51")}),
              kSuccess);
    EXPECT_EQ(readFileBytes(dir.filePath("p.a51")),
              generateFor(ExportTarget::C51, font, displayPresetNamed("st7920")->options).source);
}

TEST_F(ExportCommandTest, UsageErrorsExitTwoAndWriteNothing) {
    const std::vector<Args> wrong = {
        {},
        {"good.fnt", "--bytes", "vertical", "-o", out("x")},
        {"good.fnt", "--target", "c51", "-o", out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "vertical"},
        {"good.fnt", "--target", "z80", "--bytes", "vertical", "-o", out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "diagonal", "-o", out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "vertical", "--right-side-to-lsb", "-o",
         out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "horizontal", "--top-side-to-msb", "-o",
         out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "vertical", "--wobble", "-o", out("x")},
        {"good.fnt", "other.fnt", "--target", "c51", "--bytes", "vertical", "-o", out("x")},
        {"good.fnt", "--target", "c51", "--target", "avr", "--bytes", "vertical", "-o", out("x")},
        {"good.fnt", "--target", "c51", "--bytes", "vertical", "-o"},
        {"good.fnt", "--target", "c", "--bytes", "vertical", "-o", out("x.h")},
        {"good.fnt", "--target", "c", "--display", "hd44780", "-o", out("x")},
        {"good.fnt", "--target", "c", "--display", "custom", "-o", out("x")},
        {"good.fnt", "--target", "c", "--display", "ssd1306", "--bytes", "horizontal", "-o",
         out("x")},
        {"good.fnt", "--target", "c", "--display", "ssd1306", "--top-side-to-msb", "-o", out("x")},
        {"good.fnt", "--target", "c", "--display", "st7920", "--invert-colors", "-o", out("x")},
        {"good.fnt", "--target", "bdf", "--display", "ssd1306", "-o", out("x")},
    };
    for (const Args& args : wrong) {
        std::string errors;
        EXPECT_EQ(run(args, &errors), kUsage) << ::testing::PrintToString(args);
        EXPECT_EQ(errors.rfind("zelvik-cli: export: ", 0), 0u) << errors;
    }
    EXPECT_TRUE(outputFolderEmpty());
}

TEST_F(ExportCommandTest, RefusedFontsExitOneWithTheEditorsMessage) {
    std::string errors;
    EXPECT_EQ(
        run({"noname.fnt", "--target", "c", "--bytes", "vertical", "-o", out("a.c")}, &errors),
        kRefused);
    EXPECT_EQ(errors, "zelvik-cli: Can't generate source file! There is no name for this font!\n");
    EXPECT_EQ(
        run({"noblank.fnt", "--target", "avr", "--bytes", "vertical", "-o", out("a.asm")}, &errors),
        kRefused);
    EXPECT_EQ(errors,
              "zelvik-cli: Can't generate source file! The blank character #256 has no name!\n");
    EXPECT_EQ(
        run({"missing.fnt", "--target", "avr", "--bytes", "vertical", "-o", out("a.asm")}, &errors),
        kRefused);
    EXPECT_EQ(errors, "zelvik-cli: Can't open font file!\n");
    EXPECT_EQ(
        run({"spaced.fnt", "--target", "c", "--bytes", "vertical", "-o", out("a.c")}, &errors),
        kRefused);
    EXPECT_NE(errors.find("The font name \"my font\" is not a C identifier"), std::string::npos)
        << errors;
    EXPECT_TRUE(outputFolderEmpty());

    EXPECT_EQ(run({"good.fnt", "--target", "c51", "--bytes", "vertical", "-o", out("none/a.a51")},
                  &errors),
              kRefused);
    EXPECT_EQ(errors, "zelvik-cli: Can't create file!\nNo such file or directory\n")
        << "the message, then the system's reason";
}

#ifdef Q_OS_LINUX
TEST_F(ExportCommandTest, WriteOntoAReadOnlyFileSystemPrintsTheSystemsReason) {
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 1024 * 1024, [&] {
        if (!remountReadOnly(folder))
            return kCannotSetUp;
        std::string errors;
        const Args args = {"good.fnt", "--target", "c", "--bytes", "vertical", "-o", out("a.c")};
        if (run(args, &errors) != kRefused)
            return 1;
        const std::string expected =
            std::string("zelvik-cli: Can't create source file!\n") + std::strerror(EROFS) + "\n";
        return errors == expected && outputFolderEmpty() ? 0 : 2;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private read-only tmpfs here";
    EXPECT_EQ(status, 0) << "failed check " << status;
}
#endif
