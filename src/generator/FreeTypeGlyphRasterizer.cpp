#include "generator/FreeTypeGlyphRasterizer.h"
#include "font/SystemPath.h"

#include "font/Cp1250.h"

#include <QFile>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <cmath>

namespace zelvik {

namespace {

constexpr std::uint16_t kUseTypoMetrics = 1u << 7; // OS/2 fsSelection bit 7
constexpr char16_t kSoftHyphen = 0x00AD;

bool hasTable(FT_Face face, FT_ULong tag) {
    FT_ULong length = 0;
    return FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) == 0 && length > 0;
}

// Qt scales the design ascent to 26.6 fixed point, rounding, and then rounds
// that to whole pixels; both halves go up.
int qtAscent(FT_Face face, int pixelSize) {
    double designAscent = face->ascender;
    if (const auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        hhea && (hhea->Ascender != 0 || hhea->Descender != 0))
        designAscent = hhea->Ascender;
    if (const auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        if (os2->fsSelection & kUseTypoMetrics)
            designAscent = os2->sTypoAscender;
        else if (os2->usWinAscent != 0 || os2->usWinDescent != 0)
            designAscent = os2->usWinAscent;
    }
    const auto fixed =
        static_cast<long>(std::floor(designAscent * pixelSize * 64.0 / face->units_per_EM + 0.5));
    return static_cast<int>((fixed + 32) >> 6);
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

} // namespace

struct FreeTypeGlyphRasterizer::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    QFile file; // mapped: FreeType reads the face from its pages as it needs them

    ~Handles() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

FreeTypeGlyphRasterizer::FreeTypeGlyphRasterizer(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles)) {}

FreeTypeGlyphRasterizer::~FreeTypeGlyphRasterizer() = default;

Result<std::unique_ptr<FreeTypeGlyphRasterizer>> FreeTypeGlyphRasterizer::open(const QString& path,
                                                                               int pixelSize) {
    const auto fail = [](const char* why, Failure failure = Failure::InvalidFormat) {
        return Result<>::fail(failure, QString::fromLatin1(why));
    };
    auto handles = std::make_unique<Handles>();
    QFile& file = handles->file;
    if (!openForReading(file, path).isEmpty())
        return fail(systemFileExists(path) ? "not readable" : "no such file", Failure::CannotOpen);
    const qint64 size = file.size();
    const uchar* data = size > 0 ? file.map(0, size) : nullptr;
    if (!data)
        return fail("not a font file FreeType can load");
    if (FT_Init_FreeType(&handles->library) != 0)
        return fail("FreeType could not start");
    if (FT_New_Memory_Face(handles->library, data, static_cast<FT_Long>(size), 0, &handles->face) !=
        0)
        return fail("not a font file FreeType can load");
    FT_Face face = handles->face;
    std::unique_ptr<FreeTypeGlyphRasterizer> rasterizer(
        new FreeTypeGlyphRasterizer(std::move(handles)));
    rasterizer->drawsAsQt_ = FT_IS_SCALABLE(face) && face->units_per_EM > 0 &&
                             !hasTable(face, TTAG_EBLC) && !hasTable(face, TTAG_CBLC) &&
                             !hasTable(face, TTAG_bdat) &&
                             FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0 &&
                             FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0;
    if (rasterizer->drawsAsQt_)
        rasterizer->ascent_ = qtAscent(face, pixelSize);
    return rasterizer;
}

bool FreeTypeGlyphRasterizer::accepts(std::span<const std::uint8_t> codes) const {
    if (!drawsAsQt_)
        return false;
    for (const std::uint8_t code : codes) {
        const char16_t c = cp1250ToUnicode(code);
        // Controls are in no font, so Qt draws the face's own missing-glyph
        // shape for them, as FreeType does.
        if (!isControl(c) && FT_Get_Char_Index(handles_->face, c) == 0)
            return false;
    }
    return true;
}

void FreeTypeGlyphRasterizer::drawCharacter(char16_t character, int yOffset) {
    ink_.fill(0);
    // Qt's text layout shows a soft hyphen only where it breaks a line.
    if (!drawsAsQt_ || character == kSoftHyphen)
        return;
    FT_Face face = handles_->face;
    const FT_UInt glyph = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
        return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int top = yOffset + ascent_ - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const int y = top + static_cast<int>(row);
        if (y < 0 || y >= kRasterEdge)
            continue;
        const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = slot->bitmap_left + static_cast<int>(column);
            if (x >= 0 && x < kRasterEdge && (bits[column / 8] & (0x80u >> (column % 8))))
                ink_[static_cast<std::size_t>(y * kRasterEdge + x)] = 1;
        }
    }
}

std::uint32_t FreeTypeGlyphRasterizer::pixel(int x, int y) const {
    return ink_[static_cast<std::size_t>(y * kRasterEdge + x)] ? 0x000000u : 0xFFFFFFu;
}

} // namespace zelvik
