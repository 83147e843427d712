#include "preview/BmpFile.h"

#include <cstdint>
#include <cstring>

namespace zelvik {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kColourTableSize = 2 * 4;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
}

} // namespace

QByteArray monoBmpBytes(const QImage& picture) {
    if (picture.isNull() || picture.format() != QImage::Format_Mono || picture.colorCount() != 2)
        return {};
    const int width = picture.width();
    const int height = picture.height();
    const int usedBytes = (width + 7) / 8;
    const int rowBytes = (usedBytes + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes) * height;
    const std::uint32_t fileSize = kPixelOffset + pixelBytes;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(fileSize));
    out.append("BM", 2);
    put32(out, fileSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, kPixelOffset);

    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height)); // positive: bottom row first
    put16(out, 1);                                  // planes
    put16(out, 1);                                  // bits per pixel
    put32(out, 0);                                  // no compression
    put32(out, pixelBytes);
    put32(out, 0); // horizontal resolution
    put32(out, 0); // vertical resolution
    put32(out, 2); // colours used
    put32(out, 0); // important colours

    for (int i = 0; i < 2; ++i) {
        const QRgb colour = picture.color(i);
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        out.append('\0');
    }

    // Format_Mono keeps the leftmost pixel in the most significant bit, as BMP does.
    // Bits past the last column are cleared: QImage leaves them undefined.
    const auto lastByteMask = static_cast<char>(width % 8 ? 0xFF << (8 - width % 8) : 0xFF);
    QByteArray row(rowBytes, '\0');
    for (int y = height - 1; y >= 0; --y) {
        std::memcpy(row.data(), picture.constScanLine(y), static_cast<std::size_t>(usedBytes));
        row[usedBytes - 1] = static_cast<char>(row[usedBytes - 1] & lastByteMask);
        out.append(row);
    }
    return out;
}

} // namespace zelvik
