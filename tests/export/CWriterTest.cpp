#include "ExportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zelvik;
using namespace zelvik::test;

namespace {

int find(const std::vector<std::string>& lines, const std::string& line) {
    const auto it = std::find(lines.begin(), lines.end(), line);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

std::string cLine(const std::string& text) {
    std::string line = "/*" + text;
    line.resize(78, ' ');
    return line + "*/";
}

} // namespace

TEST(CWriter, SourceOfASingleCharacterFont) {
    FontModel font = newExportFont();
    font.ySize = 10;
    defineCharacter(font, 65, "A", 2, {{0, 0}, {1, 9}});
    const GeneratedFiles files = generateFor(ExportTarget::C, font, {}, "fonts");
    bool crlf = false;
    const auto lines = crlfLines(files.source, &crlf);
    EXPECT_TRUE(crlf);

    EXPECT_EQ(lines[0], "/*" + std::string(76, '=') + "*/");
    EXPECT_EQ(lines[1], cLine(" Font name: fnt"));
    EXPECT_EQ(lines[2], cLine(" Characters: 1"));
    EXPECT_EQ(lines[3], cLine(" Maximal character x-size: 2"));
    EXPECT_EQ(lines[4], cLine(" Characters y-size: 10"));
    EXPECT_EQ(lines[5], "/*" + std::string(76, '=') + "*/");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "#include \"fonts.h\"");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "/*" + std::string(44, '=') + "*/");
    EXPECT_EQ(lines[10], "/*========= Character pointers table =========*/");
    EXPECT_EQ(lines[11], lines[9]);
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "TCLISTP fnt[256]=");
    EXPECT_EQ(lines[14], "\t{fnt_blank,");
    EXPECT_EQ(lines[15], "\t fnt_blank,");
    EXPECT_EQ(lines[14 + 65], "\t fnt_A,");
    EXPECT_EQ(lines[14 + 255], "\t fnt_blank};");
    EXPECT_EQ(lines[14 + 256], "");
    EXPECT_EQ(lines[14 + 257], "/*" + std::string(35, '=') + "*/");
    EXPECT_EQ(lines[14 + 258], "/*========= Characters data =========*/");

    const int at = find(lines, "/**  0x41 - 65  - 'A'  **/");
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at + 1], "TCDATA fnt_A[5]={2,");
    EXPECT_EQ(lines[at + 2], "\tb2b(0,0,0,0,0,0,0,1),b2b(0,0,0,0,0,0,0,0),");
    EXPECT_EQ(lines[at + 3], "\tb2b(0,0,0,0,0,0,0,0),b2b(0,0,0,0,0,0,1,0)};");
    EXPECT_EQ(lines[at + 4], "");
    EXPECT_EQ(lines[at + 5], "/**  0x100 - 256  **/");
    EXPECT_EQ(lines[at + 6], "TCDATA fnt_blank[17]={8,");
    EXPECT_EQ(lines.back(), "");
}

TEST(CWriter, HeaderDeclaresEverythingExtern) {
    FontModel font = newExportFont();
    font.ySize = 10;
    defineCharacter(font, 65, "A", 2);
    const GeneratedFiles files = generateFor(ExportTarget::C, font, {}, "fonts");
    bool crlf = false;
    const auto h = crlfLines(files.header, &crlf);
    EXPECT_TRUE(crlf);
    const std::vector<std::string> top = {
        "#ifndef fontsH",
        "#define fontsH",
        "",
        "#ifndef ZelvikTypes",
        "#define ZelvikTypes",
        "",
        "/*======= binar input =======*/",
        "#define b2b(b7,b6,b5,b4,b3,b2,b1,b0) ((unsigned char)((b7)*128u + (b6)*64u + "
        "(b5)*32u + (b4)*16u + (b3)*8u + (b2)*4u + (b1)*2u + (b0)))",
        "",
        "/*" + std::string(76, '=') + "*/",
        cLine(" You have to manualy set correct types TCDATA and TCLISTP"),
        cLine(" for your platform and compiler."),
        cLine(" "),
        cLine(" Keil C51 example:"),
        cLine(" Character data (TCDATA) are stored in code memory,"),
        cLine(" array of pointers to characters (TCLISTP) is stored in code memory"),
        cLine(" and pointers are pointing into code memory."),
        cLine(" "),
        cLine(" typedef unsigned char code TCDATA;"),
        cLine(" typedef TCDATA * code TCLISTP;"),
        "/*" + std::string(76, '=') + "*/",
        "",
        "typedef unsigned char TCDATA;",
        "typedef TCDATA* TCLISTP;",
        "",
        "#endif",
        "",
        "/*======= Character pointers table =======*/",
        "extern TCLISTP fnt[256];",
        "",
        "/*======= Characters data =======*/",
        "extern TCDATA fnt_A[5];",
        "extern TCDATA fnt_blank[17];",
        "",
        "#endif",
    };
    EXPECT_EQ(h, top);
    for (const auto& line : h)
        EXPECT_EQ(line.size() <= 80 || line.rfind("#define b2b", 0) == 0, true) << line;
}

TEST(CWriter, HorizontalBytesTitleAndArraySizes) {
    FontModel font = newExportFont();
    font.ySize = 8;
    defineCharacter(font, 66, "B", 5);
    ExportOptions o;
    o.vertical = false;
    const GeneratedFiles files = generateFor(ExportTarget::C, font, o, "my");
    const auto h = crlfLines(files.header);
    EXPECT_EQ(h[0], "#ifndef myH");
    EXPECT_EQ(h[6], "/*======= binary input =======*/");
    EXPECT_EQ(countOf(h, "extern TCDATA fnt_B[9];"), 1);
    const auto lines = crlfLines(files.source);
    const int at = find(lines, "TCDATA fnt_B[9]={5,");
    ASSERT_GE(at, 0);
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(lines[at + row], "\tb2b(0,0,0,0,0,0,0,0),") << row; // one byte per row
    EXPECT_EQ(lines[at + 8], "\tb2b(0,0,0,0,0,0,0,0)};");
}

TEST(CWriter, CodeCommentsPadTheDecimalCode) {
    FontModel font = newExportFont();
    font.ySize = 1;
    defineCharacter(font, 31, "us", 1);
    defineCharacter(font, 32, "space", 1);
    defineCharacter(font, 127, "del", 1);
    defineCharacter(font, 128, "euro", 1);
    const auto lines = crlfLines(generateFor(ExportTarget::C, font).source);
    EXPECT_GE(find(lines, "/**  0x1F - 31   **/"), 0);
    EXPECT_GE(find(lines, "/**  0x20 - 32  - ' '  **/"), 0);
    EXPECT_GE(find(lines, "/**  0x7F - 127 - '\x7f'  **/"), 0);
    EXPECT_GE(find(lines, "/**  0x80 - 128  **/"), 0);
}
