#include "export/SourceWriter.h"

#include "export/PackCharacter.h"

#include <algorithm>
#include <vector>

namespace zelvik {

namespace {

// Room for a whole output, so that it is built without reallocations:
// `perByte` characters for every data byte, plus table and label lines.
std::size_t estimatedSize(const FontModel& font, int ySize, bool vertical, int perByte) {
    std::size_t total = 4096 + 256 * (2 * font.fontIdentifier.size() + 48);
    for (const CharSlot& slot : font.slots) {
        if (!slot.defined())
            continue;
        const int w = clampSize(slot.xSize);
        const int n = vertical ? (ySize + 7) / 8 : (w + 7) / 8;
        total += 2 * (font.fontIdentifier.size() + slot.name.size()) + 64 +
                 static_cast<std::size_t>((vertical ? w : ySize) * n) * (perByte + 2);
    }
    return total;
}

} // namespace

GeneratedFiles PointerTableWriter::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    GeneratedFiles files;
    Output out{job,          job.identifier, clampSize(font.ySize),
               files.source, files.header,   files.statistics};
    ExportStatistics& stats = files.statistics;
    out.source.reserve(estimatedSize(font, out.ySize, job.options.vertical, charsPerDataByte_));

    writeTop(out);
    const std::size_t block = appendStatisticsBlock(out.source, style_);

    writeTableStart(out);
    const std::string& blankName = font.slots[kBlankSlot].name;
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        if (slot.defined()) {
            ++stats.characters;
            stats.maxXSize = std::max(stats.maxXSize, clampSize(slot.xSize));
        }
        writeTableEntry(out, code, slot.defined() ? slot.name : blankName);
    }
    writeTableEnd(out);

    std::vector<std::uint8_t> data;
    for (int index = 0; index < kSlotCount; ++index) {
        const CharSlot& slot = font.slots[index];
        if (!slot.defined())
            continue;
        const int w = clampSize(slot.xSize);
        data.clear();
        packCharacterInto(data, slot, out.ySize, job.options);
        stats.sumXSize += w;
        writeCharacter(
            out, {index, slot.name, w, bytesPerUnit(w, out.ySize, job.options.vertical), data});
    }
    writeEnd(out);
    files.flashBytes = stats.compiledSize;

    fillStatisticsBlock(
        out.source, block, style_,
        statisticsTexts(out.id, stats, out.ySize, compiledSizeLine(stats, out.ySize)));
    return files;
}

} // namespace zelvik
