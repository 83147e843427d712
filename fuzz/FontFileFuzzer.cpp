// libFuzzer target for the font file reader. Beyond not crashing, every input
// the reader accepts must write back to exactly the bytes it was read from:
// the reader accepts nothing the writer would not produce.
#include "font/FontFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = zelvik::parseFontFile(bytes);
    if (!parsed)
        return 0;
    auto font = std::make_unique<zelvik::FontModel>();
    zelvik::applyFontFile(*parsed, *font);
    const std::string again =
        zelvik::serializeFontFile(parsed->version, parsed->fontIdentifier, parsed->ySize, *font);
    if (bytes.substr(0, again.size()) != again)
        std::abort();
    return 0;
}
