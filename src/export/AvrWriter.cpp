#include "export/AvrWriter.h"

#include "export/PackCharacter.h"
#include "export/StatisticsBlock.h"
#include "export/WriterText.h"

namespace zelvik {

using namespace writer;

GeneratedFiles AvrWriter::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    const std::string& id = job.identifier;
    const int ySize = clampSize(font.ySize);
    GeneratedFiles files;
    ExportStatistics& stats = files.statistics;
    std::string& out = files.source;
    out.reserve(estimatedSize(font, ySize, job.options.vertical, 11));

    out += ";compiler: avrasm\r\n\r\n";
    const std::size_t block = appendStatisticsBlock(out, BlockStyle::Assembler);

    appendAssemblerTable(out, font, id, "\t.dw\t", "*2", stats);
    stats.usedBits += 16 * kCodeCount;

    std::vector<std::uint8_t> data;
    forEachEmitted(font, [&](int index) {
        const CharSlot& slot = font.slots[index];
        const int w = clampSize(slot.xSize);
        data.clear();
        packCharacterInto(data, slot, ySize, job.options);
        const int total = 1 + static_cast<int>(data.size());
        stats.sumXSize += w;
        stats.compiledSize += total + (total % 2);
        stats.usedBits += 8 + w * ySize;

        appendLabel(out, id, slot.name);
        out += ":\t.db\t";
        appendIntLeft(out, w, 10);
        out += ',';
        // k counts the character's bytes written so far, the x-size included:
        // two bytes per line, the x-size sharing the first line.
        int k = 1;
        for (const std::uint8_t byte : data) {
            out += "0b";
            appendBits(out, byte);
            ++k;
            if (k == total)
                out += kEol;
            else if (k % 2 == 0)
                out += "\r\n\t.db\t";
            else
                out += ',';
        }
    });

    fillStatisticsBlock(
        out, block, BlockStyle::Assembler,
        statisticsTexts(id, stats, ySize,
                        compiledSizeText(stats.compiledSize, usedPercentAvr(stats))));
    return files;
}

} // namespace zelvik
