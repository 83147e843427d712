// The BDF writer. Every glyph is one full cell, x-size by y-size, standing
// on the font's baseline as the cell does in the editor: FONT_ASCENT rows
// above it, FONT_DESCENT below, so every reader places the pixels exactly
// where the editor shows them.
// BDF is printable ASCII: bytes of names and identifiers outside it become '_'.

#include "font/BdfFile.h"

#include "font/Cp1250.h"
#include "font/FileReplacement.h"

#include <algorithm>
#include <cstdio>

namespace zelvik {

namespace {

// The resolution is the one at which a point is a pixel, so the point size
// is the pixel size and SWIDTH is DWIDTH in thousandths of the pixel size.
constexpr int kResolution = 72;

bool defined(const FontModel& font, int code) {
    return font.slots[code].defined();
}

// Text for an XLFD field and FAMILY_NAME: no '-', which separates XLFD
// fields, nor the wildcard, list and quote characters.
std::string xlfdField(std::string_view text) {
    std::string field;
    for (const char c : text) {
        const bool printable = c >= 0x20 && c <= 0x7E;
        field.push_back(
            printable && c != '-' && c != '?' && c != '*' && c != ',' && c != '"' ? c : '_');
    }
    return field;
}

// A glyph name is one word.
std::string glyphName(std::string_view name) {
    std::string word;
    for (const char c : name)
        word.push_back(c > 0x20 && c <= 0x7E ? c : '_');
    return word;
}

void appendLine(std::string& out, const char* format, auto... values) {
    char buffer[160];
    const int n = std::snprintf(buffer, sizeof buffer, format, values...);
    if (n > 0)
        out.append(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
    out.push_back('\n');
}

} // namespace

std::string serializeBdf(const FontModel& font, std::string_view identifier) {
    const int ySize = clampSize(font.ySize);
    const int descent = ySize - fontBaseline(font);
    int count = 0;
    int widest = 0;
    int narrowest = kMaxSize;
    long long widthSum = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        if (!defined(font, code))
            continue;
        const int xSize = clampSize(font.slots[code].xSize);
        ++count;
        widest = std::max(widest, xSize);
        narrowest = std::min(narrowest, xSize);
        widthSum += xSize;
    }
    // All cells alike make a character cell font.
    const char* spacing = count > 0 && widest == narrowest ? "C" : "P";
    const long long averageWidth = count > 0 ? (widthSum * 10 + count / 2) / count : 0;
    const std::string family = xlfdField(identifier);

    std::string out;
    out.reserve(512 + static_cast<std::size_t>(count) * (96 + ySize * 9));
    out += "STARTFONT 2.1\n";
    out += "FONT -Zelvik-" + family + "-Medium-R-Normal--";
    appendLine(out, "%d-%d-%d-%d-%s-%lld-ISO10646-1", ySize, ySize * 10, kResolution, kResolution,
               spacing, averageWidth);
    appendLine(out, "SIZE %d %d %d", ySize, kResolution, kResolution);
    appendLine(out, "FONTBOUNDINGBOX %d %d 0 %d", std::max(widest, 1), ySize, -descent);
    out += "STARTPROPERTIES 16\n";
    out += "FOUNDRY \"Zelvik\"\n";
    out += "FAMILY_NAME \"" + family + "\"\n";
    out += "WEIGHT_NAME \"Medium\"\n";
    out += "SLANT \"R\"\n";
    out += "SETWIDTH_NAME \"Normal\"\n";
    out += "ADD_STYLE_NAME \"\"\n";
    appendLine(out, "PIXEL_SIZE %d", ySize);
    appendLine(out, "POINT_SIZE %d", ySize * 10);
    appendLine(out, "RESOLUTION_X %d", kResolution);
    appendLine(out, "RESOLUTION_Y %d", kResolution);
    appendLine(out, "SPACING \"%s\"", spacing);
    appendLine(out, "AVERAGE_WIDTH %lld", averageWidth);
    out += "CHARSET_REGISTRY \"ISO10646\"\n";
    out += "CHARSET_ENCODING \"1\"\n";
    appendLine(out, "FONT_ASCENT %d", ySize - descent);
    appendLine(out, "FONT_DESCENT %d", descent);
    out += "ENDPROPERTIES\n";
    appendLine(out, "CHARS %d", count);

    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    for (int code = 0; code < kCodeCount; ++code) {
        if (!defined(font, code))
            continue;
        const CharSlot& slot = font.slots[code];
        const int xSize = clampSize(slot.xSize);
        out += "STARTCHAR " + glyphName(slot.name) + '\n';
        // Codes 0-31 are Windows-1250's own controls, the same values in Unicode.
        appendLine(out, "ENCODING %d", static_cast<int>(cp1250ToUnicode(keyByte(code))));
        appendLine(out, "SWIDTH %d 0", (xSize * 1000 + ySize / 2) / ySize);
        appendLine(out, "DWIDTH %d 0", xSize);
        appendLine(out, "BBX %d %d 0 %d", xSize, ySize, -descent);
        out += "BITMAP\n";
        const int digits = (xSize + 7) / 8 * 2;
        for (int y = 0; y < ySize; ++y) {
            for (int d = 0; d < digits; ++d) {
                int nibble = 0;
                for (int b = 0; b < 4; ++b) {
                    const int x = d * 4 + b;
                    if (x < xSize && pixelSet(slot.pixels, x, y))
                        nibble |= 8 >> b;
                }
                out.push_back(kHexDigits[nibble]);
            }
            out.push_back('\n');
        }
        out += "ENDCHAR\n";
    }
    out += "ENDFONT\n";
    return out;
}

Result<> exportBdfFile(const QString& path, const FontModel& font, std::string_view identifier) {
    bool any = false;
    for (int code = 0; code < kCodeCount && !any; ++code)
        any = defined(font, code);
    if (!any)
        return Result<>::fail(Failure::Refused, kNothingToExportBdfMessage);
    const std::string bytes = serializeBdf(font, identifier);
    return replaceFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                       kCantCreateBdfMessage);
}

} // namespace zelvik
