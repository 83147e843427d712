#include "font/FontFile.h"
#include "font/SystemPath.h"

#include "font/FileReplacement.h"
#include "font/ReadAtMost.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace zelvik {

namespace {

// A cursor over the file's bytes that refuses, rather than reads, past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string_view> take(std::size_t count) {
        if (bytes_.size() - pos_ < count)
            return std::nullopt;
        const std::string_view part = bytes_.substr(pos_, count);
        pos_ += count;
        return part;
    }

    std::optional<std::uint8_t> takeByte() {
        const auto part = take(1);
        if (!part)
            return std::nullopt;
        return static_cast<std::uint8_t>((*part)[0]);
    }

    // Text up to its 0 byte, which must come within `maxLength` characters.
    std::optional<std::string> takeText(std::size_t maxLength) {
        const std::string_view rest = bytes_.substr(pos_, maxLength + 1);
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos)
            return std::nullopt;
        pos_ += end + 1;
        return std::string(rest.substr(0, end));
    }

    std::string_view rest() const { return bytes_.substr(pos_); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool sizeInRange(int size) {
    return size >= kMinSize && size <= kMaxSize;
}

std::optional<FontFileVersion> versionOfMagic(std::string_view magic) {
    if (magic == kMagicV2)
        return FontFileVersion::V2;
    if (magic == kMagicV1)
        return FontFileVersion::V1;
    return std::nullopt;
}

std::string_view magicOf(FontFileVersion version) {
    return version == FontFileVersion::V1 ? kMagicV1 : kMagicV2;
}

// A text as it may go into the file: up to its first 0 byte and its limit.
std::string_view storableText(std::string_view text, std::size_t limit) {
    return text.substr(0, std::min(text.find('\0'), limit));
}

bool readSlot(ByteReader& in, FontFileVersion version, CharSlot& slot) {
    const auto name = in.takeText(kMaxNameLength);
    const auto xSize = in.takeByte();
    const int columns = storedColumns(version);
    const int rows = storedRows(version);
    const auto stored = in.take(static_cast<std::size_t>(columns * rows));
    if (!name || !xSize || !sizeInRange(*xSize) || !stored)
        return false;
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(stored->data());
    // Every stored pixel is 0 or 1; eight are checked at a time.
    constexpr std::uint64_t kOnlyLowBits = 0x0101010101010101u;
    std::uint64_t allBits = 0;
    std::size_t i = 0;
    for (; i + sizeof allBits <= stored->size(); i += sizeof allBits) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, pixels + i, sizeof eight);
        allBits |= eight;
    }
    for (; i < stored->size(); ++i)
        allBits |= pixels[i];
    if (allBits & ~kOnlyLowBits)
        return false;
    slot.name = *name;
    slot.xSize = *xSize;
    if (columns == kMatrixEdge && rows == kMatrixEdge) {
        std::copy_n(pixels, slot.pixels.size(), slot.pixels.begin());
        return true;
    }
    slot.pixels.fill(0);
    for (int x = 0; x < columns; ++x)
        std::copy_n(pixels + x * rows, rows, slot.pixels.begin() + pixelIndex(x, 0));
    return true;
}

} // namespace

std::optional<FontFileData> parseFontFile(std::string_view bytes) {
    ByteReader in(bytes);
    const auto magic = in.take(kMagicLength);
    const auto version = magic ? versionOfMagic(*magic) : std::nullopt;
    if (!version)
        return std::nullopt;

    std::optional<FontFileData> data(std::in_place);
    data->version = *version;
    const auto identifier = in.takeText(kMaxIdentifierLength);
    const auto ySize = in.takeByte();
    if (!identifier || !ySize || !sizeInRange(*ySize))
        return std::nullopt;
    data->fontIdentifier = *identifier;
    data->ySize = *ySize;
    for (CharSlot& slot : data->slots) {
        if (!readSlot(in, *version, slot))
            return std::nullopt;
    }
    data->baseline = decodePropertyBlock(in.rest(), data->ySize).baseline;
    return data;
}

std::string serializeFontFile(FontFileVersion version, std::string_view identifier, int ySize,
                              const FontModel& font) {
    const int columns = storedColumns(version);
    const int rows = storedRows(version);
    const std::string_view id = storableText(identifier, kMaxIdentifierLength);
    ySize = clampSize(ySize);
    // Only a baseline above the bottom row needs saying: the bottom row is
    // where readers without the block put it.
    FontProperties properties;
    if (font.baseline > 0 && font.baseline < ySize)
        properties.baseline = font.baseline;
    const std::string block = encodePropertyBlock(properties);
    std::size_t length = kMagicLength + id.size() + 2 + block.size();
    for (const CharSlot& slot : font.slots)
        length += storableText(slot.name, kMaxNameLength).size() + slotRecordFixedBytes(version);

    std::string out(length, '\0');
    char* p = std::copy(magicOf(version).begin(), magicOf(version).end(), out.data());
    p = std::copy(id.begin(), id.end(), p) + 1;
    *p++ = static_cast<char>(ySize);
    for (const CharSlot& slot : font.slots) {
        const std::string_view name = storableText(slot.name, kMaxNameLength);
        p = std::copy(name.begin(), name.end(), p) + 1;
        *p++ = static_cast<char>(clampSize(slot.xSize));
        if (columns == kMatrixEdge && rows == kMatrixEdge) {
            // The file keeps the matrix's own column order: one flat pass. Only 1
            // is ink; any other value is background, as pixelSet reads it.
            p = std::transform(slot.pixels.begin(), slot.pixels.end(), p,
                               [](std::uint8_t pixel) { return pixel == 1 ? '\1' : '\0'; });
            continue;
        }
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y)
                *p++ = pixelSet(slot.pixels, x, y) ? 1 : 0;
        }
    }
    std::copy(block.begin(), block.end(), p);
    return out;
}

Result<FontFileData> loadFontFile(const QString& path) {
    QFile file;
    const auto cannotOpen = [](const QString& why) {
        return Result<>::fail(Failure::CannotOpen, QString::fromLatin1(kCantOpenFontFileMessage),
                              why);
    };
    if (const QString why = openForReading(file, path); !why.isEmpty())
        return cannotOpen(why);
    // Nothing after the longest possible font is ever read, so a wrong choice
    // of a huge file costs no memory.
    const QByteArray bytes = readAtMost(file, static_cast<qint64>(kLongestFontFile));
    if (file.error() != QFileDevice::NoError)
        return cannotOpen(file.errorString());
    auto parsed = parseFontFile(std::string_view(bytes.constData(), bytes.size()));
    if (!parsed)
        return Result<>::fail(Failure::InvalidFormat, QString::fromLatin1(kInvalidFontFileMessage));
    return std::move(*parsed);
}

void applyFontFile(const FontFileData& data, FontModel& font) {
    font.fontIdentifier = data.fontIdentifier;
    font.ySize = data.ySize;
    font.baseline = data.baseline;
    font.slots = data.slots;
}

Result<FontModel> readFontFile(const QString& path) {
    const Result<FontFileData> data = loadFontFile(path);
    if (!data)
        return data;
    FontModel font;
    applyFontFile(*data, font);
    return font;
}

Result<> writeFontFile(const QString& path, FontFileVersion version, std::string_view identifier,
                       int ySize, const FontModel& font) {
    const std::string bytes = serializeFontFile(version, identifier, ySize, font);
    return replaceFile(path,
                       QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
                       QString::fromLatin1(kCantCreateFontFileMessage));
}

bool versionOneAllowed(const FontModel& font) {
    return font.ySize <= storedRows(FontFileVersion::V1) &&
           maxDefinedXSize(font) <= storedColumns(FontFileVersion::V1);
}

} // namespace zelvik
