// The display-library writers on a font of 224 characters (0x20-0xFF), 32 by
// 32, ink and background at random: the u8g2 writer's search over the
// run-length widths included. Target: under 2 ms per export, median.
#include "export/ExportTarget.h"

#include <benchmark/benchmark.h>

using namespace zelvik;

namespace {

FontModel font224() {
    FontModel font;
    WorkingCharacter working;
    resetFont(font, working);
    font.fontIdentifier = "bigfont";
    font.ySize = 32;
    unsigned seed = 7;
    for (int code = 0x20; code < kCodeCount; ++code) {
        CharSlot& slot = font.slots[code];
        slot.name = "ch" + std::to_string(code);
        slot.xSize = 32;
        for (auto& pixel : slot.pixels) {
            seed = seed * 1103515245u + 12345u;
            pixel = (seed >> 16) & 1;
        }
    }
    return font;
}

void exportLibrary(benchmark::State& state, ExportTarget target) {
    const FontModel font = font224();
    const auto writer = exportTarget(target).makeWriter();
    const ExportJob job{font, font.fontIdentifier, {}, "bigfont"};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const GeneratedFiles files = writer->generate(job);
        bytes = files.source.size() + files.header.size();
        benchmark::DoNotOptimize(files.source.data());
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK_CAPTURE(exportLibrary, gfx, ExportTarget::Gfx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportLibrary, u8g2, ExportTarget::U8g2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportLibrary, lvgl, ExportTarget::Lvgl)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
