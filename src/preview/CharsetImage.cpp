#include "preview/CharsetImage.h"

#include "font/FileReplacement.h"
#include "preview/BmpFile.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace zelvik {

namespace {

constexpr int kSize = kCharsetImageSize;
constexpr int kGridFirst = 43;  // outer frame, first line
constexpr int kGridLast = 621;  // outer frame, last line
constexpr int kCellOrigin = 44; // line k of the inner grid lies at 44 + 36k
constexpr int kPitch = 36;
constexpr int kCellInside = 35;
constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kBlack = 0;

// 13 points at 96 dots per inch, as an exact pixel size so the picture does
// not depend on the resolution of a screen.
constexpr int kLabelPixelSize = 17;

QString hexDigit(int v) {
    return QString(QChar(u"0123456789ABCDEF"[v]));
}

void drawGrid(std::vector<std::uint8_t>& raster) {
    auto hline = [&](int y) {
        std::fill_n(raster.begin() + y * kSize + kGridFirst, kGridLast - kGridFirst + 1, kBlack);
    };
    // Rows 43, 620 and 621 are covered by the horizontal lines.
    auto vline = [&](int x) {
        for (int y = kCellOrigin; y <= 619; ++y)
            raster[static_cast<std::size_t>(y * kSize + x)] = kBlack;
    };
    hline(kGridFirst);
    vline(kGridFirst);
    for (int k = 0; k <= 16; ++k) {
        hline(kCellOrigin + kPitch * k);
        vline(kCellOrigin + kPitch * k);
    }
    hline(kGridLast);
    vline(kGridLast);
}

void drawCharacters(const FontModel& font, std::vector<std::uint8_t>& raster) {
    const int ySize = clampSize(font.ySize);
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        // A file can leave any x-size in an unnamed slot.
        const int xSize = clampSize(slot.xSize);
        const int x0 = kCellOrigin + 1 + kPitch * (code % 16) + (kCellInside - xSize) / 2;
        const int y0 = kCellOrigin + 1 + kPitch * (code / 16) + (kCellInside - ySize) / 2;
        for (int i = 0; i < xSize; ++i) {
            for (int j = 0; j < ySize; ++j) {
                if (pixelSet(slot.pixels, i, j))
                    raster[static_cast<std::size_t>((y0 + j) * kSize + x0 + i)] = kBlack;
            }
        }
    }
}

// Bit 7 - m of byte k of a row takes bit 7 of raster pixel 8k + m: 1 white, 0 black.
QImage packRaster(const std::vector<std::uint8_t>& raster) {
    QImage picture(kSize, kSize, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < kSize; ++y) {
        const std::uint8_t* from = raster.data() + y * kSize;
        uchar* to = picture.scanLine(y);
        for (int k = 0; k < kSize / 8; ++k) {
            uchar byte = 0;
            for (int m = 0; m < 8; ++m)
                byte |= static_cast<uchar>((from[8 * k + m] >> 7) << (7 - m));
            to[k] = byte;
        }
    }
    return picture;
}

void drawLabel(QPainter& painter, const QRect& clip, QPoint topLeft, const QString& text) {
    painter.setClipRect(clip);
    painter.fillRect(clip, Qt::white);
    painter.drawText(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent(), text);
}

// The labels go onto the byte raster, which the raster engine paints as an
// 8-bit grey image; drawn without smoothing, every label pixel is plainly
// black or white, so packing afterwards gives the same bits as drawing onto
// the packed picture would.
void drawLabels(std::vector<std::uint8_t>& raster, const QString& typeface) {
    QImage surface(raster.data(), kSize, kSize, kSize, QImage::Format_Grayscale8);
    QPainter painter(&surface);
    QFont font(typeface);
    font.setPixelSize(kLabelPixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    for (int c = 0; c < 16; ++c)
        drawLabel(painter, QRect(kCellOrigin + kPitch * c, 0, kPitch, 42),
                  QPoint(53 + kPitch * c, 17), QStringLiteral("x") + hexDigit(c));
    for (int r = 0; r < 16; ++r)
        drawLabel(painter, QRect(0, kCellOrigin + kPitch * r, 42, kPitch),
                  QPoint(15, 53 + kPitch * r), hexDigit(r) + QStringLiteral("x"));
}

} // namespace

std::vector<std::uint8_t> charsetRaster(const FontModel& font) {
    std::vector<std::uint8_t> raster(static_cast<std::size_t>(kSize * kSize), kWhite);
    drawGrid(raster);
    drawCharacters(font, raster);
    return raster;
}

QImage charsetImage(const FontModel& font, const QString& typeface) {
    std::vector<std::uint8_t> raster = charsetRaster(font);
    drawLabels(raster, typeface);
    return packRaster(raster);
}

Result<> writeCharsetImage(const FontModel& font, const QString& path, const QString& typeface) {
    const QByteArray bytes = monoBmpBytes(charsetImage(font, typeface));
    return replaceFile(
        path, bytes,
        QStringLiteral("Can't create charset image file!\n%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace zelvik
