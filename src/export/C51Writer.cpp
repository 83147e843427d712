#include "export/C51Writer.h"

#include "export/WriterText.h"

namespace zelvik {

using namespace writer;

void C51Writer::writeCharacter(Output& out, const Character& c) const {
    std::string& s = out.source;
    out.stats.compiledSize += 1 + static_cast<int>(c.data.size());

    appendLabel(s, out.id, c.name);
    s += ":\tdb\t";
    appendInt(s, c.xSize);
    s += kEol;
    const std::size_t perUnit = static_cast<std::size_t>(c.bytesPerUnit);
    for (std::size_t i = 0; i < c.data.size(); ++i) {
        s += i % perUnit == 0 ? "\tdb\t" : ",";
        appendBits(s, c.data[i]);
        s += 'b';
        if ((i + 1) % perUnit == 0)
            s += kEol;
    }
}

std::string C51Writer::compiledSizeLine(const ExportStatistics& stats, int ySize) const {
    return compiledSizeText(stats.compiledSize, usedPercent8051(stats, ySize));
}

} // namespace zelvik
