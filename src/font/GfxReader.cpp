// Adafruit GFX fonts: a GFXfont naming its bitmaps and its glyph table, with
// first, last and yAdvance. A glyph's yOffset counts from the cursor row, the
// lowest row above the baseline, to its top row; its bits run row by row,
// most significant first, on across rows.
//
// The format keeps no cell, only the line distance yAdvance. The cell is that
// many rows, or as many more as the glyphs need, and stands on the deepest
// glyph (or on the baseline, when none reaches below it). Our own export
// notes its cell in a comment before the GFXfont, so it comes back as it was.

#include "font/FontImport.h"

#include "font/CDeclarations.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace zelvik {

namespace {

constexpr const char* kInvalidGfxMessage = "Invalid Adafruit GFX font!";
constexpr std::string_view kKindName = "Adafruit GFX";

struct Glyph {
    std::int64_t offset = 0, width = 0, height = 0, advance = 0, xOffset = 0, yOffset = 0;
    int line = 1;
};

Result<> fault(int line, const QString& detail) {
    return cSourceFault(kInvalidGfxMessage, line, detail);
}

QString hex(long long code) {
    return QStringLiteral("0x") +
           QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

const CDeclaration* named(const std::vector<CDeclaration>& all, std::string_view name) {
    for (const CDeclaration& d : all)
        if (d.name == name)
            return &d;
    return nullptr;
}

// A number within lo-hi, or a fault naming `what`.
Result<> number(const CValue& v, std::int64_t lo, std::int64_t hi, const QString& what,
                std::int64_t& out) {
    if (v.kind != CValue::Kind::Number)
        return fault(v.line, QStringLiteral("%1 is not a number.").arg(what));
    if (v.number < lo || v.number > hi)
        return fault(v.line, QStringLiteral("%1 is %2, out of range (%3 to %4).")
                                 .arg(what)
                                 .arg(v.number)
                                 .arg(lo)
                                 .arg(hi));
    out = v.number;
    return Result<>::success();
}

Result<> readBitmaps(const CDeclaration& d, std::vector<std::uint8_t>& out) {
    if (d.value.kind != CValue::Kind::List)
        return fault(d.line, QStringLiteral("the bitmaps are no list of bytes."));
    out.reserve(d.value.items.size());
    for (const CValue& v : d.value.items) {
        std::int64_t byte = 0;
        if (Result<> r = number(v, 0, 255, QStringLiteral("a bitmap byte"), byte); !r)
            return r;
        out.push_back(static_cast<std::uint8_t>(byte));
    }
    return Result<>::success();
}

// The glyph table: a brace list for every glyph, or all their numbers in one list.
Result<> readGlyphs(const CDeclaration& d, std::vector<Glyph>& out) {
    if (d.value.kind != CValue::Kind::List)
        return fault(d.line, QStringLiteral("the glyph table is no list."));
    std::vector<const CValue*> fields;
    for (const CValue& v : d.value.items) {
        if (v.kind == CValue::Kind::List) {
            if (v.items.size() != 6)
                return fault(
                    v.line,
                    QStringLiteral("a glyph has %1 numbers instead of 6.").arg(v.items.size()));
            for (const CValue& f : v.items)
                fields.push_back(&f);
        } else {
            fields.push_back(&v);
        }
    }
    if (fields.size() % 6 != 0)
        return fault(
            d.line,
            QStringLiteral("the glyph table's %1 numbers are no whole glyphs.").arg(fields.size()));
    for (std::size_t i = 0; i < fields.size(); i += 6) {
        Glyph g;
        g.line = fields[i]->line;
        const struct {
            std::int64_t lo, hi;
            const char* name;
            std::int64_t* out;
        } limits[6] = {{0, 65535, "bitmapOffset", &g.offset}, {0, 255, "width", &g.width},
                       {0, 255, "height", &g.height},         {0, 255, "xAdvance", &g.advance},
                       {-128, 127, "xOffset", &g.xOffset},    {-128, 127, "yOffset", &g.yOffset}};
        for (int f = 0; f < 6; ++f)
            if (Result<> r = number(
                    *fields[i + static_cast<std::size_t>(f)], limits[f].lo, limits[f].hi,
                    QStringLiteral("glyph %1's %2").arg(i / 6).arg(QLatin1String(limits[f].name)),
                    *limits[f].out);
                !r)
                return r;
        out.push_back(g);
    }
    return Result<>::success();
}

// "Cell: 12 rows, baseline 9 rows below its top", as our export writes it.
bool cellNote(std::string_view comment, int& rows, int& baseline) {
    const auto trimmed = [](std::string_view s) {
        while (!s.empty() && s.front() == ' ')
            s.remove_prefix(1);
        return s;
    };
    const auto numberThen = [](std::string_view& s, std::string_view after, int& out) {
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
        if (error != std::errc())
            return false;
        s.remove_prefix(static_cast<std::size_t>(end - s.data()));
        if (!s.starts_with(after))
            return false;
        s.remove_prefix(after.size());
        return true;
    };
    std::string_view s = trimmed(comment);
    if (!s.starts_with("Cell: "))
        return false;
    s.remove_prefix(6);
    return numberThen(s, " rows, baseline ", rows) &&
           numberThen(s, " rows below its top", baseline);
}

} // namespace

Result<FontImport> readGfxFont(std::string_view bytes, std::string_view fontName) {
    Result<std::vector<CDeclaration>> all = readCDeclarations(bytes, kInvalidGfxMessage);
    if (!all)
        return all;
    const Result<CDeclaration*> chosen = chooseFontDeclaration(
        *all,
        [](const CDeclaration& d) {
            return d.hasWord("GFXfont") && d.value.kind == CValue::Kind::List;
        },
        fontName, kKindName,
        Result<>::fail(Failure::InvalidFormat, QString::fromLatin1(kInvalidGfxMessage) +
                                                   QStringLiteral("\nThe file holds no GFXfont.")));
    if (!chosen)
        return chosen;
    const CDeclaration& decl = **chosen;

    const std::vector<CValue>& fields = decl.value.items;
    if (fields.size() < 5 || fields[0].kind != CValue::Kind::Name ||
        fields[1].kind != CValue::Kind::Name)
        return fault(decl.line, QStringLiteral("the GFXfont needs its bitmaps, its glyphs, "
                                               "first, last and yAdvance."));
    std::int64_t first = 0, last = 0, yAdvance = 0;
    if (Result<> r = number(fields[2], 0, 65535, QStringLiteral("first"), first); !r)
        return r;
    if (Result<> r = number(fields[3], first, 65535, QStringLiteral("last"), last); !r)
        return r;
    if (Result<> r = number(fields[4], 0, 255, QStringLiteral("yAdvance"), yAdvance); !r)
        return r;
    const CDeclaration* bitmapArray = named(*all, fields[0].name);
    const CDeclaration* glyphArray = named(*all, fields[1].name);
    for (const auto& [array, value] :
         {std::pair{bitmapArray, &fields[0]}, {glyphArray, &fields[1]}})
        if (!array)
            return fault(value->line,
                         QStringLiteral("the array %1 is not in the file.")
                             .arg(QString::fromLatin1(value->name.data(),
                                                      static_cast<qsizetype>(value->name.size()))));
    std::vector<std::uint8_t> bitmap;
    std::vector<Glyph> glyphs;
    if (Result<> r = readBitmaps(*bitmapArray, bitmap); !r)
        return r;
    if (Result<> r = readGlyphs(*glyphArray, glyphs); !r)
        return r;
    const std::size_t count = static_cast<std::size_t>(last - first + 1);
    if (glyphs.size() < count)
        return fault(glyphArray->line,
                     QStringLiteral("the glyph table has %1 glyphs; %2 to %3 are %4.")
                         .arg(glyphs.size())
                         .arg(hex(first), hex(last))
                         .arg(count));
    glyphs.resize(count);

    // The rows the glyphs reach, from the cursor row (0) down; the cursor row is always in the
    // cell.
    std::int64_t top = 0, bottom = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Glyph& g = glyphs[i];
        const std::int64_t end = g.offset + (g.width * g.height + 7) / 8;
        if (end > static_cast<std::int64_t>(bitmap.size()))
            return fault(g.line,
                         QStringLiteral("the glyph of %1 reaches to byte %2 of the bitmaps, "
                                        "which hold %3.")
                             .arg(hex(first + static_cast<std::int64_t>(i)))
                             .arg(end)
                             .arg(bitmap.size()));
        if (first + static_cast<std::int64_t>(i) >= kCodeCount || g.width == 0 || g.height == 0)
            continue;
        top = std::min(top, g.yOffset);
        bottom = std::max(bottom, g.yOffset + g.height - 1);
    }
    int rows = 0, baseline = 0;
    const bool noted = cellNote(decl.comment, rows, baseline) && rows >= kMinSize &&
                       rows <= kMaxSize && baseline >= 1 && baseline <= rows &&
                       baseline - 1 + top >= 0 && baseline - 1 + bottom < rows;
    if (!noted) {
        rows = clampSize(static_cast<int>(std::max(yAdvance, bottom - top + 1)));
        baseline = std::max(1, rows - static_cast<int>(bottom));
    }
    const int cursorRow = baseline - 1;

    ImportedFontBuilder font(decl.name, rows, baseline);
    for (std::size_t i = 0; i < count; ++i) {
        const Glyph& g = glyphs[i];
        if (font.begin(first + static_cast<std::int64_t>(i), static_cast<int>(g.advance))) {
            std::size_t at = static_cast<std::size_t>(g.offset);
            int bit = 0;
            for (int y = 0; y < g.height; ++y) {
                for (int x = 0; x < g.width; ++x, ++bit) {
                    if (bit == 8) {
                        bit = 0;
                        ++at;
                    }
                    if (bitmap[at] & (0x80 >> bit))
                        font.ink(static_cast<int>(g.xOffset) + x,
                                 cursorRow + static_cast<int>(g.yOffset) + y);
                }
            }
        }
        font.end();
    }
    return font.finish();
}

} // namespace zelvik
