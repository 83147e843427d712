#include "export/CWriter.h"

#include "export/PackCharacter.h"
#include "export/StatisticsBlock.h"
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

GeneratedFiles CWriter::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    const std::string& id = job.identifier;
    const int ySize = clampSize(font.ySize);
    GeneratedFiles files;
    ExportStatistics& stats = files.statistics;
    std::string& src = files.source;
    std::string& h = files.header;
    src.reserve(estimatedSize(font, ySize, job.options.vertical, 24));
    h.reserve(8 * 1024);

    const std::size_t block = appendStatisticsBlock(src, BlockStyle::C);
    src += "#include \"";
    src += job.guardBase;
    src += ".h\"\r\n\r\n";

    appendBanner(src, "Character pointers table");
    src += "TCLISTP ";
    src += id;
    src += "[256]=\r\n\t{";
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        if (slot.defined()) {
            ++stats.characters;
            stats.maxXSize = std::max(stats.maxXSize, clampSize(slot.xSize));
        }
        appendLabel(src, id, tableEntryName(font, code));
        src += code + 1 < kCodeCount ? ",\r\n\t " : "};\r\n\r\n";
    }

    appendHeaderTop(h, job.guardBase, job.options.vertical);
    appendTitle(h, "Character pointers table", 7);
    h += "extern TCLISTP ";
    h += id;
    h += "[256];\r\n\r\n";
    appendTitle(h, "Characters data", 7);

    appendBanner(src, "Characters data");
    std::vector<std::uint8_t> data;
    forEachEmitted(font, [&](int index) {
        const CharSlot& slot = font.slots[index];
        const int w = clampSize(slot.xSize);
        const int perUnit = bytesPerUnit(w, ySize, job.options.vertical);
        data.clear();
        packCharacterInto(data, slot, ySize, job.options);
        const int elements = 1 + static_cast<int>(data.size());
        stats.sumXSize += w;

        appendCodeComment(src, index);
        src += "TCDATA ";
        appendLabel(src, id, slot.name);
        src += '[';
        appendInt(src, elements);
        src += "]={";
        appendInt(src, w);
        src += ",\r\n\t";
        for (std::size_t i = 0; i < data.size(); ++i) {
            src += "b2b(";
            appendBitsWithCommas(src, data[i]);
            src += ')';
            if (i + 1 == data.size())
                src += "};\r\n\r\n";
            else if ((i + 1) % perUnit == 0)
                src += ",\r\n\t";
            else
                src += ',';
        }

        // Declared extern: a plain declaration would define the array in
        // every file that includes the header.
        h += "extern TCDATA ";
        appendLabel(h, id, slot.name);
        h += '[';
        appendInt(h, elements);
        h += "];\r\n";
    });
    h += "\r\n#endif\r\n";

    fillStatisticsBlock(src, block, BlockStyle::C, statisticsTexts(id, stats, ySize));
    return files;
}

} // namespace zelvik
