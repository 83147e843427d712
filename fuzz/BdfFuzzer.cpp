// libFuzzer target for the BDF reader. Beyond not crashing: a font it accepts
// holds only values the font model allows, and writing that font as BDF and
// reading it back gives the same characters, as an import of our own export
// must.
#include "font/BdfFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelvik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Result<BdfImport> imported = parseBdf(bytes);
    if (!imported)
        return 0;
    const FontModel& font = *imported->font;
    check(font.ySize >= kMinSize && font.ySize <= kMaxSize);
    check(font.fontIdentifier.size() <= static_cast<std::size_t>(kMaxIdentifierLength));
    int defined = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        check(slot.xSize >= kMinSize && slot.xSize <= kMaxSize);
        check(slot.name.size() <= static_cast<std::size_t>(kMaxNameLength));
        for (const std::uint8_t pixel : slot.pixels)
            check(pixel <= 1);
        defined += slot.defined() ? 1 : 0;
    }
    const BdfImportCounts& counts = imported->counts;
    check(counts.taken == defined && counts.cut >= 0 && counts.cut <= counts.taken &&
          counts.skipped >= 0);

    const Result<BdfImport> again = parseBdf(serializeBdf(font, font.fontIdentifier));
    check(again.ok());
    const FontModel& back = *again->font;
    check(back.ySize == font.ySize && back.fontIdentifier == font.fontIdentifier);
    check(again->counts.taken == defined && again->counts.cut == 0 && again->counts.skipped == 0);
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& ours = font.slots[code];
        const CharSlot& theirs = back.slots[code];
        check(ours.name == theirs.name);
        if (!ours.defined())
            continue;
        check(ours.xSize == theirs.xSize);
        for (int x = 0; x < ours.xSize; ++x)
            for (int y = 0; y < font.ySize; ++y)
                check(pixelSet(ours.pixels, x, y) == pixelSet(theirs.pixels, x, y));
    }
    return 0;
}
