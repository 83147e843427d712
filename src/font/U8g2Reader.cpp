// u8g2 fonts: an array of bytes written as a C string. A 23-byte header (the
// glyph count, the run-length and field bit widths, the font's bounding box,
// ascents and descents, offsets of 'A', 'a' and the table of codes from
// 0x100), then glyph records of codes below 0x100 up to one of size 0, a
// lookup table and the records of the larger codes up to code 0. A record is
// its code, its size and a bit stream: width, height, x and y offset (the
// box's bottom edge above the baseline) and advance, then pairs of background
// and ink run lengths, row by row, each followed by a bit saying whether it
// repeats.
//
// The cell is the bounding box: its height is the y-size and its top edge,
// counted from the baseline, the baseline. Codes are Unicode; those of
// Windows-1250 become characters, the others are skipped.

#include "font/FontImport.h"

#include "font/CDeclarations.h"
#include "font/Cp1250.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zelvik {

namespace {

constexpr const char* kInvalidU8g2Message = "Invalid u8g2 font!";
constexpr std::string_view kKindName = "u8g2";
constexpr std::size_t kHeaderBytes = 23;
constexpr unsigned kWidestField = 16;

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QString codeText(unsigned code) {
    return QStringLiteral("U+") +
           QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// Bits least significant first, within [pos, end) of the font.
class BitReader {
public:
    BitReader(const std::string& bytes, std::size_t pos, std::size_t end)
        : bytes_(bytes), pos_(pos), end_(end) {}

    bool get(unsigned count, unsigned& value) {
        value = 0;
        for (unsigned i = 0; i < count; ++i) {
            if (pos_ >= end_)
                return false;
            if ((static_cast<unsigned char>(bytes_[pos_]) >> bit_) & 1u)
                value |= 1u << i;
            if (++bit_ == 8) {
                bit_ = 0;
                ++pos_;
            }
        }
        return true;
    }
    bool getSigned(unsigned count, int& value) {
        unsigned raw = 0;
        if (!get(count, raw))
            return false;
        value = count == 0 ? 0 : static_cast<int>(raw) - (1 << (count - 1));
        return true;
    }

private:
    const std::string& bytes_;
    std::size_t pos_, end_;
    unsigned bit_ = 0;
};

class Decoder {
public:
    Decoder(const std::string& bytes, std::string_view name) : b_(bytes), name_(name) {}

    Result<FontImport> run();

private:
    Result<> fault(const QString& detail) const {
        return Result<>::fail(Failure::InvalidFormat,
                              QString::fromLatin1(kInvalidU8g2Message) +
                                  QStringLiteral("\n%1: %2").arg(latin1(name_), detail));
    }
    unsigned byte(std::size_t at) const { return static_cast<unsigned char>(b_[at]); }
    unsigned word(std::size_t at) const { return byte(at) << 8 | byte(at + 1); }
    Result<> glyph(ImportedFontBuilder& font, unsigned code, std::size_t data, std::size_t end);

    const std::string& b_;
    std::string_view name_;
    unsigned zeroBits_ = 0, oneBits_ = 0, wBits_ = 0, hBits_ = 0, xBits_ = 0, yBits_ = 0,
             dBits_ = 0;
    int cellTop_ = 0; // the cell's top edge above the baseline
};

Result<> Decoder::glyph(ImportedFontBuilder& font, unsigned code, std::size_t data,
                        std::size_t end) {
    BitReader bits(b_, data, end);
    unsigned w = 0, h = 0;
    int x = 0, y = 0, advance = 0;
    if (!bits.get(wBits_, w) || !bits.get(hBits_, h) || !bits.getSigned(xBits_, x) ||
        !bits.getSigned(yBits_, y) || !bits.getSigned(dBits_, advance))
        return fault(QStringLiteral("the glyph of %1 ends inside its sizes.").arg(codeText(code)));
    const bool taken = code <= 0xFFFF && [&] {
        const auto cp = unicodeToCp1250(static_cast<char16_t>(code));
        return cp && font.begin(*cp, advance);
    }();
    if (w > 0) {
        const int top = cellTop_ - y - static_cast<int>(h);
        const std::uint64_t pixels = std::uint64_t{w} * h;
        // Only rows and columns inside the 32 by 32 matrix are walked; ink
        // beyond it only marks the glyph cut, so a huge box costs no time.
        const std::int64_t rowLo = std::max<std::int64_t>(0, -top);
        const std::int64_t rowHi = std::min<std::int64_t>(h, kMatrixEdge - top) - 1;
        const std::int64_t colLo = std::max<std::int64_t>(0, -x);
        const std::int64_t colHi = std::min<std::int64_t>(w, kMatrixEdge - x) - 1;
        const auto inkRun = [&](std::uint64_t start, std::uint64_t count) {
            const std::uint64_t stop = std::min(start + count, pixels);
            if (!taken || start >= stop)
                return;
            const auto r0 = static_cast<std::int64_t>(start / w);
            const auto r1 = static_cast<std::int64_t>((stop - 1) / w);
            bool clipped = r0 < rowLo || r1 > rowHi;
            for (std::int64_t r = std::max(r0, rowLo); r <= std::min(r1, rowHi); ++r) {
                const std::int64_t c0 = r == r0 ? static_cast<std::int64_t>(start % w) : 0;
                const std::int64_t c1 =
                    r == r1 ? static_cast<std::int64_t>((stop - 1) % w) : std::int64_t{w} - 1;
                clipped = clipped || c0 < colLo || c1 > colHi;
                for (std::int64_t c = std::max(c0, colLo); c <= std::min(c1, colHi); ++c)
                    font.ink(x + static_cast<int>(c), top + static_cast<int>(r));
            }
            if (clipped)
                font.ink(-1, -1);
        };
        std::uint64_t pos = 0;
        while (pos < pixels) {
            unsigned zeros = 0, ones = 0, repeat = 0;
            if (!bits.get(zeroBits_, zeros) || !bits.get(oneBits_, ones))
                return fault(
                    QStringLiteral("the run-length stream of %1 ends early.").arg(codeText(code)));
            do {
                pos += zeros;
                inkRun(pos, ones);
                pos += ones;
                if (!bits.get(1, repeat))
                    return fault(QStringLiteral("the run-length stream of %1 ends early.")
                                     .arg(codeText(code)));
            } while (repeat != 0 && pos < pixels);
        }
    }
    font.end();
    return Result<>::success();
}

Result<FontImport> Decoder::run() {
    const std::size_t size = b_.size();
    if (size < kHeaderBytes)
        return fault(QStringLiteral("the font is cut short: %1 bytes, its header alone takes %2.")
                         .arg(size)
                         .arg(kHeaderBytes));
    zeroBits_ = byte(2), oneBits_ = byte(3);
    wBits_ = byte(4), hBits_ = byte(5), xBits_ = byte(6), yBits_ = byte(7), dBits_ = byte(8);
    for (const unsigned bits : {zeroBits_, oneBits_, wBits_, hBits_, xBits_, yBits_, dBits_})
        if (bits > kWidestField)
            return fault(QStringLiteral("the header gives a field of %1 bits; at most %2 are "
                                        "possible.")
                             .arg(bits)
                             .arg(kWidestField));
    const int boxHeight = static_cast<int>(byte(10));
    cellTop_ = boxHeight + static_cast<std::int8_t>(byte(12));
    ImportedFontBuilder font(name_, boxHeight, cellTop_);
    std::size_t p = kHeaderBytes;
    for (;;) {
        if (p + 2 > size)
            return fault(QStringLiteral("the font is cut short in the glyphs below 0x100."));
        const std::size_t length = byte(p + 1);
        if (length == 0)
            break;
        if (length < 2 || p + length > size)
            return fault(
                QStringLiteral("the glyph of %1 reaches outside the font.").arg(codeText(byte(p))));
        if (Result<> r = glyph(font, byte(p), p + 2, p + length); !r)
            return r;
        p += length;
    }

    // The lookup table leads to the larger codes; every entry must land inside.
    std::size_t table = kHeaderBytes + word(21);
    std::size_t block = table;
    std::size_t glyphs = 0;
    for (bool firstEntry = true;; firstEntry = false) {
        if (table + 4 > size)
            return fault(QStringLiteral("the table of codes from 0x100 runs outside the font."));
        block += word(table);
        if (block >= size)
            return fault(QStringLiteral("the table of codes from 0x100 points outside the font."));
        if (firstEntry)
            glyphs = block;
        const unsigned last = word(table + 2);
        table += 4;
        if (last == 0xFFFF)
            break;
    }
    for (p = glyphs;;) {
        if (p + 2 > size)
            return fault(QStringLiteral("the font is cut short in the glyphs from 0x100."));
        const unsigned code = word(p);
        if (code == 0)
            break;
        const std::size_t length = p + 2 < size ? byte(p + 2) : 0;
        if (length < 3 || p + length > size)
            return fault(
                QStringLiteral("the glyph of %1 reaches outside the font.").arg(codeText(code)));
        if (Result<> r = glyph(font, code, p + 3, p + length); !r)
            return r;
        p += length;
    }
    // The library starts its searches for letters at these.
    for (const auto& [at, what] : {std::pair{std::size_t{17}, "'A'"}, {19, "'a'"}})
        if (kHeaderBytes + word(at) >= size)
            return fault(QStringLiteral("the header's offset of %1 points outside the font.")
                             .arg(QLatin1String(what)));
    return font.finish();
}

} // namespace

Result<FontImport> readU8g2Font(std::string_view bytes, std::string_view fontName) {
    Result<std::vector<CDeclaration>> all = readCDeclarations(bytes, kInvalidU8g2Message);
    if (!all)
        return all;
    const Result<CDeclaration*> chosen = chooseFontDeclaration(
        *all, [](const CDeclaration& d) { return d.value.kind == CValue::Kind::String; }, fontName,
        kKindName,
        Result<>::fail(Failure::InvalidFormat,
                       QString::fromLatin1(kInvalidU8g2Message) +
                           QStringLiteral("\nThe file holds no font array.")));
    if (!chosen)
        return chosen;
    CDeclaration& font = **chosen;
    font.value.bytes.push_back('\0'); // the string's own zero ends the font
    Decoder decoder(font.value.bytes, font.name);
    return decoder.run();
}

} // namespace zelvik
