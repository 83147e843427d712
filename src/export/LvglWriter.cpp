#include "export/LvglWriter.h"

#include "export/LibraryGlyphs.h"
#include "export/WriterText.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace zelvik {

using writer::appendHexLower;
using writer::appendInt;

namespace {

constexpr std::string_view kLibrary = "LVGL";
// The sizes of the records on a 32-bit controller: lv_font_fmt_txt_glyph_dsc_t
// and lv_font_fmt_txt_cmap_t.
constexpr int kGlyphDscBytes = 8;
constexpr int kCmapBytes = 20;

enum class CmapType { Format0Tiny, Format0Full, SparseTiny };

struct Cmap {
    CmapType type;
    std::size_t first, last; // indexes into the sorted glyphs
};

// The cheapest split of the sorted characters into character maps, by the
// converter's own estimates: a full range costs 16 bytes plus one per code, a
// range without gaps 16, a sparse list 16 plus two per character.
std::vector<Cmap> splitIntoCmaps(const std::vector<LibraryGlyph>& glyphs) {
    const std::size_t n = glyphs.size();
    struct Best {
        long cost = std::numeric_limits<long>::max();
        std::size_t start = 0;
        CmapType type = CmapType::SparseTiny;
    };
    std::vector<Best> best(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            const long before = j > 0 ? best[j - 1].cost : 0;
            const long span = static_cast<long>(glyphs[i].unicode - glyphs[j].unicode);
            auto consider = [&](long cost, CmapType type) {
                if (before + cost < best[i].cost)
                    best[i] = {before + cost, j, type};
            };
            if (span < 256)
                consider(16 + span + 1, CmapType::Format0Full);
            if (span < 256 && span == static_cast<long>(i - j))
                consider(16, CmapType::Format0Tiny);
            if (span < 65536)
                consider(16 + 2 * static_cast<long>(i - j + 1), CmapType::SparseTiny);
        }
    }
    std::vector<Cmap> cmaps;
    for (std::size_t end = n; end > 0;) {
        const Best& b = best[end - 1];
        cmaps.insert(cmaps.begin(), Cmap{b.type, b.start, end - 1});
        end = b.start;
    }
    return cmaps;
}

const char* typeName(CmapType type) {
    switch (type) {
    case CmapType::Format0Tiny:
        return "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY";
    case CmapType::Format0Full:
        return "LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL";
    case CmapType::SparseTiny:
        break;
    }
    return "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY";
}

// Values eight to a line, as the converter lists them.
template <class Format> void appendList(std::string& out, std::size_t count, Format&& format) {
    for (std::size_t i = 0; i < count; ++i) {
        out.append(i % 8 == 0 ? 4 : 1, ' ');
        format(out, i);
        if (i + 1 < count)
            out += (i % 8 == 7) ? std::string_view(",\n") : std::string_view(",");
    }
}

// The character in a comment, quoted as the converter quotes it.
void appendQuoted(std::string& out, char32_t c) {
    out += '"';
    if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c < 0x20) {
        constexpr char kDigits[] = "0123456789abcdef";
        out += "\\u00";
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    out += '"';
}

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

} // namespace

Result<> LvglWriter::check(const ExportJob& job) const {
    return checkLibraryFont(job.font, kLibrary);
}

GeneratedFiles LvglWriter::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    const std::string& id = job.identifier;
    const std::string guard = upper(id);
    const int ySize = clampSize(font.ySize);
    const int baseline = libraryBaseline(font);
    const std::vector<LibraryGlyph> glyphs = unicodeGlyphs(font);

    // Every buffer sized once: an export makes a few large ones.
    std::size_t bitBytes = 0;
    for (const LibraryGlyph& glyph : glyphs)
        bitBytes += glyphBitsBytes(glyph);
    std::vector<std::uint8_t> bits;
    bits.reserve(bitBytes);
    std::vector<int> offsets;
    offsets.reserve(glyphs.size() + 1);
    for (const LibraryGlyph& glyph : glyphs) {
        offsets.push_back(static_cast<int>(bits.size()));
        appendGlyphBits(bits, glyph);
    }
    offsets.push_back(static_cast<int>(bits.size()));

    GeneratedFiles files;
    std::string& out = files.source;
    // " 0xff," and line starts; per glyph its comment and its description.
    out.reserve(bits.size() * 7 + glyphs.size() * 160 + 4096);
    out += "/*******************************************************************************\n"
           " * Size: ";
    appendInt(out, ySize);
    out += " px\n * Bpp: 1\n * Opts: written by Zelvik from the font ";
    out += id;
    out += "\n ******************************************************************************/\n\n"
           "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n#include \"lvgl.h\"\n#else\n"
           "#include \"lvgl/lvgl.h\"\n#endif\n\n#ifndef ";
    out += guard;
    out += "\n#define ";
    out += guard;
    out += " 1\n#endif\n\n#if ";
    out += guard;
    out += "\n\n/*-----------------\n *    BITMAPS\n *----------------*/\n\n"
           "/*Store the image of the glyphs*/\n"
           "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";

    for (std::size_t g = 0; g < glyphs.size(); ++g) {
        const auto start = static_cast<std::size_t>(offsets[g]);
        const auto end = static_cast<std::size_t>(offsets[g + 1]);
        out += "    /* U+";
        writer::appendHexUpper(out, static_cast<unsigned>(glyphs[g].unicode), 4);
        out += ' ';
        appendQuoted(out, glyphs[g].unicode);
        out += " */\n";
        writer::appendHexBytes(out, bits.data() + start, end - start, 8, writer::HexCase::Lower);
        if (g + 1 < glyphs.size())
            out += end > start ? ",\n\n" : "\n";
    }
    // An array without elements is no C: a font without ink keeps one byte.
    if (bits.empty()) {
        out += "    0x0";
        bits.push_back(0);
    }
    out += "\n};\n\n\n/*---------------------\n *  GLYPH DESCRIPTION\n *--------------------*/\n\n"
           "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
           "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0} "
           "/* id = 0 reserved */";
    for (std::size_t g = 0; g < glyphs.size(); ++g) {
        const LibraryGlyph& glyph = glyphs[g];
        const int ofsY = glyph.height > 0 ? baseline - glyph.top - glyph.height : 0;
        out += ",\n    {.bitmap_index = ";
        appendInt(out, offsets[g]);
        out += ", .adv_w = ";
        appendInt(out, glyph.advance * 16);
        out += ", .box_w = ";
        appendInt(out, glyph.width);
        out += ", .box_h = ";
        appendInt(out, glyph.height);
        out += ", .ofs_x = ";
        appendInt(out, glyph.left);
        out += ", .ofs_y = ";
        appendInt(out, ofsY);
        out += '}';
    }
    out += "\n};\n\n/*---------------------\n *  CHARACTER MAPPING\n *--------------------*/\n\n";

    const std::vector<Cmap> cmaps = splitIntoCmaps(glyphs);
    int listBytes = 0;
    bool anyList = false;
    for (std::size_t m = 0; m < cmaps.size(); ++m) {
        const Cmap& cmap = cmaps[m];
        const char32_t first = glyphs[cmap.first].unicode;
        if (cmap.type == CmapType::Format0Tiny)
            continue;
        if (anyList)
            out += "\n\n";
        anyList = true;
        if (cmap.type == CmapType::Format0Full) {
            const std::size_t length = glyphs[cmap.last].unicode - first + 1;
            std::vector<int> ids(length, 0);
            for (std::size_t g = cmap.first; g <= cmap.last; ++g)
                ids[glyphs[g].unicode - first] = static_cast<int>(g - cmap.first);
            out += "static const uint8_t glyph_id_ofs_list_";
            appendInt(out, static_cast<int>(m));
            out += "[] = {\n";
            appendList(out, length, [&](std::string& o, std::size_t i) { appendInt(o, ids[i]); });
            listBytes += static_cast<int>(length);
        } else {
            out += "static const uint16_t unicode_list_";
            appendInt(out, static_cast<int>(m));
            out += "[] = {\n";
            appendList(out, cmap.last - cmap.first + 1, [&](std::string& o, std::size_t i) {
                appendHexLower(o, static_cast<unsigned>(glyphs[cmap.first + i].unicode - first));
            });
            listBytes += 2 * static_cast<int>(cmap.last - cmap.first + 1);
        }
        out += "\n};";
    }
    if (anyList)
        out += "\n\n";
    out += "/*Collect the unicode lists and glyph_id offsets*/\n"
           "static const lv_font_fmt_txt_cmap_t cmaps[] =\n{\n";
    for (std::size_t m = 0; m < cmaps.size(); ++m) {
        const Cmap& cmap = cmaps[m];
        const char32_t first = glyphs[cmap.first].unicode;
        const bool sparse = cmap.type == CmapType::SparseTiny;
        const bool full = cmap.type == CmapType::Format0Full;
        const std::size_t rangeLength = glyphs[cmap.last].unicode - first + 1;
        const std::size_t count = cmap.last - cmap.first + 1;
        const std::string index = std::to_string(m);
        out += "    {\n        .range_start = ";
        appendInt(out, static_cast<int>(first));
        out += ", .range_length = ";
        appendInt(out, static_cast<int>(rangeLength));
        out += ", .glyph_id_start = ";
        appendInt(out, static_cast<int>(cmap.first) + 1);
        out += ",\n";
        out += "        .unicode_list = ";
        out += sparse ? "unicode_list_" + index : "NULL";
        out += ", .glyph_id_ofs_list = ";
        out += full ? "glyph_id_ofs_list_" + index : "NULL";
        out += ", .list_length = ";
        appendInt(out, sparse ? static_cast<int>(count) : full ? static_cast<int>(rangeLength) : 0);
        out += ", .type = ";
        out += typeName(cmap.type);
        out += m + 1 < cmaps.size() ? "\n    },\n" : "\n    }\n";
    }
    out += "};\n\n\n\n/*--------------------\n *  ALL CUSTOM DATA\n *--------------------*/\n\n"
           "#if LVGL_VERSION_MAJOR == 8\n/*Store all the custom data of the font*/\n"
           "static  lv_font_fmt_txt_glyph_cache_t cache;\n#endif\n\n"
           "#if LVGL_VERSION_MAJOR >= 8\nstatic const lv_font_fmt_txt_dsc_t font_dsc = {\n#else\n"
           "static lv_font_fmt_txt_dsc_t font_dsc = {\n#endif\n"
           "    .glyph_bitmap = glyph_bitmap,\n    .glyph_dsc = glyph_dsc,\n"
           "    .cmaps = cmaps,\n    .kern_dsc = NULL,\n    .kern_scale = 0,\n    .cmap_num = ";
    appendInt(out, static_cast<int>(cmaps.size()));
    out += ",\n    .bpp = 1,\n    .kern_classes = 0,\n    .bitmap_format = 0,\n"
           "#if LVGL_VERSION_MAJOR == 8\n    .cache = &cache\n#endif\n};\n\n\n\n"
           "/*-----------------\n *  PUBLIC FONT\n *----------------*/\n\n"
           "/*Initialize a public general font descriptor*/\n"
           "#if LVGL_VERSION_MAJOR >= 8\nconst lv_font_t ";
    out += id;
    out += " = {\n#else\nlv_font_t ";
    out += id;
    out += " = {\n#endif\n"
           "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,    /*Function pointer to get "
           "glyph's data*/\n"
           "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,    /*Function pointer to get "
           "glyph's bitmap*/\n    .line_height = ";
    appendInt(out, ySize);
    out += ",          /*The maximum line height required by the font*/\n    .base_line = ";
    const int belowBaseline = ySize - baseline;
    appendInt(out, belowBaseline);
    out += ",             /*Baseline measured from the bottom of the line*/\n"
           "#if !(LVGL_VERSION_MAJOR == 6 && LVGL_VERSION_MINOR == 0)\n"
           "    .subpx = LV_FONT_SUBPX_NONE,\n#endif\n"
           "#if LV_VERSION_CHECK(7, 4, 0) || LVGL_VERSION_MAJOR >= 8\n"
           "    .underline_position = ";
    // The row under the baseline, when the cell has one.
    appendInt(out, belowBaseline > 0 ? -1 : 0);
    out += ",\n    .underline_thickness = 1,\n#endif\n"
           "    .dsc = &font_dsc,          /*The custom font data. Will be accessed by "
           "`get_glyph_bitmap/dsc` */\n"
           "#if LV_VERSION_CHECK(8, 2, 0) || LVGL_VERSION_MAJOR >= 9\n    .fallback = NULL,\n"
           "#endif\n    .user_data = NULL,\n};\n\n\n\n#endif /*#if ";
    out += guard;
    out += "*/\n\n";

    files.flashBytes = static_cast<int>(bits.size()) +
                       kGlyphDscBytes * (static_cast<int>(glyphs.size()) + 1) + listBytes +
                       kCmapBytes * static_cast<int>(cmaps.size());
    return files;
}

} // namespace zelvik
