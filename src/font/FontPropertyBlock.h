#pragma once

// The font's properties beyond what the font file's records hold, kept in a
// block after the last slot record, where every reader of the file format,
// older software included, ignores what it finds:
//
//   magic   16 bytes  "Zelvik_fontProps"
//   length   2 bytes  little-endian, the bytes of the records that follow
//   records, each:
//     tag    4 bytes  four letters naming the property
//     size   1 byte   the bytes of its value
//     value  size bytes
//
// The baseline is the record "BASE" with one byte, 1 to the y-size. A record
// of an unknown tag is skipped by its size, so later properties can join
// without breaking this reader; a block that is not whole and sound is
// ignored as a whole and the font keeps its defaults.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvik {

constexpr std::string_view kPropertyBlockMagic = "Zelvik_fontProps";
constexpr std::size_t kPropertyBlockHeader = kPropertyBlockMagic.size() + 2;
// The length field's limit: the reader never looks further than this.
constexpr std::size_t kLongestPropertyBlock = kPropertyBlockHeader + 0xFFFF;

struct FontProperties {
    int baseline = 0; // 1 to the y-size; 0 when the block does not say

    bool operator==(const FontProperties&) const = default;
};

// The block for `properties`, or nothing when none differs from its default.
std::string encodePropertyBlock(const FontProperties& properties);

// The properties of a block at the start of `trailing` (the bytes after the
// last slot record) for a font of `ySize` rows. Anything that is not a sound
// block, and any value outside its range, leaves the defaults.
FontProperties decodePropertyBlock(std::string_view trailing, int ySize);

} // namespace zelvik
