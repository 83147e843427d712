// The BDF reader alone over a large font: 5000 glyphs, about 2 MB, most of
// them outside codes 0-255 as in a Unicode font (36 by 32 pixel ideographs
// reaching 2 pixels past both sides), which the reader must still check line
// by line. Target: under 20 ms.
#include "font/BdfFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace zelvik;

namespace {

constexpr int kGlyphs = 5000;
constexpr int kInRange = 200; // ASCII and Latin glyphs; the rest are CJK

std::string largeBdf() {
    std::string text = "STARTFONT 2.1\n"
                       "FONT -Bench-Large-Medium-R-Normal--32-320-72-72-C-320-ISO10646-1\n"
                       "SIZE 32 72 72\n"
                       "FONTBOUNDINGBOX 32 32 0 -4\n"
                       "STARTPROPERTIES 5\n"
                       "FAMILY_NAME \"Large\"\n"
                       "CHARSET_REGISTRY \"ISO10646\"\n"
                       "CHARSET_ENCODING \"1\"\n"
                       "FONT_ASCENT 28\n"
                       "FONT_DESCENT 4\n"
                       "ENDPROPERTIES\n"
                       "CHARS " +
                       std::to_string(kGlyphs) + "\n";
    unsigned seed = 1;
    char line[64];
    for (int i = 0; i < kGlyphs; ++i) {
        const int encoding = i < kInRange ? 0x20 + i : 0x4E00 + i;
        std::snprintf(line, sizeof line, "STARTCHAR uni%04X\nENCODING %d\n", encoding, encoding);
        text += line;
        const bool ideograph = i >= kInRange;
        text += ideograph ? "SWIDTH 1000 0\nDWIDTH 32 0\nBBX 36 32 -2 -4\nBITMAP\n"
                          : "SWIDTH 1000 0\nDWIDTH 32 0\nBBX 32 32 0 -4\nBITMAP\n";
        for (int row = 0; row < 32; ++row) {
            seed = seed * 1103515245u + 12345u;
            std::snprintf(line, sizeof line, ideograph ? "%08X%X0\n" : "%08X\n", seed, seed >> 28);
            text += line;
        }
        text += "ENDCHAR\n";
    }
    text += "ENDFONT\n";
    return text;
}

void readLargeBdf(benchmark::State& state) {
    const std::string text = largeBdf();
    int taken = 0;
    for (auto _ : state) {
        const Result<BdfImport> imported = parseBdf(text);
        if (!imported) {
            state.SkipWithError("the generated font was refused");
            return;
        }
        taken = imported->counts.taken;
        benchmark::DoNotOptimize(imported->font.get());
    }
    state.counters["input_bytes"] = static_cast<double>(text.size());
    state.counters["glyphs_taken"] = taken;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

} // namespace

BENCHMARK(readLargeBdf)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
