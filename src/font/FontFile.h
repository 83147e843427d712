#pragma once

// The .fnt font file: a 16-byte magic, the identifier, the y-size and all 257
// slots. Version 1.0 keeps 8 by 16 pixels of every slot for older software,
// version 2.0 the whole 32 by 32 matrix. The reader accepts only files it
// could have written itself, so a damaged file never reaches the font; the
// writer replaces a file only once the new one is complete on disk.

#include "font/FontModel.h"
#include "font/FontPropertyBlock.h"
#include "font/Result.h"

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelvik {

enum class FontFileVersion { V1, V2 };

constexpr std::string_view kMagicV1 = "Zelvik_glyphV1.0";
constexpr std::string_view kMagicV2 = "Zelvik_glyphV2.0";
constexpr std::size_t kMagicLength = 16;

// Columns and rows of every slot that a file of the given version holds.
constexpr int storedColumns(FontFileVersion v) {
    return v == FontFileVersion::V1 ? 8 : kMatrixEdge;
}
constexpr int storedRows(FontFileVersion v) {
    return v == FontFileVersion::V1 ? 16 : kMatrixEdge;
}
// Bytes of one slot record besides its name: the name's 0, the x-size, the pixels.
constexpr std::size_t slotRecordFixedBytes(FontFileVersion v) {
    return 2 + static_cast<std::size_t>(storedColumns(v) * storedRows(v));
}
// The longest file the reader can accept, its property block included;
// anything after it is never looked at.
constexpr std::size_t kLongestFontFile =
    kMagicLength + kMaxIdentifierLength + 1 + 1 +
    kSlotCount * (kMaxNameLength + slotRecordFixedBytes(FontFileVersion::V2)) +
    kLongestPropertyBlock;

// The messages of the Results below, which the editor shows and zelvik-cli prints.
constexpr const char* kCantOpenFontFileMessage = "Can't open font file!";
constexpr const char* kInvalidFontFileMessage = "Invalid font file format or version!";
constexpr const char* kCantCreateFontFileMessage = "Can't create font file!";

// What a font file holds, kept apart from the FontModel until the whole file
// has been checked.
struct FontFileData {
    FontFileVersion version = FontFileVersion::V2;
    std::string fontIdentifier; // Windows-1250 bytes, at most 255
    int ySize = kDefaultYSize;
    // From the property block after the last slot: 1 to ySize, or 0 when
    // the file has no sound block that gives one.
    int baseline = 0;
    std::array<CharSlot, kSlotCount> slots{}; // pixels outside the stored part are 0
};

// The file's contents, or nothing when the bytes are not a complete, sound font
// file: wrong magic, ended early, a text without its 0 within its limit (31 for
// names, 255 for the identifier), a y-size or x-size outside 1-32, or a pixel
// byte other than 0 and 1. After the last slot only a property block
// (font/FontPropertyBlock.h) is looked for; other bytes, and a damaged block,
// are ignored. Never reads outside `bytes`.
std::optional<FontFileData> parseFontFile(std::string_view bytes);

// The file of the given version for this identifier, y-size and the font's
// slots. Texts are cut at 255 and 31 bytes (and at a 0 byte), sizes are kept
// in 1-32 and pixel bytes written as 1 for ink and 0 otherwise, so that every
// file written can be read again. A baseline other than the y-size follows
// the last slot in a property block; a font without one writes the bytes it
// always did.
std::string serializeFontFile(FontFileVersion version, std::string_view identifier, int ySize,
                              const FontModel& font);

// The contents of the file at `path`; fails with CannotOpen
// (kCantOpenFontFileMessage and the system's reason) or InvalidFormat
// (kInvalidFontFileMessage).
Result<FontFileData> loadFontFile(const QString& path);

// The file's identifier, y-size, baseline and 257 slots become the font's. Nothing else
// (current index, flags, file name) changes.
void applyFontFile(const FontFileData& data, FontModel& font);

// loadFontFile applied to a new font.
Result<FontModel> readFontFile(const QString& path);

// Writes serializeFontFile(...) to `path` through replaceFile: an existing
// file is replaced only when every byte is on disk. On failure (CannotCreate,
// kCantCreateFontFileMessage and the system's reason) an existing file at
// `path` is as it was and no temporary file is left.
Result<> writeFontFile(const QString& path, FontFileVersion version, std::string_view identifier,
                       int ySize, const FontModel& font);

// Version 1.0 can hold the font: y-size at most 16 and no defined character
// wider than 8. Undefined slots do not count, whatever their stored x-size.
bool versionOneAllowed(const FontModel& font);

} // namespace zelvik
