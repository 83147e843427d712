#include "ExportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zelvik;
using namespace zelvik::test;

namespace {

std::string blockLine(const std::string& text) {
    std::string line = ";" + text;
    line.resize(80, ' ');
    return line;
}

// Index of the first line equal to `line`, or -1.
int find(const std::vector<std::string>& lines, const std::string& line) {
    const auto it = std::find(lines.begin(), lines.end(), line);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

} // namespace

TEST(C51Writer, NewFontLayoutAndStatistics) {
    const FontModel font = newExportFont();
    const GeneratedFiles files = generateFor(ExportTarget::C51, font);
    bool crlf = false;
    const auto lines = crlfLines(files.source, &crlf);
    EXPECT_TRUE(crlf);
    EXPECT_TRUE(files.header.empty());

    ASSERT_GE(lines.size(), 9u + 256 + 1 + 9);
    EXPECT_EQ(lines[0], ";compiler: asem51");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], ";" + std::string(79, '='));
    EXPECT_EQ(lines[3], blockLine(" Font name: fnt"));
    EXPECT_EQ(lines[4], blockLine(" Characters: 0"));
    EXPECT_EQ(lines[5], blockLine(" Maximal character x-size: 0"));
    EXPECT_EQ(lines[6], blockLine(" Characters y-size: 16"));
    EXPECT_EQ(lines[7], blockLine(" Compiled file size: 529B, 99.8% used"));
    EXPECT_EQ(lines[8], ";" + std::string(79, '='));
    EXPECT_EQ(lines[9], "fnt:\tdw\tfnt_blank\t;0  ");
    EXPECT_EQ(lines[10], "\tdw\tfnt_blank\t;1  ");
    EXPECT_EQ(lines[9 + 65], "\tdw\tfnt_blank\t;65 ");
    EXPECT_EQ(lines[9 + 255], "\tdw\tfnt_blank\t;255");
    EXPECT_EQ(lines[9 + 256], "");
    EXPECT_EQ(lines[9 + 257], "fnt_blank:\tdb\t8");
    EXPECT_EQ(countOf(lines, "\tdb\t00000000b,00000000b"), 8);
    EXPECT_EQ(lines.size(), 9u + 256 + 1 + 9);
    EXPECT_EQ(files.statistics.compiledSize, 529);
}

TEST(C51Writer, CharacterLinesFollowTheUnits) {
    FontModel font = newExportFont();
    font.ySize = 8;
    defineCharacter(font, 65, "A", 2, {{0, 0}, {1, 7}});
    auto lines = crlfLines(generateFor(ExportTarget::C51, font).source);
    int at = find(lines, "fnt_A:\tdb\t2");
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at + 1], "\tdb\t00000001b");
    EXPECT_EQ(lines[at + 2], "\tdb\t10000000b");
    EXPECT_EQ(lines[at + 3], "fnt_blank:\tdb\t8"); // no empty line between characters
    EXPECT_EQ(lines[9 + 65], "\tdw\tfnt_A\t;65 ");

    font.ySize = 12; // two bytes per column
    lines = crlfLines(generateFor(ExportTarget::C51, font).source);
    at = find(lines, "fnt_A:\tdb\t2");
    EXPECT_EQ(lines[at + 1], "\tdb\t00000001b,00000000b");

    ExportOptions horizontal;
    horizontal.vertical = false;
    defineCharacter(font, 66, "B", 20);
    lines = crlfLines(generateFor(ExportTarget::C51, font, horizontal).source);
    at = find(lines, "fnt_B:\tdb\t20");
    ASSERT_GE(at, 0);
    for (int row = 1; row <= 12; ++row)
        EXPECT_EQ(lines[at + row], "\tdb\t00000000b,00000000b,00000000b");
    EXPECT_EQ(lines[at + 13], "fnt_blank:\tdb\t8");
}

TEST(AvrWriter, NewFontLayoutAndStatistics) {
    const FontModel font = newExportFont();
    const GeneratedFiles files = generateFor(ExportTarget::Avr, font);
    bool crlf = false;
    const auto lines = crlfLines(files.source, &crlf);
    EXPECT_TRUE(crlf);
    EXPECT_EQ(lines[0], ";compiler: avrasm");
    EXPECT_EQ(lines[3], blockLine(" Font name: fnt"));
    EXPECT_EQ(lines[4], blockLine(" Characters: 0"));
    EXPECT_EQ(lines[5], blockLine(" Maximal character x-size: 0"));
    EXPECT_EQ(lines[6], blockLine(" Characters y-size: 16"));
    // 17 bytes of BlankSlot data round up to 18: 512 + 18.
    EXPECT_EQ(lines[7], blockLine(" Compiled file size: 530B, 99.8% used"));
    EXPECT_EQ(files.statistics.usedBits, 4096 + 8 + 128);
    EXPECT_EQ(lines[9], "fnt:\t.dw\tfnt_blank*2\t;0  ");
    EXPECT_EQ(lines[9 + 255], "\t.dw\tfnt_blank*2\t;255");
    EXPECT_EQ(lines[9 + 256], "");
    // The BlankSlot: x-size and 16 zero bytes, two per line, nine lines.
    EXPECT_EQ(lines[9 + 257], "fnt_blank:\t.db\t8         ,0b00000000");
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(lines[9 + 257 + k], "\t.db\t0b00000000,0b00000000");
    EXPECT_EQ(lines[9 + 257 + 8], "\t.db\t0b00000000");
    EXPECT_EQ(lines.size(), 9u + 257 + 9);
}

TEST(AvrWriter, TwoBytesPerLineWhateverTheUnits) {
    FontModel font = newExportFont();
    font.ySize = 8;
    defineCharacter(font, 65, "A", 2, {{0, 0}, {1, 7}});
    defineCharacter(font, 66, "I", 1, {{0, 3}});
    const GeneratedFiles files = generateFor(ExportTarget::Avr, font);
    const auto lines = crlfLines(files.source);
    int at = find(lines, "fnt_A:\t.db\t2         ,0b00000001");
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at + 1], "\t.db\t0b10000000");
    // One data byte: the x-size and the byte on one line.
    EXPECT_EQ(lines[at + 2], "fnt_I:\t.db\t1         ,0b00001000");
    EXPECT_EQ(lines[9 + 65], "\t.dw\tfnt_A*2\t;65 ");
    // A: 3 bytes count as 4, I: 2, blank (8 columns + x-size = 9) as 10.
    EXPECT_EQ(files.statistics.compiledSize, 512 + 4 + 2 + 10);
    EXPECT_EQ(files.statistics.characters, 2);
    EXPECT_EQ(files.statistics.maxXSize, 2);
    EXPECT_EQ(files.statistics.sumXSize, 2 + 1 + 8);
}

TEST(AssemblerWriters, UndefinedCodesNameTheRenamedBlankSlot) {
    FontModel font = newExportFont();
    font.slots[kBlankSlot].name = "Substitute";
    const auto c51 = crlfLines(generateFor(ExportTarget::C51, font).source);
    EXPECT_EQ(c51[9], "fnt:\tdw\tfnt_Substitute\t;0  ");
    const auto avr = crlfLines(generateFor(ExportTarget::Avr, font).source);
    EXPECT_EQ(avr[9], "fnt:\t.dw\tfnt_Substitute*2\t;0  ");
}

TEST(AssemblerWriters, BlankSlotCountsInSizeButNotInCharacters) {
    FontModel font = newExportFont();
    font.ySize = 8;
    font.slots[kBlankSlot].xSize = 30; // wider than any code: still not the maximum
    defineCharacter(font, 0, "nul", 4);
    defineCharacter(font, 255, "last", 3);
    const GeneratedFiles files = generateFor(ExportTarget::C51, font);
    EXPECT_EQ(files.statistics.characters, 2);
    EXPECT_EQ(files.statistics.maxXSize, 4);
    EXPECT_EQ(files.statistics.sumXSize, 4 + 3 + 30);
    EXPECT_EQ(files.statistics.compiledSize, 512 + 5 + 4 + 31);
    const auto lines = crlfLines(files.source);
    EXPECT_EQ(lines[9], "fnt:\tdw\tfnt_nul\t;0  ");
    EXPECT_EQ(lines[9 + 255], "\tdw\tfnt_last\t;255");
    EXPECT_EQ(lines[9 + 257], "fnt_nul:\tdb\t4");
}

TEST(AssemblerWriters, FullyDefinedFontWithoutBlankNameEmitsNoBlank) {
    FontModel font = newExportFont();
    font.ySize = 8;
    for (int c = 0; c < kCodeCount; ++c)
        defineCharacter(font, c, "c" + std::to_string(c), 1);
    font.slots[kBlankSlot].name.clear();
    const auto files = generateFor(ExportTarget::C51, font);
    EXPECT_EQ(files.source.find("fnt_:"), std::string::npos);
    EXPECT_EQ(files.source.find("fnt_\t"), std::string::npos);
    EXPECT_EQ(files.statistics.compiledSize, 512 + 256 * 2);
}

TEST(StatisticsBlock, LongIdentifierIsShortenedToItsLine) {
    for (ExportTarget target : {ExportTarget::C51, ExportTarget::Avr, ExportTarget::C}) {
        const std::string identifier(200, 'x');
        const FontModel font = newExportFont(identifier);
        const auto lines = crlfLines(generateFor(target, font).source);
        const bool c = target == ExportTarget::C;
        const int first = c ? 1 : 3;
        const std::string& nameLine = lines[first];
        EXPECT_EQ(nameLine.size(), 80u);
        if (c) {
            EXPECT_EQ(nameLine.substr(0, 3 + 11), "/* Font name: ");
            EXPECT_EQ(nameLine.substr(75, 5), "...*/");
        } else {
            EXPECT_EQ(nameLine.substr(0, 2 + 11), "; Font name: ");
            EXPECT_EQ(nameLine.substr(77), "...");
        }
        // The block keeps its shape: the following line still holds the next text.
        EXPECT_NE(lines[first + 1].find("Characters: 0"), std::string::npos);
    }
}

TEST(StatisticsBlock, IdentifierThatJustFitsIsKeptWhole) {
    const std::string asmFits(67, 'a'); // "Font name: " + 67 = 78
    const auto asmLines = crlfLines(generateFor(ExportTarget::C51, newExportFont(asmFits)).source);
    EXPECT_EQ(asmLines[3], "; Font name: " + asmFits);
    const std::string cFits(64, 'c'); // "Font name: " + 64 = 75
    const auto cLines = crlfLines(generateFor(ExportTarget::C, newExportFont(cFits)).source);
    EXPECT_EQ(cLines[1], "/* Font name: " + cFits + "*/");
}
