// libFuzzer target for the font file reader. Beyond not crashing, every input
// the reader accepts must write back to exactly the bytes it was read from,
// up to its last slot record: the reader accepts nothing the writer would not
// produce. After the records the writer puts only the property block of what
// it read there, and reading that file again gives the same baseline.
#include "font/FontFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

int baselineOf(const zelvik::FontFileData& data) {
    return data.baseline > 0 ? data.baseline : data.ySize;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = zelvik::parseFontFile(bytes);
    if (!parsed)
        return 0;
    if (parsed->baseline < 0 || parsed->baseline > parsed->ySize)
        std::abort();
    auto font = std::make_unique<zelvik::FontModel>();
    zelvik::applyFontFile(*parsed, *font);
    const std::string again =
        zelvik::serializeFontFile(parsed->version, parsed->fontIdentifier, parsed->ySize, *font);
    zelvik::FontProperties written;
    if (baselineOf(*parsed) != parsed->ySize)
        written.baseline = parsed->baseline;
    const std::size_t records = again.size() - zelvik::encodePropertyBlock(written).size();
    if (bytes.substr(0, records) != std::string_view(again).substr(0, records))
        std::abort();
    const auto reread = zelvik::parseFontFile(again);
    if (!reread || baselineOf(*reread) != baselineOf(*parsed))
        std::abort();
    return 0;
}
