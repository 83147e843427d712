#include "preview/SampleStrip.h"

#include <algorithm>
#include <cstring>

namespace zelvik {

namespace {

// A file can leave any x-size in an undefined slot; defined ones were checked.
int safeXSize(const CharSlot& slot) {
    return clampSize(slot.xSize);
}

} // namespace

QImage renderSampleStrip(const FontModel& font, std::string_view text, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return image;
    // White is all bytes 0xFF in RGB888; the strip is rebuilt on every
    // pixel of a drag, so the fill is one memset, not a per-pixel loop.
    std::memset(image.bits(), 0xFF, static_cast<std::size_t>(image.sizeInBytes()));
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto ink = [&](int x, int y) { std::memset(bits + y * stride + x * 3, 0, 3); };
    for (int x = 0; x < width; ++x) {
        ink(x, 0);
        ink(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        ink(0, y);
        ink(width - 1, y);
    }

    const std::string_view codes = text.substr(0, text.find('\0'));
    int total = 0;
    for (const char c : codes) {
        const CharSlot& slot = font.slots[static_cast<std::uint8_t>(c)];
        if (slot.defined())
            total += safeXSize(slot) + 1;
    }
    if (total == 0)
        return image;

    const int ySize = clampSize(font.ySize);
    const int top = (height - ySize) / 2;
    // Rows outside the strip (a y-size taller than it) are not painted either.
    const int firstRow = std::max(0, -top);
    const int lastRow = std::min(ySize, height - top); // exclusive
    int x = (width - total) / 2;
    for (const char c : codes) {
        const CharSlot& slot = font.slots[static_cast<std::uint8_t>(c)];
        if (!slot.defined())
            continue;
        const int xSize = safeXSize(slot);
        for (int i = 0; i < xSize; ++i, ++x) {
            if (x < 0 || x >= width)
                continue;
            const std::uint8_t* column = &slot.pixels[pixelIndex(i, 0)];
            for (int j = firstRow; j < lastRow; ++j) {
                if (column[j] == 1)
                    ink(x, top + j);
            }
        }
        ++x; // the clear column after the character
    }
    return image;
}

QImage scaleUp(const QImage& image, int factor) {
    if (factor < 2 || image.isNull())
        return image;
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage scaled(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y / factor));
        auto* to = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x)
            to[x] = from[x / factor];
    }
    return scaled.convertToFormat(image.format());
}

} // namespace zelvik
