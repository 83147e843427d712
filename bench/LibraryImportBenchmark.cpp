// zelvik-cli import of one font from a u8g2 source of many, as u8g2's own
// font file is: about 1 MB of fonts written by our u8g2 export, read from disk,
// every array's string decoded and the one font asked for decoded glyph by
// glyph. Target: under 20 ms.
#include "export/ExportTarget.h"
#include "font/FontImport.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>

using namespace zelvik;

namespace {

constexpr std::size_t kFileBytes = 1024 * 1024;

// Codes 0x20-0xFF, 16 rows, ink in diagonal stripes that differ from font to font.
FontModel stripedFont(int number) {
    FontModel font;
    font.fontIdentifier = "u8g2_font_bench" + std::to_string(number) + "_tf";
    font.ySize = 16;
    font.baseline = 13;
    for (int code = 0x20; code < kCodeCount; ++code) {
        CharSlot& slot = font.slots[code];
        slot.name = "c" + std::to_string(code);
        slot.xSize = 6 + (code + number) % 6;
        for (int x = 0; x < slot.xSize; ++x)
            for (int y = 2; y < 14; ++y)
                slot.pixels[pixelIndex(x, y)] = (x + y + code + number) % 5 == 0 ? 1 : 0;
    }
    return font;
}

void importOneU8g2Font(benchmark::State& state) {
    std::string text;
    int fonts = 0;
    const auto writer = exportTarget(ExportTarget::U8g2).makeWriter();
    while (text.size() < kFileBytes) {
        const FontModel font = stripedFont(fonts++);
        text += writer->generate(ExportJob{font, font.fontIdentifier, {}, "u8g2_fonts"}).source;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("u8g2_fonts.c"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size())) {
        state.SkipWithError("cannot write the font file");
        return;
    }
    file.close();
    const std::string wanted = "u8g2_font_bench" + std::to_string(fonts / 2) + "_tf";
    int taken = 0;
    for (auto _ : state) {
        Result<FontImport> imported = importFontFile(path, wanted);
        if (!imported) {
            state.SkipWithError("the font was refused");
            return;
        }
        taken = imported->counts.taken;
        benchmark::DoNotOptimize(imported->font.get());
    }
    state.counters["fonts"] = fonts;
    state.counters["glyphs"] = taken;
    state.counters["MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(importOneU8g2Font)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
