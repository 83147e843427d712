#include "export/C51Writer.h"

#include "export/PackCharacter.h"
#include "export/StatisticsBlock.h"
#include "export/WriterText.h"

namespace zelvik {

using namespace writer;

GeneratedFiles C51Writer::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    const std::string& id = job.identifier;
    const int ySize = clampSize(font.ySize);
    GeneratedFiles files;
    ExportStatistics& stats = files.statistics;
    std::string& out = files.source;
    out.reserve(estimatedSize(font, ySize, job.options.vertical, 10));

    out += ";compiler: asem51\r\n\r\n";
    const std::size_t block = appendStatisticsBlock(out, BlockStyle::Assembler);

    appendAssemblerTable(out, font, id, "\tdw\t", "", stats);

    std::vector<std::uint8_t> data;
    forEachEmitted(font, [&](int index) {
        const CharSlot& slot = font.slots[index];
        const int w = clampSize(slot.xSize);
        const int perUnit = bytesPerUnit(w, ySize, job.options.vertical);
        data.clear();
        packCharacterInto(data, slot, ySize, job.options);
        stats.sumXSize += w;
        stats.compiledSize += 1 + static_cast<int>(data.size());

        appendLabel(out, id, slot.name);
        out += ":\tdb\t";
        appendInt(out, w);
        out += kEol;
        for (std::size_t i = 0; i < data.size(); ++i) {
            const bool unitStart = i % perUnit == 0;
            out += unitStart ? "\tdb\t" : ",";
            appendBits(out, data[i]);
            out += 'b';
            if ((i + 1) % perUnit == 0)
                out += kEol;
        }
    });

    fillStatisticsBlock(
        out, block, BlockStyle::Assembler,
        statisticsTexts(id, stats, ySize,
                        compiledSizeText(stats.compiledSize, usedPercent8051(stats, ySize))));
    return files;
}

} // namespace zelvik
