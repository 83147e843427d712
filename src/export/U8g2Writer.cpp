#include "export/U8g2Writer.h"

#include "export/LibraryGlyphs.h"
#include "export/WriterText.h"
#include "font/Cp1250.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
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

// Bits appended least significant first, as the decoder reads them, into
// room the caller has made. Every put stores the three bytes the waiting bits
// (fewer than 8, and at most 15 new ones) can reach and moves on by the whole
// ones: no branch on how many bytes the bits fill.
class BitWriter {
public:
    explicit BitWriter(std::uint8_t* at) : at_(at) {}
    void put(int count, unsigned value) {
        pending_ |= (value & ((1u << count) - 1u)) << waiting_;
        waiting_ += count;
        at_[0] = static_cast<std::uint8_t>(pending_);
        at_[1] = static_cast<std::uint8_t>(pending_ >> 8);
        at_[2] = static_cast<std::uint8_t>(pending_ >> 16);
        at_ += waiting_ >> 3;
        pending_ >>= waiting_ & ~7;
        waiting_ &= 7;
    }
    // Past the last byte, which is padded with zero bits.
    std::uint8_t* end() const { return at_ + (waiting_ > 0); }

private:
    std::uint8_t* at_;
    std::uint32_t pending_ = 0;
    int waiting_ = 0;
};

// A run of background followed by a run of ink.
struct RunPair {
    int zero = 0, one = 0;
    bool operator==(const RunPair&) const = default;
};

// One glyph as the format sees it: its box relative to the origin on the
// baseline (y up, the box's bottom edge).
struct Glyph {
    LibraryGlyph box;
    int x = 0, y = 0;
};

// A glyph's pixels as alternating runs of background and ink, row by row from
// the top, none empty: only the first may lack background, only the last ink.
// Found when needed into a buffer the callers reuse: a whole font's runs would
// take more memory than the rest of the export.
using Runs = std::vector<RunPair>;

struct FieldBits {
    int w = 0, h = 0, x = 0, y = 0, d = 0;
};

// The repeat logic of the encoding: a pair equal to the one before costs one
// bit. `emit` gets (bits, value) for each pair with its repeat bit, and for
// the clear repeat bit that ends the glyph. Each pair is chosen without a
// branch: whether it repeats is as random as the ink.
template <class Emit> void encodeRuns(const Runs& runs, int zeroBits, int oneBits, Emit&& emit) {
    const int maxZero = (1 << zeroBits) - 1;
    const int maxOne = (1 << oneBits) - 1;
    int lead = 0; // the repeat bit, which the first pair goes without
    int lastZero = -1, lastOne = -1;
    auto pair = [&](int a, int b) {
        const bool repeat = (a == lastZero) & (b == lastOne);
        const auto fresh = static_cast<unsigned>(a | b << zeroBits) << lead;
        emit(repeat ? 1 : lead + zeroBits + oneBits, repeat ? 1u : fresh);
        lead = 1;
        lastZero = a;
        lastOne = b;
    };
    for (auto [a, b] : runs) {
        while (a > maxZero) {
            pair(maxZero, 0);
            a -= maxZero;
        }
        while (b > maxOne) {
            pair(a, maxOne);
            a = 0;
            b -= maxOne;
        }
        pair(a, b); // not both 0: runs are never empty
    }
    emit(1, 0u); // the decoder stops on a clear repeat bit
}

int encodingBytes(const Glyph& g) {
    return g.box.unicode > 0xFF ? 2 : 1;
}

int fieldBitsOf(const FieldBits& f) {
    return f.w + f.h + f.x + f.y + f.d;
}

int recordBytes(const Glyph& g, const Runs& runs, const FieldBits& f, int zeroBits, int oneBits) {
    int bits = fieldBitsOf(f);
    encodeRuns(runs, zeroBits, oneBits, [&bits](int n, unsigned) { bits += n; });
    return encodingBytes(g) + 1 + (bits + 7) / 8;
}

void appendRecord(std::vector<std::uint8_t>& out, const Glyph& g, const Runs& runs,
                  const FieldBits& f, int zeroBits, int oneBits) {
    const std::size_t start = out.size();
    // Room for the longest record: every pair holds a pixel at least. Three
    // bytes more for the bit writer's stores.
    const long mostBits = fieldBitsOf(f) + 1 +
                          static_cast<long>(g.box.width) * g.box.height * (1 + zeroBits + oneBits);
    out.resize(start + 3 + static_cast<std::size_t>(mostBits / 8) + 3);
    std::uint8_t* at = out.data() + start;
    if (encodingBytes(g) == 2)
        *at++ = static_cast<std::uint8_t>(g.box.unicode >> 8);
    *at++ = static_cast<std::uint8_t>(g.box.unicode & 0xFF);
    std::uint8_t* const size = at++;
    BitWriter bits(at);
    auto biased = [](int value, int n) { return static_cast<unsigned>(value + (1 << (n - 1))); };
    bits.put(f.w, static_cast<unsigned>(g.box.width));
    bits.put(f.h, static_cast<unsigned>(g.box.height));
    bits.put(f.x, biased(g.x, f.x));
    bits.put(f.y, biased(g.y, f.y));
    bits.put(f.d, biased(g.box.advance, f.d));
    encodeRuns(runs, zeroBits, oneBits, [&bits](int n, unsigned v) { bits.put(n, v); });
    const auto bytes = static_cast<std::size_t>(bits.end() - (out.data() + start));
    *size = static_cast<std::uint8_t>(bytes);
    out.resize(start + bytes);
    assert(static_cast<int>(bytes) == recordBytes(g, runs, f, zeroBits, oneBits));
}

// The search over the run-length widths prices every glyph with each of the
// 35 pairs of widths; it counts the runs once instead of encoding 35 times.
// With largest runs Z and O (2^width - 1) a run of a background and b ink
// pixels is written as
//   q = (a - 1) / Z pairs (Z, 0), leaving a' = a - q Z (a' = 0 when a = 0),
//   then (a', b) if b <= O; otherwise p = (b - 1) / O pairs (a', O),
//   (0, O), ..., (0, O), and (0, b') with b' = b - p O:
// q + p + 1 pairs. The pairs and the repeats inside a run depend on one width
// each. Every run but the first has background and every run but the last has
// ink, so a run's last pair repeats in the next run's first only when the run
// is written (a', b), a' is the next run's background, and b is its first
// pair's ink: that needs both widths, and is counted for each pair of them.
constexpr int kZeroWidths = kMaxZeroBits - kMinZeroBits + 1;
constexpr int kOneWidths = kMaxOneBits - kMinOneBits + 1;
constexpr unsigned kEveryZeroWidth = (1u << kZeroWidths) - 1;
constexpr unsigned kEveryOneWidth = (1u << kOneWidths) - 1;

constexpr int largestRun(int bits) {
    return (1 << bits) - 1;
}

struct RunCounts {
    int runs = 0;
    int repeatsEverywhere = 0; // across runs, whatever the widths
    // By width - the smallest width: what splitting the background, or the ink, adds.
    std::array<int, kZeroWidths> zeroPairs{}, zeroRepeats{};
    std::array<int, kOneWidths> onePairs{}, oneRepeats{};
    std::array<std::array<int, kOneWidths>, kZeroWidths> repeatsAcross{};
};

// The zero widths with which a run of `a` background pixels leaves `rest`.
unsigned zeroWidthsLeaving(int a, int rest) {
    if (a <= largestRun(kMinZeroBits))
        return a == rest ? kEveryZeroWidth : 0u;
    unsigned widths = 0;
    for (int z = 0; z < kZeroWidths; ++z) {
        const int most = largestRun(kMinZeroBits + z);
        if ((a <= most ? a : (a - 1) % most + 1) == rest)
            widths |= 1u << z;
    }
    return widths;
}

// The one widths with which a run with `b` ink is written whole and the next
// run's first pair has `b` ink too.
unsigned oneWidthsRepeating(int b, int nextB) {
    if (b == nextB && b <= largestRun(kMinOneBits))
        return kEveryOneWidth;
    unsigned widths = 0;
    for (int o = 0; o < kOneWidths; ++o) {
        const int most = largestRun(kMinOneBits + o);
        if (b <= most && b == std::min(nextB, most))
            widths |= 1u << o;
    }
    return widths;
}

// What splitting one run adds with each width.
void countSplits(RunCounts& c, RunPair run) {
    const auto [a, b] = run;
    for (int z = 0; z < kZeroWidths && a > largestRun(kMinZeroBits + z); ++z) {
        const int most = largestRun(kMinZeroBits + z);
        const int q = (a - 1) / most;
        c.zeroPairs[static_cast<std::size_t>(z)] += q;
        // Only the last run may end in (Z, 0), (Z, 0).
        c.zeroRepeats[static_cast<std::size_t>(z)] += q - 1 + (b == 0 && a - q * most == most);
    }
    for (int o = 0; o < kOneWidths && b > largestRun(kMinOneBits + o); ++o) {
        const int most = largestRun(kMinOneBits + o);
        const int p = (b - 1) / most;
        const int rest = b - p * most;
        c.onePairs[static_cast<std::size_t>(o)] += p;
        // Equal neighbours among (a', O), (0, O) ..., (0, b').
        c.oneRepeats[static_cast<std::size_t>(o)] += a == 0   ? p - 1 + (rest == most)
                                                     : p >= 2 ? p - 2 + (rest == most)
                                                              : 0;
    }
}

RunCounts countRuns(const Runs& runs) {
    RunCounts c;
    c.runs = static_cast<int>(runs.size());
    if (runs.empty())
        return c;
    constexpr int kShortest = largestRun(std::min(kMinZeroBits, kMinOneBits));
    int repeatsAtSmallestOne = 0;
    for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
        const auto [a, b] = runs[i];
        const RunPair next = runs[i + 1];
        if (a <= kShortest && b <= kShortest) {
            // Most runs, which no width splits, counted without a branch (the
            // ink is often random): such a run repeats in the next with
            // every width, or with the smallest one width only, where that
            // splits the next run's ink.
            const bool sameZero = a == next.zero;
            c.repeatsEverywhere += sameZero & (b == next.one);
            repeatsAtSmallestOne += sameZero & (b == largestRun(kMinOneBits)) & (next.one > b);
            continue;
        }
        countSplits(c, runs[i]);
        const unsigned zeros = zeroWidthsLeaving(a, next.zero);
        const unsigned ones = zeros != 0 ? oneWidthsRepeating(b, next.one) : 0u;
        for (int z = 0; ones != 0 && z < kZeroWidths; ++z) {
            for (int o = 0; o < kOneWidths; ++o) {
                if ((zeros >> z) & (ones >> o) & 1u)
                    ++c.repeatsAcross[static_cast<std::size_t>(z)][static_cast<std::size_t>(o)];
            }
        }
    }
    countSplits(c, runs.back());
    for (auto& byOne : c.repeatsAcross)
        byOne[0] += repeatsAtSmallestOne;
    return c;
}

// The same number of bytes as recordBytes.
int pricedRecordBytes(const Glyph& g, const RunCounts& c, const FieldBits& f, int z, int o) {
    const auto zi = static_cast<std::size_t>(z), oi = static_cast<std::size_t>(o);
    const long pairs = c.runs + c.zeroPairs[zi] + c.onePairs[oi];
    const long repeats =
        c.repeatsEverywhere + c.zeroRepeats[zi] + c.oneRepeats[oi] + c.repeatsAcross[zi][oi];
    const int pairBits = kMinZeroBits + z + kMinOneBits + o;
    // A repeat bit before every pair but the first, and the clear one at the end.
    const long bits = fieldBitsOf(f) + (pairs - repeats) * pairBits + std::max(pairs - 1, 0L) + 1;
    return encodingBytes(g) + 1 + static_cast<int>((bits + 7) / 8);
}

struct Plan {
    std::vector<Glyph> glyphs; // by Unicode
    FieldBits fields;
    int zeroBits = kMinZeroBits, oneBits = kMinOneBits;
    long recordTotal = 0; // the records' bytes with those widths
    int tooBig = -1;      // a glyph whose record passes 255 bytes with every width, or -1
    int tooBigBytes = 0;
    int cellHeight = 0, baseline = 0;
};

Glyph toGlyph(const LibraryGlyph& box, int baseline) {
    Glyph g;
    g.box = box;
    if (box.width > 0) {
        g.x = box.left;
        g.y = baseline - box.top - box.height;
    }
    return g;
}

void findRuns(const LibraryGlyph& box, Runs& runs) {
    runs.clear();
    // The pixels as one stream, row after row, cut wherever a pixel differs
    // from the one before: the pieces alternate background (the first maybe
    // empty) and ink, and each two are a run. The loop goes from change to
    // change; random ink would mispredict a branch on the colour.
    std::array<int, kMatrixBytes + 1> ends; // where each piece ends
    int pieces = 0;
    std::uint32_t before = 0; // the pixel before the row, in bit 31
    for (int row = 0; row < box.height; ++row) {
        const std::uint32_t word = box.rows[static_cast<std::size_t>(row)];
        std::uint32_t changes = (word ^ (word >> 1 | before)) & ~0u << (32 - box.width);
        before = (word << (box.width - 1)) & 0x80000000u;
        for (; changes != 0; changes ^= 0x80000000u >> std::countl_zero(changes))
            ends[static_cast<std::size_t>(pieces++)] = row * box.width + std::countl_zero(changes);
    }
    const int pixels = box.width * box.height;
    if (pixels == 0)
        return;
    ends[static_cast<std::size_t>(pieces++)] = pixels;
    for (int k = 0, start = 0; k < pieces; k += 2) {
        const int zeroEnd = ends[static_cast<std::size_t>(k)];
        const int oneEnd = k + 1 < pieces ? ends[static_cast<std::size_t>(k + 1)] : zeroEnd;
        runs.push_back({zeroEnd - start, oneEnd - zeroEnd});
        start = oneEnd;
    }
}

Plan plan(const FontModel& font) {
    Plan p;
    const int baseline = libraryBaseline(font);
    p.cellHeight = clampSize(font.ySize);
    p.baseline = baseline;
    const std::vector<LibraryGlyph> boxes = unicodeGlyphs(font);
    p.glyphs.reserve(boxes.size());
    for (const LibraryGlyph& box : boxes)
        p.glyphs.push_back(toGlyph(box, baseline));
    for (const Glyph& g : p.glyphs) {
        p.fields.w = std::max(p.fields.w, unsignedBits(g.box.width));
        p.fields.h = std::max(p.fields.h, unsignedBits(g.box.height));
        p.fields.x = std::max(p.fields.x, signedBits(g.x));
        p.fields.y = std::max(p.fields.y, signedBits(g.y));
        p.fields.d = std::max(p.fields.d, signedBits(g.box.advance));
    }
    // The smallest font whose every record fits; failing that, the smallest
    // font tells which glyph is too big.
    std::array<std::array<long, kOneWidths>, kZeroWidths> totals{};
    std::array<std::array<bool, kOneWidths>, kZeroWidths> fits{};
    for (auto& row : fits)
        row.fill(true);
    Runs runs;
    for (const Glyph& g : p.glyphs) {
        findRuns(g.box, runs);
        const RunCounts counts = countRuns(runs);
        for (int z = 0; z < kZeroWidths; ++z) {
            for (int o = 0; o < kOneWidths; ++o) {
                const int bytes = pricedRecordBytes(g, counts, p.fields, z, o);
                // Debug builds (the sanitizer suite) check the price against the encoding.
                assert(bytes == recordBytes(g, runs, p.fields, kMinZeroBits + z, kMinOneBits + o));
                const auto zi = static_cast<std::size_t>(z), oi = static_cast<std::size_t>(o);
                totals[zi][oi] += bytes;
                fits[zi][oi] = fits[zi][oi] && bytes <= kMaxRecordBytes;
            }
        }
    }
    long bestFitting = -1, bestAny = -1;
    int anyZero = kMinZeroBits, anyOne = kMinOneBits;
    for (int z = 0; z < kZeroWidths; ++z) {
        for (int o = 0; o < kOneWidths; ++o) {
            const auto zi = static_cast<std::size_t>(z), oi = static_cast<std::size_t>(o);
            const long total = totals[zi][oi];
            if (fits[zi][oi] && (bestFitting < 0 || total < bestFitting)) {
                bestFitting = total;
                p.recordTotal = total;
                p.zeroBits = kMinZeroBits + z;
                p.oneBits = kMinOneBits + o;
            }
            if (bestAny < 0 || total < bestAny) {
                bestAny = total;
                anyZero = kMinZeroBits + z;
                anyOne = kMinOneBits + o;
            }
        }
    }
    if (bestFitting < 0) {
        for (const Glyph& g : p.glyphs) {
            findRuns(g.box, runs);
            const int bytes = recordBytes(g, runs, p.fields, anyZero, anyOne);
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
    // The records and, for the last one, the room appendRecord makes.
    out.reserve(kHeaderBytes + static_cast<std::size_t>(p.recordTotal) + 8 + 3 * kMatrixBytes);
    Runs runs;
    const auto record = [&](const Glyph& g) {
        findRuns(g.box, runs);
        appendRecord(out, g, runs, p.fields, p.zeroBits, p.oneBits);
    };
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
        record(g);
    }
    out.push_back(0); // end of the glyphs below 0x100
    out.push_back(0);
    put16(17, posA);
    put16(19, posLowerA);
    put16(21, out.size() - kHeaderBytes);
    // A lookup table of one entry: the glyphs follow it (4 bytes on), and it
    // covers every character up to 0xFFFF.
    for (const std::uint8_t b :
         {std::uint8_t{0x00}, std::uint8_t{0x04}, std::uint8_t{0xFF}, std::uint8_t{0xFF}})
        out.push_back(b);
    for (const Glyph& g : p.glyphs) {
        if (g.box.unicode > 0xFF)
            record(g);
    }
    out.push_back(0); // end of the font
    out.push_back(0);
    return out;
}

// Every byte's text in a C string, escaped as the library's own font files
// are: octal for controls, quotes, backslashes, question marks, digits and
// everything from 127 up.
struct StringTexts {
    char text[256][4];
    std::uint8_t size[256];
    constexpr StringTexts() : text(), size() {
        for (int b = 0; b < 256; ++b) {
            char* t = text[b];
            int n = 0;
            if (b < 32 || b == '"' || b == '\\' || b == '?' || (b >= '0' && b <= '9') || b >= 127) {
                t[n++] = '\\';
                if (b >= 64)
                    t[n++] = static_cast<char>('0' + (b >> 6));
                if (b >= 8)
                    t[n++] = static_cast<char>('0' + ((b >> 3) & 7));
                t[n++] = static_cast<char>('0' + (b & 7));
            } else {
                t[n++] = static_cast<char>(b);
            }
            size[b] = static_cast<std::uint8_t>(n);
        }
    }
};
constexpr StringTexts kStringTexts{};

// The bytes as a C string, 32 to a line. The string's terminating zero is the
// font's last byte.
void appendStringLiteral(std::string& out, const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kPerLine = 32;
    constexpr std::string_view kNextLine = "\"\n  \"";
    out += "  \"";
    const std::size_t lines = bytes.size() / kPerLine + 1;
    writer::appendDirect(out, 4 * bytes.size() + kNextLine.size() * lines, [&](char* at) {
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
            const std::uint8_t b = bytes[i];
            std::memcpy(at, kStringTexts.text[b], 4);
            at += kStringTexts.size[b];
            if ((i + 1) % kPerLine == 0 && i + 2 < bytes.size())
                at = std::copy(kNextLine.begin(), kNextLine.end(), at);
        }
        return at;
    });
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
    c.reserve(bytes.size() * 5 + 256); // at most 4 characters a byte, and line breaks
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
