#include "export/U8g2Writer.h"

#include "export/LibraryGlyphs.h"
#include "export/WriterText.h"
#include "font/Cp1250.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <vector>

namespace zelvik {

namespace {

constexpr std::string_view kLibrary = "u8g2";
constexpr int kHeaderBytes = 23;
constexpr int kMaxRecordBytes = 255;
// The run-length widths the library's converter tries.
constexpr int kMinZeroBits = 2, kMaxZeroBits = 8;
constexpr int kMinOneBits = 2, kMaxOneBits = 6;

int unsignedBits(int v) {
    int bits = 0;
    for (unsigned u = static_cast<unsigned>(v); u != 0; u >>= 1)
        ++bits;
    return bits;
}
int signedBits(int v) {
    return (v < 0 ? unsignedBits(-v - 1) : unsignedBits(v)) + 1;
}

// Bits appended least significant first, as the decoder reads them.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(int count, unsigned value) {
        value &= (1u << count) - 1u;
        while (count > 0) {
            if (bit_ == 0)
                out_.push_back(0);
            const int room = 8 - bit_;
            const int now = std::min(room, count);
            out_.back() =
                static_cast<std::uint8_t>(out_.back() | ((value & ((1u << now) - 1u)) << bit_));
            value >>= now;
            count -= now;
            bit_ = (bit_ + now) % 8;
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    int bit_ = 0;
};

// One glyph as the format sees it: its box relative to the origin on the
// baseline (y up, the box's bottom edge), and its pixels as alternating runs
// of background and ink, row by row from the top.
struct Glyph {
    LibraryGlyph box;
    int x = 0, y = 0;
    std::vector<std::pair<int, int>> runs; // (background, ink)
};

struct FieldBits {
    int w = 0, h = 0, x = 0, y = 0, d = 0;
};

// The repeat logic of the encoding: a pair equal to the one before costs one
// bit. `emit` gets (bits, value) for every field written.
template <class Emit> void encodeRuns(const Glyph& g, int zeroBits, int oneBits, Emit&& emit) {
    const int maxZero = (1 << zeroBits) - 1;
    const int maxOne = (1 << oneBits) - 1;
    bool first = true;
    int lastZero = 0, lastOne = 0;
    auto pair = [&](int a, int b) {
        if (!first && a == lastZero && b == lastOne) {
            emit(1, 1u);
            return;
        }
        if (!first)
            emit(1, 0u);
        emit(zeroBits, static_cast<unsigned>(a));
        emit(oneBits, static_cast<unsigned>(b));
        first = false;
        lastZero = a;
        lastOne = b;
    };
    for (auto [a, b] : g.runs) {
        while (a > maxZero) {
            pair(maxZero, 0);
            a -= maxZero;
        }
        while (b > maxOne) {
            pair(a, maxOne);
            a = 0;
            b -= maxOne;
        }
        if (a != 0 || b != 0)
            pair(a, b);
    }
    emit(1, 0u); // the decoder stops on a clear repeat bit
}

int encodingBytes(const Glyph& g) {
    return g.box.unicode > 0xFF ? 2 : 1;
}

int fieldBitsOf(const FieldBits& f) {
    return f.w + f.h + f.x + f.y + f.d;
}

int recordBytes(const Glyph& g, const FieldBits& f, int zeroBits, int oneBits) {
    int bits = fieldBitsOf(f);
    encodeRuns(g, zeroBits, oneBits, [&bits](int n, unsigned) { bits += n; });
    return encodingBytes(g) + 1 + (bits + 7) / 8;
}

void appendRecord(std::vector<std::uint8_t>& out, const Glyph& g, const FieldBits& f, int zeroBits,
                  int oneBits) {
    const std::size_t start = out.size();
    if (encodingBytes(g) == 2)
        out.push_back(static_cast<std::uint8_t>(g.box.unicode >> 8));
    out.push_back(static_cast<std::uint8_t>(g.box.unicode & 0xFF));
    const std::size_t sizeAt = out.size();
    out.push_back(0);
    BitWriter bits(out);
    auto biased = [](int value, int n) { return static_cast<unsigned>(value + (1 << (n - 1))); };
    bits.put(f.w, static_cast<unsigned>(g.box.width));
    bits.put(f.h, static_cast<unsigned>(g.box.height));
    bits.put(f.x, biased(g.x, f.x));
    bits.put(f.y, biased(g.y, f.y));
    bits.put(f.d, biased(g.box.advance, f.d));
    encodeRuns(g, zeroBits, oneBits, [&bits](int n, unsigned v) { bits.put(n, v); });
    out[sizeAt] = static_cast<std::uint8_t>(out.size() - start);
    assert(static_cast<int>(out.size() - start) == recordBytes(g, f, zeroBits, oneBits));
}

// The search over the run-length widths prices every glyph 35 times, so it
// does not walk the runs each time. Widths of at least 2 bits hold runs up to
// 3; only the longer runs (few in most glyphs) are split differently by
// different widths. A glyph's price is its runs taken whole, corrected around
// each run that the widths split.
struct RunPair {
    int zero = 0, one = 0;
    bool operator==(const RunPair&) const = default;
};

struct GlyphRuns {
    std::vector<RunPair> runs; // without an empty last run: it writes nothing
    // By width w - 2: the runs with more background than w bits hold, and
    // those with more ink. Only these are split.
    std::array<std::vector<int>, kMaxZeroBits - 1> longerZeros;
    std::array<std::vector<int>, kMaxOneBits - 1> longerOnes;
    int repeats = 0; // runs equal to the run before
};

GlyphRuns glyphRuns(const Glyph& g) {
    GlyphRuns r;
    for (auto [a, b] : g.runs) {
        if (a != 0 || b != 0)
            r.runs.push_back({a, b});
    }
    for (std::size_t i = 0; i < r.runs.size(); ++i) {
        for (int bits = kMinZeroBits; r.runs[i].zero > (1 << bits) - 1 && bits <= kMaxZeroBits;
             ++bits)
            r.longerZeros[static_cast<std::size_t>(bits - kMinZeroBits)].push_back(
                static_cast<int>(i));
        for (int bits = kMinOneBits; r.runs[i].one > (1 << bits) - 1 && bits <= kMaxOneBits; ++bits)
            r.longerOnes[static_cast<std::size_t>(bits - kMinOneBits)].push_back(
                static_cast<int>(i));
        if (i > 0 && r.runs[i] == r.runs[i - 1])
            ++r.repeats;
    }
    return r;
}

// What one run becomes when it is split for the largest runs Z and O: its
// pairs, how many of them repeat the pair before, and the first and last.
struct Split {
    int pairs = 0, repeats = 0;
    RunPair first, last;
};

Split splitRun(RunPair run, int maxZero, int maxOne) {
    // Blocks of equal pairs, in the order encodeRuns writes them.
    std::array<std::pair<RunPair, int>, 4> blocks{};
    int count = 0;
    int a = run.zero;
    const int q = a > maxZero ? (a - 1) / maxZero : 0;
    a -= q * maxZero;
    if (q > 0)
        blocks[count++] = {{maxZero, 0}, q};
    const int p = run.one > maxOne ? (run.one - 1) / maxOne : 0;
    const int b = run.one - p * maxOne;
    if (p > 0) {
        blocks[count++] = {{a, maxOne}, 1};
        if (p > 1)
            blocks[count++] = {{0, maxOne}, p - 1};
        a = 0;
    }
    if (a != 0 || b != 0)
        blocks[count++] = {{a, b}, 1};
    Split split;
    split.first = blocks[0].first;
    split.last = blocks[static_cast<std::size_t>(count - 1)].first;
    for (int i = 0; i < count; ++i) {
        const auto& [pair, times] = blocks[static_cast<std::size_t>(i)];
        split.pairs += times;
        split.repeats += times - 1;
        if (i > 0 && blocks[static_cast<std::size_t>(i - 1)].first == pair)
            ++split.repeats;
    }
    return split;
}

// The same number of bytes as recordBytes, without walking every run.
int pricedRecordBytes(const Glyph& g, const GlyphRuns& r, const FieldBits& f, int zeroBits,
                      int oneBits) {
    const int maxZero = (1 << zeroBits) - 1;
    const int maxOne = (1 << oneBits) - 1;
    const auto isSplit = [&](int i) {
        const RunPair& run = r.runs[static_cast<std::size_t>(i)];
        return run.zero > maxZero || run.one > maxOne;
    };
    const int n = static_cast<int>(r.runs.size());
    long pairs = n;
    long repeats = r.repeats;
    const auto priceSplit = [&](int i) {
        const RunPair& run = r.runs[static_cast<std::size_t>(i)];
        const Split split = splitRun(run, maxZero, maxOne);
        pairs += split.pairs - 1;
        repeats += split.repeats;
        if (i > 0) {
            const RunPair& before = r.runs[static_cast<std::size_t>(i - 1)];
            const RunPair last = isSplit(i - 1) ? splitRun(before, maxZero, maxOne).last : before;
            repeats += (last == split.first) - (before == run);
        }
        if (i + 1 < n && !isSplit(i + 1)) {
            const RunPair& after = r.runs[static_cast<std::size_t>(i + 1)];
            repeats += (split.last == after) - (run == after);
        }
    };
    // Every split run once: those split for their background, then those
    // split only for their ink.
    const auto& zeros = r.longerZeros[static_cast<std::size_t>(zeroBits - kMinZeroBits)];
    const auto& ones = r.longerOnes[static_cast<std::size_t>(oneBits - kMinOneBits)];
    for (const int i : zeros)
        priceSplit(i);
    for (const int i : ones) {
        if (r.runs[static_cast<std::size_t>(i)].zero <= maxZero)
            priceSplit(i);
    }
    const long bits =
        fieldBitsOf(f) + (pairs - repeats) * (zeroBits + oneBits) + std::max(pairs - 1, 0L) + 1;
    return encodingBytes(g) + 1 + static_cast<int>((bits + 7) / 8);
}

struct Plan {
    std::vector<Glyph> glyphs; // by Unicode
    FieldBits fields;
    int zeroBits = kMinZeroBits, oneBits = kMinOneBits;
    int tooBig = -1; // a glyph whose record passes 255 bytes with every width, or -1
    int tooBigBytes = 0;
    int cellHeight = 0, baseline = 0;
};

Glyph toGlyph(const FontModel& font, const LibraryGlyph& box, int baseline) {
    Glyph g;
    g.box = box;
    if (box.width > 0) {
        g.x = box.left;
        g.y = baseline - box.top - box.height;
    }
    const PixelMatrix& pixels = font.slots[box.index].pixels;
    int zeros = 0, ones = 0;
    for (int row = box.top; row < box.top + box.height; ++row) {
        for (int col = box.left; col < box.left + box.width; ++col) {
            if (pixelSet(pixels, col, row)) {
                ++ones;
            } else {
                if (ones > 0) {
                    g.runs.emplace_back(zeros, ones);
                    zeros = ones = 0;
                }
                ++zeros;
            }
        }
    }
    g.runs.emplace_back(zeros, ones);
    return g;
}

Plan plan(const FontModel& font) {
    Plan p;
    const int baseline = libraryBaseline(font);
    p.cellHeight = clampSize(font.ySize);
    p.baseline = baseline;
    for (const LibraryGlyph& box : unicodeGlyphs(font))
        p.glyphs.push_back(toGlyph(font, box, baseline));
    for (const Glyph& g : p.glyphs) {
        p.fields.w = std::max(p.fields.w, unsignedBits(g.box.width));
        p.fields.h = std::max(p.fields.h, unsignedBits(g.box.height));
        p.fields.x = std::max(p.fields.x, signedBits(g.x));
        p.fields.y = std::max(p.fields.y, signedBits(g.y));
        p.fields.d = std::max(p.fields.d, signedBits(g.box.advance));
    }
    // The smallest font whose every record fits; failing that, the smallest
    // font tells which glyph is too big.
    std::vector<GlyphRuns> priced;
    priced.reserve(p.glyphs.size());
    for (const Glyph& g : p.glyphs)
        priced.push_back(glyphRuns(g));
    long bestFitting = -1, bestAny = -1;
    int anyZero = kMinZeroBits, anyOne = kMinOneBits;
    for (int zeroBits = kMinZeroBits; zeroBits <= kMaxZeroBits; ++zeroBits) {
        for (int oneBits = kMinOneBits; oneBits <= kMaxOneBits; ++oneBits) {
            long total = 0;
            bool fits = true;
            for (std::size_t i = 0; i < p.glyphs.size(); ++i) {
                const int bytes =
                    pricedRecordBytes(p.glyphs[i], priced[i], p.fields, zeroBits, oneBits);
                // Debug builds (the sanitizer suite) check the price against the encoding.
                assert(bytes == recordBytes(p.glyphs[i], p.fields, zeroBits, oneBits));
                total += bytes;
                fits = fits && bytes <= kMaxRecordBytes;
            }
            if (fits && (bestFitting < 0 || total < bestFitting)) {
                bestFitting = total;
                p.zeroBits = zeroBits;
                p.oneBits = oneBits;
            }
            if (bestAny < 0 || total < bestAny) {
                bestAny = total;
                anyZero = zeroBits;
                anyOne = oneBits;
            }
        }
    }
    if (bestFitting < 0) {
        for (const Glyph& g : p.glyphs) {
            const int bytes = recordBytes(g, p.fields, anyZero, anyOne);
            if (bytes > kMaxRecordBytes) {
                p.tooBig = g.box.index;
                p.tooBigBytes = bytes;
                break;
            }
        }
    }
    return p;
}

int glyphBySymbol(const Plan& p, char32_t unicode) {
    for (std::size_t i = 0; i < p.glyphs.size(); ++i) {
        if (p.glyphs[i].box.unicode == unicode)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::uint8_t> fontBytes(const Plan& p) {
    std::vector<std::uint8_t> out(kHeaderBytes, 0);
    auto put16 = [&out](int at, std::size_t value) {
        out[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value >> 8);
        out[static_cast<std::size_t>(at) + 1] = static_cast<std::uint8_t>(value & 0xFF);
    };
    auto signedByte = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };

    out[0] = static_cast<std::uint8_t>(std::min<std::size_t>(p.glyphs.size(), 255));
    out[1] = 0; // every glyph has its own box
    out[2] = static_cast<std::uint8_t>(p.zeroBits);
    out[3] = static_cast<std::uint8_t>(p.oneBits);
    out[4] = static_cast<std::uint8_t>(p.fields.w);
    out[5] = static_cast<std::uint8_t>(p.fields.h);
    out[6] = static_cast<std::uint8_t>(p.fields.x);
    out[7] = static_cast<std::uint8_t>(p.fields.y);
    out[8] = static_cast<std::uint8_t>(p.fields.d);

    // The font's box: across, the union of the glyphs' boxes; vertically the
    // whole cell, which holds every glyph, so that a line of text is the
    // cell's height and reading the font back finds the cell.
    int x0 = 0, x1 = 0;
    bool firstBox = true;
    for (const Glyph& g : p.glyphs) {
        const int gx1 = g.x + g.box.width;
        x0 = firstBox ? g.x : std::min(x0, g.x);
        x1 = firstBox ? gx1 : std::max(x1, gx1);
        firstBox = false;
    }
    const int y0 = p.baseline - p.cellHeight;
    const int y1 = p.baseline;
    out[9] = static_cast<std::uint8_t>(x1 - x0);
    out[10] = static_cast<std::uint8_t>(y1 - y0);
    out[11] = signedByte(x0);
    out[12] = signedByte(y0);

    auto ascent = [&p](char32_t c) {
        const int i = glyphBySymbol(p, c);
        return i < 0 ? 0
                     : p.glyphs[static_cast<std::size_t>(i)].y +
                           p.glyphs[static_cast<std::size_t>(i)].box.height;
    };
    auto descent = [&p](char32_t c) {
        const int i = glyphBySymbol(p, c);
        return i < 0 ? 0 : p.glyphs[static_cast<std::size_t>(i)].y;
    };
    const int ascentA = ascent('A') > 0 ? ascent('A') : ascent('1');
    out[13] = signedByte(ascentA);
    out[14] = signedByte(descent('g'));
    const bool paren = glyphBySymbol(p, '(') >= 0;
    out[15] = signedByte(paren ? ascent('(') : ascentA);
    out[16] = signedByte(paren ? descent('(') : descent('g'));

    std::size_t posA = 0, posLowerA = 0;
    for (const Glyph& g : p.glyphs) {
        if (g.box.unicode > 0xFF)
            continue;
        if (g.box.unicode == 'A')
            posA = out.size() - kHeaderBytes;
        if (g.box.unicode == 'a')
            posLowerA = out.size() - kHeaderBytes;
        appendRecord(out, g, p.fields, p.zeroBits, p.oneBits);
    }
    out.push_back(0); // end of the glyphs below 0x100
    out.push_back(0);
    put16(17, posA);
    put16(19, posLowerA);
    put16(21, out.size() - kHeaderBytes);
    // A lookup table of one entry: the glyphs follow it (4 bytes on), and it
    // covers every character up to 0xFFFF.
    for (std::uint8_t b : {0x00, 0x04, 0xFF, 0xFF})
        out.push_back(b);
    for (const Glyph& g : p.glyphs) {
        if (g.box.unicode > 0xFF)
            appendRecord(out, g, p.fields, p.zeroBits, p.oneBits);
    }
    out.push_back(0); // end of the font
    out.push_back(0);
    return out;
}

// The bytes as a C string, escaped as the library's own font files are:
// octal for controls, quotes, backslashes, question marks, digits and
// everything from 127 up. The string's terminating zero is the font's last
// byte.
void appendStringLiteral(std::string& out, const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kPerLine = 32;
    out += "  \"";
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b < 32 || b == '"' || b == '\\' || b == '?' || (b >= '0' && b <= '9') || b >= 127) {
            out += '\\';
            if (b >= 64)
                out += static_cast<char>('0' + (b >> 6));
            if (b >= 8)
                out += static_cast<char>('0' + ((b >> 3) & 7));
            out += static_cast<char>('0' + (b & 7));
        } else {
            out += static_cast<char>(b);
        }
        if ((i + 1) % kPerLine == 0 && i + 2 < bytes.size())
            out += "\"\n  \"";
    }
    out += "\";\n";
}

} // namespace

Result<> U8g2Writer::check(const ExportJob& job) const {
    if (Result<> refusal = checkLibraryFont(job.font, kLibrary); !refusal)
        return refusal;
    const Plan p = plan(job.font);
    if (p.tooBig >= 0)
        return Result<>::fail(
            Failure::Refused,
            QStringLiteral("Can't generate u8g2 font!\nThe character %1 takes %2 bytes; a u8g2 "
                           "glyph holds at most 255.")
                .arg(fromCp1250(listItemText(job.font, p.tooBig)))
                .arg(p.tooBigBytes));
    return Result<>::success();
}

GeneratedFiles U8g2Writer::generate(const ExportJob& job) const {
    const std::vector<std::uint8_t> bytes = fontBytes(plan(job.font));
    const std::string& id = job.identifier;
    GeneratedFiles files;
    files.flashBytes = static_cast<int>(bytes.size());

    std::string declaration = "const uint8_t ";
    declaration += id;
    declaration += '[';
    writer::appendInt(declaration, files.flashBytes);
    declaration += ']';

    std::string& h = files.header;
    h += "#ifndef ";
    h += id;
    h += "_H\n#define ";
    h += id;
    h += "_H\n\n#include <stdint.h>\n\nextern ";
    h += declaration;
    h += ";\n\n#endif\n";

    std::string& c = files.source;
    c.reserve(bytes.size() * 3 + 256);
    c += "/*\n  Fontname: ";
    c += id;
    c += "\n  Glyphs: ";
    writer::appendInt(c, static_cast<int>(bytes[0]));
    c += "\n  Written by Zelvik\n*/\n#include \"u8g2.h\"\n#include \"";
    c += job.guardBase;
    c += ".h\"\n\n";
    c += declaration;
    c += " U8G2_FONT_SECTION(\"";
    c += id;
    c += "\") =\n";
    appendStringLiteral(c, bytes);
    return files;
}

} // namespace zelvik
