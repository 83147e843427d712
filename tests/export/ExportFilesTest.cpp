#include "ExportTestSupport.h"

#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zelvik;
using namespace zelvik::test;

namespace {

ExportPaths exportPathsForChosenName(ExportTarget target, const QString& name, int filterIndex) {
    return exportTarget(target).pathsForChosenName(name, filterIndex);
}

} // namespace

TEST(ExportPaths, FilterIndexChoosesTheExtension) {
    using T = ExportTarget;
    EXPECT_EQ(exportPathsForChosenName(T::C51, "/w/fonts", 1).source, "/w/fonts.a51");
    EXPECT_EQ(exportPathsForChosenName(T::C51, "/w/fonts.asm", 1).source, "/w/fonts.a51");
    EXPECT_EQ(exportPathsForChosenName(T::C51, "/w/fonts", 2).source, "/w/fonts.asm");
    EXPECT_EQ(exportPathsForChosenName(T::C51, "/w/fonts.txt", 3).source, "/w/fonts.txt");
    EXPECT_TRUE(exportPathsForChosenName(T::C51, "/w/fonts", 1).header.isEmpty());
    EXPECT_EQ(exportPathsForChosenName(T::Avr, "/w/old.fonts/data", 1).source,
              "/w/old.fonts/data.asm");
    EXPECT_EQ(exportPathsForChosenName(T::Avr, "/w/data.bin", 2).source, "/w/data.bin");

    const ExportPaths cpp = exportPathsForChosenName(T::C, "/w/fonts", 2);
    EXPECT_EQ(cpp.source, "/w/fonts.cpp");
    EXPECT_EQ(cpp.header, "/w/fonts.h");
    const ExportPaths c = exportPathsForChosenName(T::C, "/w/fonts.txt", 1);
    EXPECT_EQ(c.source, "/w/fonts.c");
    EXPECT_EQ(c.header, "/w/fonts.h");
    const ExportPaths my = exportPathsForChosenName(T::C, "/w/my.font", 1);
    EXPECT_EQ(my.source, "/w/my.c");
    EXPECT_EQ(my.header, "/w/my.h");
    EXPECT_EQ(includeGuardBase(my.header), "my");
    EXPECT_EQ(exportPathsForChosenName(T::C, "/w/x.y", 0).source, "/w/x.y");

    EXPECT_EQ(includeGuardBase("/a.b/fonts.h"), "fonts");
    EXPECT_EQ(includeGuardBase("/a.b/x.y.h"), "x.y");
    const ExportPaths out = exportTarget(T::C).pathsForOutput("/w/lcd.cpp");
    EXPECT_EQ(out.source, "/w/lcd.cpp");
    EXPECT_EQ(out.header, "/w/lcd.h");
}

TEST(ExportPaths, SaveFilterTexts) {
    EXPECT_EQ(exportTarget(ExportTarget::C51).filterText(),
              "C51 assembler file (*.a51)|*.a51|C51 assembler file (*.asm)|*.asm|All files "
              "(*.*)|*.*");
    EXPECT_EQ(exportTarget(ExportTarget::Avr).filterText(),
              "AVR assembler file (*.asm)|*.asm|All files (*.*)|*.*");
    EXPECT_EQ(exportTarget(ExportTarget::C).filterText(),
              "C source file (*.c)|*.c|C++ source file (*.cpp)|*.cpp");
    const auto dialog = dialogTargets();
    ASSERT_EQ(dialog.size(), 6u);
    EXPECT_EQ(dialog[1]->title, "AVR assembler");
}

TEST(ExportTargets, EachIsFoundByItsCommandLineNameAndWrites) {
    for (const ExportTargetInfo& target : exportTargets()) {
        SCOPED_TRACE(target.title.toStdString());
        EXPECT_EQ(exportTargetNamed(target.cliName), &target);
        EXPECT_EQ(&exportTarget(target.id), &target);
        ASSERT_NE(target.makeWriter, nullptr);
        EXPECT_FALSE(
            target.makeWriter()->generate({newExportFont(), "fnt", {}, "f"}).source.empty());
        EXPECT_EQ(target.hasHeader(), !target.headerFailureMessage.isEmpty());
    }
    EXPECT_EQ(exportTargetNamed("z80"), nullptr);
    EXPECT_EQ(exportTargetNamed(""), nullptr);
}

TEST(ExportChecks, EmptyFieldAndNamelessBlankAreRefused) {
    FontModel font = newExportFont("");
    EXPECT_EQ(checkExportable(font, "", ExportTarget::C).message,
              "Can't generate source file!\nThere is no name for this font!");
    EXPECT_TRUE(checkExportable(font, "fnt", ExportTarget::C).ok());

    font.slots[kBlankSlot].name.clear();
    EXPECT_EQ(checkExportable(font, "fnt", ExportTarget::C).message,
              "Can't generate source file!\nThe blank character #256 has no name!");
    // The empty field is reported first.
    EXPECT_EQ(checkExportable(font, "", ExportTarget::C).message,
              "Can't generate source file!\nThere is no name for this font!");

    for (int c = 0; c < kCodeCount; ++c)
        defineCharacter(font, c, "c" + std::to_string(c), 1);
    EXPECT_TRUE(checkBlankSlotName(font).ok()) << "no code needs the BlankSlot";
    font.slots[200].name.clear();
    EXPECT_FALSE(checkBlankSlotName(font).ok());
}

TEST(ExportChecks, NamesThatWouldNotCompileAreRefusedTheFirstNamed) {
    FontModel font = newExportFont("");
    defineCharacter(font, 65, "a-b", 3);
    defineCharacter(font, 66, "c d", 3);
    const auto refusal = [&](std::string_view field, ExportTarget target = ExportTarget::C) {
        return checkExportable(font, field, target).message.toStdString();
    };
    const std::string rule =
        " is not a C identifier (letters, digits and _, not beginning with a digit, and no C "
        "or C++ keyword)!";
    EXPECT_EQ(refusal("1abc"), "Can't generate source file!\nThe font name \"1abc\"" + rule);
    EXPECT_EQ(refusal("int"), "Can't generate source file!\nThe font name \"int\"" + rule);
    EXPECT_EQ(refusal("fnt"),
              "Can't generate source file!\nCharacter #65 would be named \"fnt_a-b\", which" +
                  rule);
    EXPECT_EQ(refusal("TCDATA"),
              "Can't generate source file!\nThe font name \"TCDATA\" is a name the source "
              "itself declares!");
    EXPECT_NE(refusal("TCDATA", ExportTarget::Avr), refusal("TCDATA")) << "only C declares it";

    // A label can be a keyword although its parts are none; a leading digit
    // of a name is fine behind the prefix.
    defineCharacter(font, 65, "t", 3);
    defineCharacter(font, 66, "1x", 3);
    EXPECT_NE(refusal("char8").find("Character #65 would be named \"char8_t\""), std::string::npos);
    EXPECT_EQ(refusal("lcd"), "");
    // The identifier checked is the one exported: the font's own wins over the field.
    font.fontIdentifier = "a-b";
    EXPECT_NE(refusal("lcd").find("\"a-b\""), std::string::npos);
}

TEST(ExportChecks, IdentifierFallsBackToTheFieldOnlyWhenEmpty) {
    FontModel font = newExportFont("");
    EXPECT_EQ(exportIdentifier(font, "lcd"), "lcd");
    EXPECT_EQ(exportIdentifier(font, std::string(300, 'k')), std::string(255, 'k'));
    font.fontIdentifier = "fnt";
    EXPECT_EQ(exportIdentifier(font, "other"), "fnt");
}

class ExportFontTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(ExportFontTest, WritesTheGeneratedBytesAndAdoptsTheFieldIdentifier) {
    FontModel font = newExportFont("");
    const ExportPaths paths = exportPathsForChosenName(ExportTarget::C, path("fonts"), 1);
    ASSERT_TRUE(exportFont(font, "lcd", ExportTarget::C, {}, paths));
    EXPECT_EQ(font.fontIdentifier, "lcd");
    const GeneratedFiles expected = generateFor(ExportTarget::C, font, {}, "fonts");
    EXPECT_EQ(readFileBytes(path("fonts.c")), expected.source);
    EXPECT_EQ(readFileBytes(path("fonts.h")), expected.header);

    // A set identifier wins over a different field text.
    const ExportPaths asmPaths = exportPathsForChosenName(ExportTarget::Avr, path("f"), 1);
    ASSERT_TRUE(exportFont(font, "other", ExportTarget::Avr, {}, asmPaths));
    EXPECT_EQ(font.fontIdentifier, "lcd");
    EXPECT_EQ(readFileBytes(path("f.asm")), generateFor(ExportTarget::Avr, font).source);

    // A name that would not compile: refused, nothing written.
    defineCharacter(font, 70, "F-1", 2);
    const ExportPaths refused = exportPathsForChosenName(ExportTarget::C, path("bad"), 1);
    EXPECT_EQ(exportFont(font, "lcd", ExportTarget::C, {}, refused).failure, Failure::Refused);
    EXPECT_FALSE(QFile::exists(path("bad.c")));
    EXPECT_FALSE(QFile::exists(path("bad.h")));
}

TEST_F(ExportFontTest, ExistingFileIsReplaced) {
    writeFileBytes(path("f.a51"), "old text that is much longer than nothing");
    FontModel font = newExportFont();
    ASSERT_TRUE(exportFont(font, "fnt", ExportTarget::C51, {}, {path("f.a51"), {}}));
    EXPECT_EQ(readFileBytes(path("f.a51")), generateFor(ExportTarget::C51, font).source);
}

TEST_F(ExportFontTest, RefusalsLeaveNoFileAndKeepTheFont) {
    FontModel font = newExportFont("");
    const ExportPaths paths{path("f.c"), path("f.h")};
    EXPECT_EQ(exportFont(font, "", ExportTarget::C, {}, paths).message,
              "Can't generate source file!\nThere is no name for this font!");
    font.slots[kBlankSlot].name.clear();
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::C, {}, paths).message,
              "Can't generate source file!\nThe blank character #256 has no name!");
    EXPECT_EQ(font.fontIdentifier, "");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ExportFontTest, UnwritableTargetReportsTheCreationMessage) {
    FontModel font = newExportFont("");
    const QString missing = path("no/such/folder/f.asm");
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::Avr, {}, {missing, {}}).message,
              "Can't create file!");
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::C51, {}, {missing, {}}).message,
              "Can't create file!");
    EXPECT_EQ(font.fontIdentifier, "") << "the fallback only applies to a written export";
    EXPECT_EQ(
        exportFont(font, "fnt", ExportTarget::C, {}, {path("no/f.c"), path("no/f.h")}).message,
        "Can't create source file!");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ExportFontTest, HeaderFailureLeavesNoEmptySourceBehind) {
    // The header's name is taken by a folder: nothing may be written at all.
    ASSERT_TRUE(QDir(dir.path()).mkdir("f.h"));
    FontModel font = newExportFont();
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::C, {}, {path("f.c"), path("f.h")}).message,
              "Can't create header file!");
    EXPECT_FALSE(QFile::exists(path("f.c")));

    // An older source of that name stays as it was.
    writeFileBytes(path("f.c"), "previous");
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::C, {}, {path("f.c"), path("f.h")}).message,
              "Can't create header file!");
    EXPECT_EQ(readFileBytes(path("f.c")), "previous");
}

TEST_F(ExportFontTest, SourceAndHeaderOfTheSameNameAreRefused) {
    FontModel font = newExportFont();
    EXPECT_EQ(exportFont(font, "fnt", ExportTarget::C, {}, {path("f.h"), path("f.h")}).message,
              "Can't create header file!");
    EXPECT_FALSE(QFile::exists(path("f.h")));
}
