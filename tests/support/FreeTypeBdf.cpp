#include "support/FreeTypeBdf.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_FONT_FORMATS_H

namespace zelvik::test {

struct FreeTypeBdfFont::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

FreeTypeBdfFont::FreeTypeBdfFont(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

FreeTypeBdfFont::~FreeTypeBdfFont() = default;

std::unique_ptr<FreeTypeBdfFont> FreeTypeBdfFont::open(const std::string& path,
                                                       std::string& error) {
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0) {
        error = "FT_Init_FreeType failed";
        return nullptr;
    }
    if (const FT_Error e = FT_New_Face(handles->library, path.c_str(), 0, &handles->face); e != 0) {
        const char* text = FT_Error_String(e);
        error = "FT_New_Face failed: " + (text ? std::string(text) : std::to_string(e));
        return nullptr;
    }
    FT_Face face = handles->face;
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0) {
        error = "the font has no bitmap size";
        return nullptr;
    }
    // A BDF face has one charmap, Unicode or the font's own codes.
    if (face->num_charmaps < 1 || FT_Set_Charmap(face, face->charmaps[0]) != 0) {
        error = "the font has no charmap";
        return nullptr;
    }
    return std::unique_ptr<FreeTypeBdfFont>(new FreeTypeBdfFont(std::move(handles)));
}

std::string FreeTypeBdfFont::driverName() const {
    return FT_Get_Font_Format(handles_->face);
}

std::string FreeTypeBdfFont::charsetRegistry() const {
    const char* encoding = nullptr;
    const char* registry = nullptr;
    if (FT_Get_BDF_Charset_ID(handles_->face, &encoding, &registry) != 0 || !registry)
        return {};
    return registry;
}

int FreeTypeBdfFont::ascent() const {
    return static_cast<int>(handles_->face->size->metrics.ascender >> 6);
}

int FreeTypeBdfFont::descent() const {
    return static_cast<int>(-handles_->face->size->metrics.descender >> 6);
}

std::vector<unsigned long> FreeTypeBdfFont::charCodes() const {
    std::vector<unsigned long> codes;
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(handles_->face, &index); index != 0;
         code = FT_Get_Next_Char(handles_->face, code, &index))
        codes.push_back(code);
    return codes;
}

std::optional<FreeTypeGlyph> FreeTypeBdfFont::glyph(unsigned long charCode) const {
    FT_Face face = handles_->face;
    const FT_UInt index = FT_Get_Char_Index(face, charCode);
    if (index == 0)
        return std::nullopt;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return std::nullopt;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0 && bitmap.width > 0)
        return std::nullopt;
    FreeTypeGlyph g;
    g.advance = static_cast<int>(slot->advance.x >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.ink.resize(static_cast<std::size_t>(g.width * g.rows));
    for (int r = 0; r < g.rows; ++r) {
        const unsigned char* row = bitmap.buffer + r * bitmap.pitch;
        for (int c = 0; c < g.width; ++c)
            g.ink[static_cast<std::size_t>(r * g.width + c)] =
                (row[c / 8] & (0x80 >> (c % 8))) != 0;
    }
    return g;
}

} // namespace zelvik::test
