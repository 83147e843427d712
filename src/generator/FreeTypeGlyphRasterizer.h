#pragma once

// The generation raster drawn straight from a font file with FreeType, for
// zelvik-cli: no Qt Gui to load, no system font database to read. It draws
// what Qt's painter draws for the same file (the same hinting for one-bit
// glyphs, the same baseline), so a font file gives the same characters
// either way; accepts() says for which files and codes that holds.

#include "font/Result.h"
#include "generator/GlyphRasterizer.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace zelvik {

class FreeTypeGlyphRasterizer final : public GlyphRasterizer {
public:
    // Opens face 0 of `path` at `pixelSize` pixels. Fails when FreeType can't
    // read the file, the message saying what is wrong with it.
    static Result<std::unique_ptr<FreeTypeGlyphRasterizer>> open(const QString& path,
                                                                 int pixelSize);
    ~FreeTypeGlyphRasterizer() override;

    // Whether this face draws every one of `codes` exactly as Qt would. Qt
    // draws bitmap faces and faces with embedded bitmaps its own way, and
    // takes a character the face lacks from another installed font: those
    // runs are left to Qt.
    bool accepts(std::span<const std::uint8_t> codes) const;

    void drawCharacter(char16_t character, int yOffset) override;
    std::uint32_t pixel(int x, int y) const override;

    // Where Qt puts the baseline: the font's own ascent (the OS/2 table's
    // when there is one, else the hhea table's), rounded as Qt rounds it.
    int ascent() const override { return ascent_; }

private:
    struct Handles;
    explicit FreeTypeGlyphRasterizer(std::unique_ptr<Handles> handles);

    std::unique_ptr<Handles> handles_;
    int ascent_ = 0;
    bool drawsAsQt_ = false;
    std::array<std::uint8_t, kRasterEdge * kRasterEdge> ink_{}; // 1 = black
};

} // namespace zelvik
