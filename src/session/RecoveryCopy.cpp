#include "session/RecoveryCopy.h"

#include <algorithm>
#include <cstddef>

namespace zelvik {

namespace {

constexpr std::string_view kMagic = "Zelvik_recovery1";
// The same layout with the font's baseline after its y-size. A session whose
// font has none set is written as before, so copies stay readable both ways.
constexpr std::string_view kMagicWithBaseline = "Zelvik_recovery2";
static_assert(kMagic.size() == kMagicWithBaseline.size());
constexpr std::size_t kPackedMatrixBytes = kMatrixBytes / 8;
// Field texts are typed, so they have no limit of their own; these keep a
// damaged length from asking for gigabytes.
constexpr std::uint32_t kLongestFieldText = 1u << 20;
constexpr std::uint32_t kLongestFileName = 4096;
constexpr std::uint8_t kCharacterModifiedBit = 1;
constexpr std::uint8_t kFontModifiedBit = 2;

std::uint64_t checksum(std::string_view bytes) {
    // FNV-1a: a damaged copy only has to be told from a sound one.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

class Writer {
public:
    void byte(int value) { out.push_back(static_cast<char>(static_cast<std::uint8_t>(value))); }
    void number(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            byte(static_cast<int>((value >> (8 * i)) & 0xFF));
    }
    void text(std::string_view value, std::uint32_t longest) {
        const std::string_view kept = value.substr(0, longest);
        number(kept.size(), 4);
        out.append(kept);
    }
    void pixels(const PixelMatrix& matrix) {
        for (std::size_t i = 0; i < kPackedMatrixBytes; ++i) {
            int packed = 0;
            for (std::size_t bit = 0; bit < 8; ++bit) {
                if (matrix[i * 8 + bit] == 1)
                    packed |= 1 << bit;
            }
            byte(packed);
        }
    }

    std::string out;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : in(bytes) {}

    bool number(std::uint64_t& value, int bytes) {
        if (in.size() - at < static_cast<std::size_t>(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t{static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)])}
                     << (8 * i);
        at += static_cast<std::size_t>(bytes);
        return true;
    }
    // A number of `bytes` bytes within [low, high].
    bool bounded(int& value, int bytes, int low, int high) {
        std::uint64_t read = 0;
        if (!number(read, bytes) || read < static_cast<std::uint64_t>(low) ||
            read > static_cast<std::uint64_t>(high))
            return false;
        value = static_cast<int>(read);
        return true;
    }
    bool text(std::string& value, std::uint32_t longest, int lengthBytes = 4) {
        std::uint64_t length = 0;
        if (!number(length, lengthBytes) || length > longest || length > in.size() - at)
            return false;
        value.assign(in.substr(at, length));
        at += length;
        return true;
    }
    bool pixels(PixelMatrix& matrix) {
        if (in.size() - at < kPackedMatrixBytes)
            return false;
        for (std::size_t i = 0; i < kPackedMatrixBytes; ++i) {
            const auto packed = static_cast<unsigned char>(in[at + i]);
            for (std::size_t bit = 0; bit < 8; ++bit)
                matrix[i * 8 + bit] = static_cast<std::uint8_t>((packed >> bit) & 1);
        }
        at += kPackedMatrixBytes;
        return true;
    }

    std::string_view in;
    std::size_t at = 0;
};

} // namespace

std::string serializeRecoveryCopy(const RecoveryCopy& copy) {
    const FontModel& font = copy.font;
    Writer w;
    w.out.reserve(kMagic.size() + 64 + kSlotCount * (2 + kMaxNameLength + kPackedMatrixBytes));
    const bool withBaseline = font.baseline > 0;
    w.out.append(withBaseline ? kMagicWithBaseline : kMagic);
    w.number(static_cast<std::uint64_t>(copy.lastChanged), 8);
    w.byte((font.characterModified ? kCharacterModifiedBit : 0) |
           (font.fontModified ? kFontModifiedBit : 0));
    w.number(static_cast<std::uint64_t>(clampCode(font.currentIndex)), 2);
    w.byte(clampSize(font.ySize));
    if (withBaseline)
        w.byte(std::min(font.baseline, clampSize(font.ySize)));
    w.byte(clampSize(copy.working.xSize));
    w.byte(clampSize(copy.selectedXSize));
    w.text(font.fontIdentifier, kMaxIdentifierLength);
    w.text(font.currentFileName, kLongestFileName);
    w.text(copy.nameField, kLongestFieldText);
    w.text(copy.identifierField, kLongestFieldText);
    w.pixels(copy.working.pixels);
    for (const CharSlot& slot : font.slots) {
        w.byte(clampSize(slot.xSize));
        const std::string_view name = std::string_view(slot.name).substr(0, kMaxNameLength);
        w.byte(static_cast<int>(name.size()));
        w.out.append(name);
        w.pixels(slot.pixels);
    }
    w.number(checksum(w.out), 8);
    return std::move(w.out);
}

std::unique_ptr<RecoveryCopy> parseRecoveryCopy(std::string_view bytes) {
    if (bytes.size() < kMagic.size() + 8)
        return nullptr;
    const std::string_view magic = bytes.substr(0, kMagic.size());
    if (magic != kMagic && magic != kMagicWithBaseline)
        return nullptr;
    const bool withBaseline = magic == kMagicWithBaseline;
    const std::string_view body = bytes.substr(0, bytes.size() - 8);
    Reader sum(bytes.substr(body.size()));
    std::uint64_t stored = 0;
    if (!sum.number(stored, 8) || stored != checksum(body))
        return nullptr;

    auto copy = std::make_unique<RecoveryCopy>();
    FontModel& font = copy->font;
    Reader r(body);
    r.at = kMagic.size();
    std::uint64_t lastChanged = 0;
    int flags = 0;
    if (!r.number(lastChanged, 8) || !r.bounded(flags, 1, 0, 3) ||
        !r.bounded(font.currentIndex, 2, 0, kBlankSlot) ||
        !r.bounded(font.ySize, 1, kMinSize, kMaxSize) ||
        (withBaseline && !r.bounded(font.baseline, 1, kMinSize, font.ySize)) ||
        !r.bounded(copy->working.xSize, 1, kMinSize, kMaxSize) ||
        !r.bounded(copy->selectedXSize, 1, kMinSize, kMaxSize) ||
        !r.text(font.fontIdentifier, kMaxIdentifierLength) ||
        !r.text(font.currentFileName, kLongestFileName) ||
        !r.text(copy->nameField, kLongestFieldText) ||
        !r.text(copy->identifierField, kLongestFieldText) || !r.pixels(copy->working.pixels))
        return nullptr;
    copy->lastChanged = static_cast<std::int64_t>(lastChanged);
    font.characterModified = (flags & kCharacterModifiedBit) != 0;
    font.fontModified = (flags & kFontModifiedBit) != 0;
    for (CharSlot& slot : font.slots) {
        if (!r.bounded(slot.xSize, 1, kMinSize, kMaxSize) ||
            !r.text(slot.name, kMaxNameLength, 1) || !r.pixels(slot.pixels))
            return nullptr;
    }
    if (r.at != body.size())
        return nullptr;
    return copy;
}

} // namespace zelvik
