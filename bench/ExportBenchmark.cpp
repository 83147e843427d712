// A full font (all 256 codes and the BlankSlot defined, 32 by 32) through each
// writer in memory. Target: under 5 ms per export, median.
#include "export/ExportTarget.h"

#include <benchmark/benchmark.h>

using namespace zelvik;

namespace {

FontModel fullFont() {
    FontModel font;
    WorkingCharacter working;
    resetFont(font, working);
    font.fontIdentifier = "bigfont";
    font.ySize = 32;
    unsigned seed = 1;
    for (int i = 0; i < kSlotCount; ++i) {
        CharSlot& slot = font.slots[i];
        slot.name = i == kBlankSlot ? "blank" : "ch" + std::to_string(i);
        slot.xSize = 32;
        for (auto& pixel : slot.pixels) {
            seed = seed * 1103515245u + 12345u;
            pixel = (seed >> 16) & 1;
        }
    }
    return font;
}

void exportFull(benchmark::State& state, ExportTarget target, bool vertical) {
    const FontModel font = fullFont();
    const auto writer = exportTarget(target).makeWriter();
    ExportOptions options;
    options.vertical = vertical;
    options.topSideToMSB = options.rightSideToLSB = true;
    const ExportJob job{font, font.fontIdentifier, options, "bigfont"};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const GeneratedFiles files = writer->generate(job);
        bytes = files.source.size() + files.header.size();
        benchmark::DoNotOptimize(files.source.data());
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK_CAPTURE(exportFull, c51_vertical, ExportTarget::C51, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFull, c51_horizontal, ExportTarget::C51, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFull, avr_vertical, ExportTarget::Avr, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFull, avr_horizontal, ExportTarget::Avr, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFull, c_vertical, ExportTarget::C, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportFull, c_horizontal, ExportTarget::C, false)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
