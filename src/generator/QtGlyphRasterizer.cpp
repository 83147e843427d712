#include "generator/QtGlyphRasterizer.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zelvik {

QFont drawingFont(const QFont& chosen, int pixelSize) {
    QFont font = chosen;
    font.setPixelSize(pixelSize);
    // Pixels the display shows are either on or off: no grey edges, no colour
    // fringes, whatever the desktop's font settings say.
    font.setStyleStrategy(QFont::StyleStrategy(chosen.styleStrategy() | QFont::NoAntialias |
                                               QFont::NoSubpixelAntialias));
    // The desktop's own hinting choice (X resources, a high-DPI screen) must
    // not change the pixels: the editor and zelvik-cli draw the same glyphs.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int pixelSizeOn(const QFont& font, double dotsPerInch) {
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dotsPerInch / 72.0)));
}

double pointSizeFor(int pixels, double dotsPerInch) {
    return pixels * 72.0 / dotsPerInch;
}

QtGlyphRasterizer::QtGlyphRasterizer(const QFont& font)
    : font_(font), image_(kRasterEdge, kRasterEdge, QImage::Format_RGB32) {
    ascent_ = QFontMetrics(font_, &image_).ascent();
    // The image is never shared, so its pixels stay where they are.
    bits_ = image_.constBits();
    bytesPerLine_ = image_.bytesPerLine();
}

void QtGlyphRasterizer::drawCharacter(char16_t character, int yOffset) {
    image_.fill(Qt::white);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.setClipRect(0, 0, kRasterEdge, kRasterEdge);
    // Qt places text by its baseline; the cell's top lies one ascent above it.
    painter.drawText(QPoint(0, yOffset + ascent_), QString(QChar(character)));
}

std::uint32_t QtGlyphRasterizer::pixel(int x, int y) const {
    // Read once per pixel, 1024 times a character: no per-call checks.
    const auto* line = reinterpret_cast<const QRgb*>(bits_ + y * bytesPerLine_);
    return line[x] & 0xFFFFFFu;
}

} // namespace zelvik
