#include "font/FontPropertyBlock.h"

#include <cstdint>

namespace zelvik {

namespace {

constexpr std::string_view kBaselineTag = "BASE";
constexpr std::size_t kTagLength = 4;
constexpr std::size_t kRecordHeader = kTagLength + 1;

void appendRecord(std::string& records, std::string_view tag, std::string_view value) {
    records.append(tag);
    records.push_back(static_cast<char>(value.size()));
    records.append(value);
}

std::uint8_t byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]);
}

} // namespace

std::string encodePropertyBlock(const FontProperties& properties) {
    std::string records;
    if (properties.baseline > 0)
        appendRecord(
            records, kBaselineTag,
            std::string(1, static_cast<char>(static_cast<std::uint8_t>(properties.baseline))));
    if (records.empty())
        return {};
    std::string block(kPropertyBlockMagic);
    block.push_back(static_cast<char>(records.size() & 0xFF));
    block.push_back(static_cast<char>((records.size() >> 8) & 0xFF));
    return block + records;
}

FontProperties decodePropertyBlock(std::string_view trailing, int ySize) {
    if (trailing.size() < kPropertyBlockHeader ||
        trailing.substr(0, kPropertyBlockMagic.size()) != kPropertyBlockMagic)
        return {};
    const std::size_t length = byteAt(trailing, kPropertyBlockMagic.size()) |
                               std::size_t{byteAt(trailing, kPropertyBlockMagic.size() + 1)} << 8;
    if (trailing.size() - kPropertyBlockHeader < length)
        return {};
    const std::string_view records = trailing.substr(kPropertyBlockHeader, length);

    // Every record is checked before any is taken: a block damaged anywhere
    // gives nothing, rather than half its properties.
    FontProperties found;
    std::size_t at = 0;
    while (at < records.size()) {
        if (records.size() - at < kRecordHeader)
            return {};
        const std::string_view tag = records.substr(at, kTagLength);
        const std::size_t size = byteAt(records, at + kTagLength);
        at += kRecordHeader;
        if (records.size() - at < size)
            return {};
        const std::string_view value = records.substr(at, size);
        at += size;
        if (tag != kBaselineTag)
            continue; // a property of a later version
        if (size != 1 || found.baseline != 0)
            return {};
        const int baseline = byteAt(value, 0);
        if (baseline < 1 || baseline > ySize)
            return {};
        found.baseline = baseline;
    }
    return found;
}

} // namespace zelvik
