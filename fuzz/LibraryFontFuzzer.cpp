// libFuzzer target for the readers of the display libraries' fonts (Adafruit
// GFX headers and u8g2 sources) and the C source reader beneath them. Beyond
// not crashing: a font they accept holds only values the font model allows,
// and its counts agree with its characters.
#include "font/FontImport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkFont(const zelvik::Result<zelvik::FontImport>& read) {
    using namespace zelvik;
    if (!read) {
        check(!read.message.isEmpty());
        return;
    }
    const FontImport& imported = *read;
    check(imported.font != nullptr);
    const FontModel& font = *imported.font;
    check(font.ySize >= kMinSize && font.ySize <= kMaxSize);
    check(fontBaseline(font) >= 1 && fontBaseline(font) <= font.ySize);
    check(font.fontIdentifier.size() <= static_cast<std::size_t>(kMaxIdentifierLength));
    int defined = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        check(slot.xSize >= kMinSize && slot.xSize <= kMaxSize);
        for (const std::uint8_t pixel : slot.pixels)
            check(pixel <= 1);
        defined += slot.defined() ? 1 : 0;
    }
    check(imported.counts.taken == defined && imported.counts.cut >= 0 &&
          imported.counts.cut <= defined && imported.counts.skipped >= 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelvik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Both readers see every input: neither relies on the kind's sniff.
    checkFont(readGfxFont(bytes, {}));
    checkFont(readU8g2Font(bytes, {}));
    return 0;
}
