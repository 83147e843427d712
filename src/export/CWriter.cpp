#include "export/CWriter.h"

#include "export/WriterText.h"

#include <array>
#include <cstdio>

namespace zelvik {

using namespace writer;

namespace {

// "/*", n times c, "*/", line end.
void appendRule(std::string& out, char c, int n) {
    out += "/*";
    out.append(static_cast<std::size_t>(n), c);
    out += "*/\r\n";
}

// "/*", n "=", " T ", n "=", "*/", line end.
void appendTitle(std::string& out, std::string_view title, int n) {
    out += "/*";
    out.append(static_cast<std::size_t>(n), '=');
    out += ' ';
    out += title;
    out += ' ';
    out.append(static_cast<std::size_t>(n), '=');
    out += "*/\r\n";
}

// A titled section opening: rule, title, rule, all of one length, then an empty line.
void appendBanner(std::string& out, std::string_view title) {
    const int rule = static_cast<int>(title.size()) + 20;
    appendRule(out, '=', rule);
    appendTitle(out, title, 9);
    appendRule(out, '=', rule);
    out += kEol;
}

// An 80-character comment line: "/*", the text padded to 76, "*/".
void appendCommentLine(std::string& out, std::string_view text) {
    out += "/*";
    out += text;
    if (text.size() < 76)
        out.append(76 - text.size(), ' ');
    out += "*/\r\n";
}

constexpr std::array<std::string_view, 10> kTypeAdvice = {
    " You have to manualy set correct types TCDATA and TCLISTP",
    " for your platform and compiler.",
    " ",
    " Keil C51 example:",
    " Character data (TCDATA) are stored in code memory,",
    " array of pointers to characters (TCLISTP) is stored in code memory",
    " and pointers are pointing into code memory.",
    " ",
    " typedef unsigned char code TCDATA;",
    " typedef TCDATA * code TCLISTP;",
};

void appendCodeComment(std::string& out, int code) {
    char buffer[48];
    if (code >= 32 && code <= 127)
        std::snprintf(buffer, sizeof buffer, "/**  0x%02X - %-3d - '%c'  **/\r\n", code, code,
                      static_cast<char>(code));
    else
        std::snprintf(buffer, sizeof buffer, "/**  0x%02X - %-3d  **/\r\n", code, code);
    out += buffer;
}

void appendHeaderTop(std::string& h, std::string_view guardBase, bool vertical) {
    h += "#ifndef ";
    h += guardBase;
    h += "H\r\n#define ";
    h += guardBase;
    h += "H\r\n\r\n";
    h += "#ifndef ZelvikTypes\r\n#define ZelvikTypes\r\n\r\n";
    appendTitle(h, vertical ? "binar input" : "binary input", 7);
    h += "#define b2b(b7,b6,b5,b4,b3,b2,b1,b0) ((unsigned char)((b7)*128u + (b6)*64u + "
         "(b5)*32u + (b4)*16u + (b3)*8u + (b2)*4u + (b1)*2u + (b0)))\r\n\r\n";
    appendRule(h, '=', 76);
    for (std::string_view line : kTypeAdvice)
        appendCommentLine(h, line);
    appendRule(h, '=', 76);
    h += kEol;
    h += "typedef unsigned char TCDATA;\r\n";
    h += "typedef TCDATA* TCLISTP;\r\n\r\n";
    h += "#endif\r\n\r\n";
}

} // namespace

void CWriter::writeTableStart(Output& out) const {
    std::string& src = out.source;
    src += "#include \"";
    src += out.job.guardBase;
    src += ".h\"\r\n\r\n";
    appendBanner(src, "Character pointers table");
    src += "TCLISTP ";
    src += out.id;
    src += "[256]=\r\n\t{";
}

void CWriter::writeTableEntry(Output& out, int code, std::string_view name) const {
    // A pointer as small controllers hold it: two bytes.
    out.stats.compiledSize += 2;
    appendLabel(out.source, out.id, name);
    if (code + 1 < kCodeCount)
        out.source += ",\r\n\t ";
}

void CWriter::writeTableEnd(Output& out) const {
    out.source += "};\r\n\r\n";

    std::string& h = out.header;
    appendHeaderTop(h, out.job.guardBase, out.job.options.vertical);
    appendTitle(h, "Character pointers table", 7);
    h += "extern TCLISTP ";
    h += out.id;
    h += "[256];\r\n\r\n";
    appendTitle(h, "Characters data", 7);

    appendBanner(out.source, "Characters data");
}

void CWriter::writeCharacter(Output& out, const Character& c) const {
    std::string& src = out.source;
    const int elements = 1 + static_cast<int>(c.data.size());
    out.stats.compiledSize += elements;
    const std::size_t perUnit = static_cast<std::size_t>(c.bytesPerUnit);

    appendCodeComment(src, c.index);
    src += "TCDATA ";
    appendLabel(src, out.id, c.name);
    src += '[';
    appendInt(src, elements);
    src += "]={";
    appendInt(src, c.xSize);
    src += ",\r\n\t";
    for (std::size_t i = 0; i < c.data.size(); ++i) {
        src += "b2b(";
        appendBitsWithCommas(src, c.data[i]);
        src += ')';
        if (i + 1 == c.data.size())
            src += "};\r\n\r\n";
        else if ((i + 1) % perUnit == 0)
            src += ",\r\n\t";
        else
            src += ',';
    }

    // Declared extern: a plain declaration would define the array in
    // every file that includes the header.
    std::string& h = out.header;
    h += "extern TCDATA ";
    appendLabel(h, out.id, c.name);
    h += '[';
    appendInt(h, elements);
    h += "];\r\n";
}

void CWriter::writeEnd(Output& out) const {
    out.header += "\r\n#endif\r\n";
}

} // namespace zelvik
