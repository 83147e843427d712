#pragma once

// The generation raster drawn with Qt's painter on a QImage. Glyphs come out
// pure black on pure white: the font's anti-aliasing is switched off.

#include "generator/GlyphRasterizer.h"

#include <QFont>
#include <QImage>

namespace zelvik {

// The font a run draws with: the chosen face, style, underline and strike-out
// at `pixelSize` pixels, with anti-aliasing (grey and sub-pixel) switched off.
QFont drawingFont(const QFont& chosen, int pixelSize);

// The pixel size a font has on a device of `dotsPerInch`: its own pixel size
// when it was given in pixels, else its point size converted.
int pixelSizeOn(const QFont& font, double dotsPerInch);

// The point size that gives `pixels` pixels on a device of `dotsPerInch`.
double pointSizeFor(int pixels, double dotsPerInch);

class QtGlyphRasterizer final : public GlyphRasterizer {
public:
    // `font` should come from drawingFont(); it is drawn as it is.
    explicit QtGlyphRasterizer(const QFont& font);

    void drawCharacter(char16_t character, int yOffset) override;
    std::uint32_t pixel(int x, int y) const override;
    int ascent() const override { return ascent_; }

private:
    QFont font_;
    QImage image_; // never handed out: a copy would move its pixels on the next fill
    int ascent_ = 0;
    const uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
};

} // namespace zelvik
