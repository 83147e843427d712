#include "export/AvrWriter.h"

#include "export/WriterText.h"

namespace zelvik {

using namespace writer;

void AvrWriter::writeTableEntry(Output& out, int code, std::string_view name) const {
    AssemblerWriter::writeTableEntry(out, code, name);
    out.stats.usedBits += 16;
}

void AvrWriter::writeCharacter(Output& out, const Character& c) const {
    std::string& s = out.source;
    const int total = 1 + static_cast<int>(c.data.size());
    out.stats.compiledSize += total + (total % 2);
    out.stats.usedBits += 8 + c.xSize * out.ySize;

    appendLabel(s, out.id, c.name);
    s += ":\t.db\t";
    appendIntLeft(s, c.xSize, 10);
    s += ',';
    // k counts the character's bytes written so far, the x-size included:
    // two bytes per line, the x-size sharing the first line.
    int k = 1;
    for (const std::uint8_t byte : c.data) {
        s += "0b";
        appendBits(s, byte);
        ++k;
        if (k == total)
            s += kEol;
        else if (k % 2 == 0)
            s += "\r\n\t.db\t";
        else
            s += ',';
    }
}

std::string AvrWriter::compiledSizeLine(const ExportStatistics& stats, int) const {
    return compiledSizeText(stats.compiledSize, usedPercentAvr(stats));
}

} // namespace zelvik
