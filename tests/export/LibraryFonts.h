#pragma once

// Fonts for the display-library exports, and decoders of the GFX and u8g2
// output written from the libraries' published descriptions (gfxfont.h and
// drawChar; the u8g2 font format page), which render what a display would
// show into cell-sized pictures.

#include "ExportTestSupport.h"

#include "export/LibraryGlyphs.h"
#include "export/SourceWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace zelvik::test {

// Gaps between the codes, an empty glyph, ink in the cell's corners and on
// its last row, characters of Windows-1250's upper half kept by Unicode value
// (0x8A is U+0160, 0xE8 U+010D, 0xC1 U+00C1) and one 32 pixels wide.
inline FontModel drawnLibraryFont(const std::string& identifier = "drawn") {
    FontModel font = newExportFont(identifier);
    font.ySize = 12;
    defineCharacter(font, ' ', "space", 4);
    defineCharacter(font, '(', "lpar", 3, {{2, 0}, {1, 1}, {0, 2}, {0, 9}, {1, 10}, {2, 11}});
    defineCharacter(font, 'A', "A", 6, {{2, 1}, {1, 2}, {3, 2}, {0, 3}, {4, 3}, {0, 8}, {4, 8}});
    defineCharacter(font, 'a', "a", 5, {{1, 5}, {2, 5}, {3, 6}, {1, 7}, {3, 7}});
    defineCharacter(font, 'g', "g", 5, {{1, 5}, {3, 5}, {1, 8}, {3, 9}, {1, 11}, {2, 11}});
    defineCharacter(font, '~', "tilde", 32, {{0, 0}, {31, 0}, {31, 11}, {0, 11}, {15, 6}});
    defineCharacter(font, 0x8A, "Scaron", 6, {{1, 0}, {3, 0}, {2, 1}, {0, 4}, {4, 8}});
    defineCharacter(font, 0xC1, "Aacute", 6, {{3, 0}, {2, 3}, {0, 8}});
    defineCharacter(font, 0xE8, "ccaron", 5, {{1, 2}, {3, 2}, {2, 3}, {0, 6}, {2, 8}});
    font.slots[kBlankSlot].pixels[pixelIndex(1, 1)] = 1;
    return font;
}

// A cell-sized picture: row strings of '#' and '.'.
using Picture = std::vector<std::string>;

inline Picture blankPicture(int width, int height) {
    return Picture(static_cast<std::size_t>(height),
                   std::string(static_cast<std::size_t>(width), '.'));
}

// What the slot shows: its x-size by y-size rectangle.
inline Picture cellPicture(const FontModel& font, int index) {
    const CharSlot& slot = font.slots[index];
    Picture p = blankPicture(slot.xSize, font.ySize);
    for (int y = 0; y < font.ySize; ++y)
        for (int x = 0; x < slot.xSize; ++x)
            if (pixelSet(slot.pixels, x, y))
                p[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
    return p;
}

// Sets a pixel, or records that the glyph drew outside its cell.
inline void plot(Picture& p, int x, int y, bool& outside) {
    if (y < 0 || y >= static_cast<int>(p.size()) || x < 0 || x >= static_cast<int>(p[0].size())) {
        outside = true;
        return;
    }
    p[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
}

struct DecodedGlyph {
    Picture picture;
    int advance = 0;
    bool outside = false; // drew outside the cell
};

// ---- Adafruit GFX ------------------------------------------------------

struct GfxGlyph {
    int bitmapOffset, width, height, xAdvance, xOffset, yOffset;
};

struct GfxFont {
    std::vector<std::uint8_t> bitmap;
    std::vector<GfxGlyph> glyphs;
    int first = -1, last = -1, yAdvance = 0;
};

inline GfxFont parseGfx(const std::string& header) {
    GfxFont f;
    const std::size_t start = header.find("Bitmaps[] PROGMEM = {");
    const std::size_t end = header.find("};", start);
    const std::string bitmaps = header.substr(start, end - start);
    const std::regex hex("0x([0-9A-Fa-f]{2})");
    for (auto it = std::sregex_iterator(bitmaps.begin(), bitmaps.end(), hex);
         it != std::sregex_iterator(); ++it)
        f.bitmap.push_back(static_cast<std::uint8_t>(std::stoi((*it)[1].str(), nullptr, 16)));
    const std::regex glyph(R"(\{\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(-?\d+),\s*(-?\d+)\s*\})");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), glyph);
         it != std::sregex_iterator(); ++it) {
        const auto& m = *it;
        f.glyphs.push_back({std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]),
                            std::stoi(m[5]), std::stoi(m[6])});
    }
    std::smatch m;
    if (std::regex_search(header, m,
                          std::regex(R"(Glyphs, 0x([0-9A-F]+), 0x([0-9A-F]+), (\d+)\})"))) {
        f.first = std::stoi(m[1], nullptr, 16);
        f.last = std::stoi(m[2], nullptr, 16);
        f.yAdvance = std::stoi(m[3]);
    }
    return f;
}

// drawChar: the cursor is (0, cursorY); bits run on across rows, most
// significant first, a new byte every eight pixels.
inline DecodedGlyph drawGfx(const GfxFont& f, int code, int cellWidth, int cellHeight,
                            int cursorY) {
    DecodedGlyph d;
    d.picture = blankPicture(cellWidth, cellHeight);
    const GfxGlyph& g = f.glyphs.at(static_cast<std::size_t>(code - f.first));
    d.advance = g.xAdvance;
    std::size_t bo = static_cast<std::size_t>(g.bitmapOffset);
    unsigned bits = 0, bit = 0;
    for (int yy = 0; yy < g.height; ++yy) {
        for (int xx = 0; xx < g.width; ++xx) {
            if (!(bit++ & 7))
                bits = f.bitmap.at(bo++);
            if (bits & 0x80)
                plot(d.picture, g.xOffset + xx, cursorY + g.yOffset + yy, d.outside);
            bits <<= 1;
        }
    }
    return d;
}

// ---- u8g2 ----------------------------------------------------------------

// The array's bytes from its C string (with the terminating zero), and the
// size it is declared with.
inline std::vector<std::uint8_t> parseU8g2(const std::string& source, int* declaredSize) {
    std::smatch m;
    if (std::regex_search(source, m, std::regex(R"(\[(\d+)\] U8G2_FONT_SECTION)")))
        *declaredSize = std::stoi(m[1]);
    std::vector<std::uint8_t> bytes;
    std::size_t i = source.find("\") =");
    i = source.find('"', i + 4);
    while (i != std::string::npos) {
        ++i;
        while (source[i] != '"') {
            if (source[i] == '\\') {
                ++i;
                int v = 0, n = 0;
                while (n < 3 && source[i] >= '0' && source[i] <= '7') {
                    v = v * 8 + (source[i] - '0');
                    ++i;
                    ++n;
                }
                if (n == 0)
                    v = static_cast<unsigned char>(source[i++]);
                bytes.push_back(static_cast<std::uint8_t>(v));
            } else {
                bytes.push_back(static_cast<std::uint8_t>(source[i++]));
            }
        }
        const std::size_t next = source.find_first_not_of(" \n", i + 1);
        i = next != std::string::npos && source[next] == '"' ? next : std::string::npos;
    }
    bytes.push_back(0);
    return bytes;
}

class U8g2Font {
public:
    explicit U8g2Font(std::vector<std::uint8_t> bytes) : b_(std::move(bytes)) {}

    int header(int at) const { return b_.at(static_cast<std::size_t>(at)); }
    int signedHeader(int at) const { return static_cast<std::int8_t>(header(at)); }
    int word(std::size_t at) const { return (b_.at(at) << 8) | b_.at(at + 1); }

    // The glyph's data after its encoding and size, or 0 when absent. Codes
    // from 'A' and from 'a' start at their header offsets; codes from 0x100
    // go through the lookup table.
    std::size_t find(char32_t code) const {
        std::size_t p = 23;
        if (code <= 0xFF) {
            if (code >= 'a')
                p += static_cast<std::size_t>(word(19));
            else if (code >= 'A')
                p += static_cast<std::size_t>(word(17));
            for (;;) {
                if (b_.at(p + 1) == 0)
                    return 0;
                if (b_.at(p) == code)
                    return p + 2;
                p += b_.at(p + 1);
            }
        }
        std::size_t table = 23 + static_cast<std::size_t>(word(21));
        p = table;
        char32_t e = 0;
        do {
            p += static_cast<std::size_t>(word(table));
            e = static_cast<char32_t>(word(table + 2));
            table += 4;
        } while (e < code);
        for (;;) {
            e = static_cast<char32_t>(word(p));
            if (e == 0)
                return 0;
            if (e == code)
                return p + 3;
            p += b_.at(p + 2);
        }
    }

    // The glyph drawn with its origin at (0, baselineY): the row above the
    // baseline is baselineY - 1.
    DecodedGlyph draw(std::size_t data, int cellWidth, int cellHeight, int baselineY) {
        pos_ = data;
        bit_ = 0;
        DecodedGlyph d;
        d.picture = blankPicture(cellWidth, cellHeight);
        const int w = static_cast<int>(get(header(4)));
        const int h = static_cast<int>(get(header(5)));
        const int x = getSigned(header(6));
        const int y = getSigned(header(7));
        d.advance = getSigned(header(8));
        if (w == 0)
            return d;
        const int top = baselineY - h - y;
        int cx = 0, cy = 0;
        auto step = [&] {
            if (++cx == w) {
                cx = 0;
                ++cy;
            }
        };
        while (cy < h) {
            const unsigned zeros = get(header(2));
            const unsigned ones = get(header(3));
            do {
                for (unsigned i = 0; i < zeros; ++i)
                    step();
                for (unsigned i = 0; i < ones; ++i) {
                    plot(d.picture, x + cx, top + cy, d.outside);
                    step();
                }
            } while (get(1) != 0);
        }
        return d;
    }

private:
    unsigned get(int count) {
        unsigned v = 0;
        for (int i = 0; i < count; ++i) {
            if ((b_.at(pos_) >> bit_) & 1u)
                v |= 1u << i;
            if (++bit_ == 8) {
                bit_ = 0;
                ++pos_;
            }
        }
        return v;
    }
    int getSigned(int count) { return static_cast<int>(get(count)) - (1 << (count - 1)); }

    std::vector<std::uint8_t> b_;
    std::size_t pos_ = 0;
    int bit_ = 0;
};

inline GeneratedFiles generateLibrary(ExportTarget target, const FontModel& font,
                                      const std::string& guardBase = "font") {
    const ExportJob job{font, font.fontIdentifier, {}, guardBase};
    const auto writer = exportTarget(target).makeWriter();
    EXPECT_TRUE(writer->check(job).ok()) << writer->check(job).message.toStdString();
    return writer->generate(job);
}

} // namespace zelvik::test
