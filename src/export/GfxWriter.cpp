#include "export/GfxWriter.h"

#include "export/ExportChecks.h"
#include "export/LibraryGlyphs.h"
#include "export/WriterText.h"

#include <vector>

namespace zelvik {

namespace {

constexpr std::string_view kLibrary = "Adafruit GFX";
// GFXglyph: bitmapOffset (2 bytes), width, height, xAdvance, xOffset, yOffset.
constexpr int kGlyphRecordBytes = 7;
constexpr int kMaxBitmapBytes = 65535;

struct Range {
    int first = -1;
    int last = -1;
};

Range definedRange(const FontModel& font) {
    Range r;
    for (int code = 0; code < kCodeCount; ++code) {
        if (!font.slots[code].defined())
            continue;
        if (r.first < 0)
            r.first = code;
        r.last = code;
    }
    return r;
}

// The table is contiguous: a code left undefined between the first and the
// last shows the BlankSlot.
int slotFor(const FontModel& font, int code) {
    return font.slots[code].defined() ? code : kBlankSlot;
}

void appendHex(std::string& out, int value) {
    out += "0x";
    writer::appendHexUpper(out, static_cast<unsigned>(value), 2);
}

} // namespace

Result<> GfxWriter::check(const ExportJob& job) const {
    if (Result<> refusal = checkLibraryFont(job.font, kLibrary); !refusal)
        return refusal;
    const Range range = definedRange(job.font);
    int bitmapBytes = 0;
    for (int code = range.first; code <= range.last; ++code) {
        if (!job.font.slots[code].defined() && !job.font.slots[kBlankSlot].defined())
            return checkBlankSlotName(job.font);
        const LibraryGlyph g = cropGlyph(job.font, slotFor(job.font, code));
        bitmapBytes += static_cast<int>(glyphBitsBytes(g));
    }
    if (bitmapBytes > kMaxBitmapBytes)
        return Result<>::fail(Failure::Refused,
                              QStringLiteral("Can't generate Adafruit GFX font!\nIts bitmaps "
                                             "take %1 bytes; the format holds 65535.")
                                  .arg(bitmapBytes));
    return Result<>::success();
}

GeneratedFiles GfxWriter::generate(const ExportJob& job) const {
    const FontModel& font = job.font;
    const std::string& id = job.identifier;
    const Range range = definedRange(font);
    const int baseline = libraryBaseline(font);

    // Every buffer sized once: an export makes a few large ones.
    std::vector<LibraryGlyph> glyphs;
    glyphs.reserve(static_cast<std::size_t>(range.last - range.first + 1));
    std::size_t bitmapBytes = 0;
    for (int code = range.first; code >= 0 && code <= range.last; ++code) {
        glyphs.push_back(cropGlyph(font, slotFor(font, code)));
        bitmapBytes += glyphBitsBytes(glyphs.back());
    }
    std::vector<std::uint8_t> bitmaps;
    bitmaps.reserve(bitmapBytes);
    std::vector<int> offsets;
    offsets.reserve(glyphs.size());
    for (const LibraryGlyph& glyph : glyphs) {
        offsets.push_back(static_cast<int>(bitmaps.size()));
        appendGlyphBits(bitmaps, glyph);
    }
    // An array without elements is no C: a font without ink keeps one byte.
    const bool noInk = bitmaps.empty();
    if (noInk)
        bitmaps.push_back(0);

    GeneratedFiles files;
    std::string& out = files.source;
    // " 0x00," with a line start every 12 bytes; a glyph record and its comment.
    out.reserve(bitmaps.size() * 7 + glyphs.size() * 64 + 512);
    out += "#pragma once\n#include <Adafruit_GFX.h>\n\n// ";
    out += id;
    out += ": ";
    writer::appendInt(out, static_cast<int>(glyphs.size()));
    out += " characters, ";
    writer::appendInt(out, clampSize(font.ySize));
    out += " pixels high, written by Zelvik.\n\n";

    out += "const uint8_t ";
    out += id;
    out += "Bitmaps[] PROGMEM = {\n";
    writer::appendHexBytes(out, bitmaps.data(), bitmaps.size(), 12, writer::HexCase::Upper);
    out += "};\n\n";

    out += "const GFXglyph ";
    out += id;
    out += "Glyphs[] PROGMEM = {\n";
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const LibraryGlyph& g = glyphs[i];
        const int code = range.first + static_cast<int>(i);
        // The cursor row is the lowest row above the baseline.
        const int yOffset = g.height > 0 ? g.top - baseline + 1 : 1;
        // "    {%5d, %3d, %3d, %3d, %4d, %4d}%s // 0x%02X"
        out += "    {";
        writer::appendIntRight(out, noInk ? 0 : offsets[i], 5);
        const auto field = [&out](int value, int width) {
            out += ", ";
            writer::appendIntRight(out, value, width);
        };
        field(g.width, 3);
        field(g.height, 3);
        field(g.advance, 3);
        field(g.left, 4);
        field(yOffset, 4);
        out += i + 1 < glyphs.size() ? "}, " : "}};";
        out += " // ";
        appendHex(out, code);
        if (code >= 0x20 && code < 0x7F) {
            out += " '";
            out += static_cast<char>(code);
            out += '\'';
        }
        out += '\n';
    }
    out += '\n';

    // The format has no cell: reading the font back finds it here.
    out += "// Cell: ";
    writer::appendInt(out, clampSize(font.ySize));
    out += " rows, baseline ";
    writer::appendInt(out, baseline);
    out += " rows below its top\n";
    out += "const GFXfont ";
    out += id;
    out += " PROGMEM = {(uint8_t *)";
    out += id;
    out += "Bitmaps,\n    (GFXglyph *)";
    out += id;
    out += "Glyphs, ";
    appendHex(out, range.first);
    out += ", ";
    appendHex(out, range.last);
    out += ", ";
    writer::appendInt(out, clampSize(font.ySize));
    out += "};\n\n";

    files.flashBytes =
        static_cast<int>(bitmaps.size()) + kGlyphRecordBytes * static_cast<int>(glyphs.size());
    out += "// Approx. ";
    writer::appendInt(out, files.flashBytes);
    out += " bytes\n";
    return files;
}

} // namespace zelvik
