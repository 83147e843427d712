// All 224 codes (0x20-0xFF) rendered from DejaVu Sans at 16 pixels into a
// font, in-process, as one "Generate font" run does after the font dialog.
// Target: under 15 ms per run, median. generateAllFreeType is the same run as
// zelvik-cli draws a font file, FreeType opening the file each time.
#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"
#include "generator/FreeTypeGlyphRasterizer.h"
#include "generator/QtGlyphRasterizer.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>

using namespace zelvik;

namespace {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

QString g_family;

void generateAll(benchmark::State& state) {
    CodeSelection codes;
    codes.high = true;
    const std::vector<std::uint8_t> list = generationList(codes);
    auto font = std::make_unique<FontModel>();
    QFont chosen(g_family);
    for (auto _ : state) {
        WorkingCharacter working;
        resetFont(*font, working);
        // The raster and its font are made for each run, as the editor does.
        QtGlyphRasterizer rasterizer(drawingFont(chosen, 16));
        generateCharacters(*font, list, PostProcessing{}, 0, rasterizer);
        benchmark::DoNotOptimize(font->slots[0xFF].xSize);
    }
    state.counters["codes"] = static_cast<double>(list.size());
}
BENCHMARK(generateAll)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void generateAllFreeType(benchmark::State& state) {
    CodeSelection codes;
    codes.high = true;
    const std::vector<std::uint8_t> list = generationList(codes);
    auto font = std::make_unique<FontModel>();
    for (auto _ : state) {
        WorkingCharacter working;
        resetFont(*font, working);
        const auto rasterizer = FreeTypeGlyphRasterizer::open(QString::fromLatin1(kDejaVuSans), 16);
        if (!rasterizer || !(*rasterizer)->accepts(list)) {
            state.SkipWithError("FreeType does not draw DejaVu Sans as Qt does");
            break;
        }
        generateCharacters(*font, list, PostProcessing{}, 0, **rasterizer);
        benchmark::DoNotOptimize(font->slots[0xFF].xSize);
    }
    state.counters["codes"] = static_cast<double>(list.size());
}
BENCHMARK(generateAllFreeType)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kDejaVuSans));
    if (id < 0) {
        std::cerr << kDejaVuSans << " is missing (fonts-dejavu-core)\n";
        return 1;
    }
    g_family = QFontDatabase::applicationFontFamilies(id).first();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
