// The BDF reader: one pass over the lines, straight into a new font. Every
// size and offset is limited to kLimit so that no sum of them overflows, and
// nothing is allocated by what a number says: a bitmap costs only the rows
// that are really in the file.

#include "font/BdfFile.h"
#include "font/SystemPath.h"

#include "font/AutoSymbolName.h"
#include "font/CIdentifier.h"
#include "font/Cp1250.h"
#include "font/Iso8859_2.h"
#include "font/ReadAtMost.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace zelvik {

namespace {

constexpr long long kLimit = 32767;
constexpr long long kLargestEncoding = std::numeric_limits<std::int32_t>::max();

// How ENCODING values become codes 0-255.
enum class Charset {
    Unicode,    // ISO10646: through Windows-1250
    Latin1,     // ISO8859-1: the byte is the Unicode value
    Latin2,     // ISO8859-2: through its table
    CodeItself, // any other registry, or none
};

class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}

    bool next(std::string_view& line) {
        if (rest_.empty())
            return false;
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = {};
        } else {
            line = rest_.substr(0, end);
            rest_.remove_prefix(end + 1);
        }
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The first word of `rest`, which then holds what follows it.
std::string_view nextWord(std::string_view& rest) {
    rest = trimmed(rest);
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

constexpr std::array<std::int8_t, 256> makeHexTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& v : table)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        table[c] = static_cast<std::int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        table[c] = static_cast<std::int8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        table[c] = static_cast<std::int8_t>(c - 'a' + 10);
    return table;
}
constexpr std::array<std::int8_t, 256> kHexValue = makeHexTable();

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// A word of the file for a message: at most 40 bytes, control bytes as \xNN.
QString shown(std::string_view word) {
    QString text;
    for (const char c : word.substr(0, 40)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            text += QStringLiteral("\\x") +
                    QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            text += QChar(byte);
    }
    return text;
}

struct Glyph {
    bool hasEncoding = false;
    long long encoding = -1;
    bool hasDwidth = false;
    int dwidth = 0;
    bool hasBbx = false;
    int width = 0, height = 0, xOffset = 0, yOffset = 0;
    // Set at BITMAP:
    CharSlot* slot = nullptr; // where the ink goes; null for a skipped glyph
    int code = -1;
    int xSize = 0;
    int rowsLeft = 0;
    int row = 0;
    bool cut = false;
};

class Parser {
public:
    Parser(std::string_view bytes, FontModel& font, BdfImportCounts& counts)
        : lines_(bytes), font_(font), counts_(counts) {}

    Result<> run();

private:
    enum class State { Header, Properties, Glyphs, Glyph, Bitmap, AfterBitmap };

    Result<> fault(const QString& detail) const {
        return Result<>::fail(
            Failure::InvalidFormat,
            QString::fromLatin1(kInvalidBdfMessage) +
                QStringLiteral("\nLine %1: %2").arg(std::max(1, lines_.number())).arg(detail));
    }

    // The next number of `rest` within lo-hi into `out`; false after setting
    // error_. `keyword` and `count` name the line's numbers in the message.
    bool number(std::string_view keyword, int count, std::string_view& rest, long long lo,
                long long hi, long long& out);
    // A property's string value; an unquoted value is taken as one word.
    bool stringValue(std::string_view keyword, std::string_view rest, std::string& out);

    bool headerLine(std::string_view keyword, std::string_view rest);
    bool propertyLine(std::string_view keyword, std::string_view rest);
    bool startGlyphs();
    bool glyphLine(std::string_view keyword, std::string_view rest);
    bool startBitmap();
    bool bitmapRow(std::string_view line);
    void endGlyph();
    std::optional<int> codeOf(long long encoding) const;

    Lines lines_;
    FontModel& font_;
    BdfImportCounts& counts_;
    Result<> error_;
    State state_ = State::Header;

    bool haveAscent_ = false, haveDescent_ = false, haveBoundingBox_ = false;
    long long ascentProperty_ = 0, descentProperty_ = 0;
    long long boxHeight_ = 0, boxYOffset_ = 0;
    std::string registry_, encoding_, familyName_;
    Charset charset_ = Charset::CodeItself;
    int ascent_ = 0;
    Glyph glyph_;
    std::array<bool, kCodeCount> taken_{};
};

bool Parser::number(std::string_view keyword, int count, std::string_view& rest, long long lo,
                    long long hi, long long& out) {
    const std::string_view word = nextWord(rest);
    if (word.empty()) {
        error_ = fault(
            count == 1 ? QStringLiteral("%1 needs a number.").arg(latin1(keyword))
                       : QStringLiteral("%1 needs %2 numbers.").arg(latin1(keyword)).arg(count));
        return false;
    }
    std::size_t i = 0;
    const bool negative = word[0] == '-';
    if (word[0] == '-' || word[0] == '+')
        i = 1;
    if (i == word.size()) {
        error_ = fault(QStringLiteral("%1: '%2' is not a number.")
                           .arg(latin1(keyword), latin1(word.substr(0, 40))));
        return false;
    }
    long long value = 0;
    bool tooLarge = false;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        if (c < '0' || c > '9') {
            error_ = fault(QStringLiteral("%1: '%2' is not a number.")
                               .arg(latin1(keyword), latin1(word.substr(0, 40))));
            return false;
        }
        if (value > kLargestEncoding)
            tooLarge = true; // keep scanning: a letter later makes it no number at all
        else
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (tooLarge || value < lo || value > hi) {
        error_ = fault(QStringLiteral("%1: %2 is out of range (%3 to %4).")
                           .arg(latin1(keyword), latin1(word.substr(0, 40)))
                           .arg(lo)
                           .arg(hi));
        return false;
    }
    out = value;
    return true;
}

bool Parser::stringValue(std::string_view keyword, std::string_view rest, std::string& out) {
    rest = trimmed(rest);
    if (rest.empty() || rest.front() != '"') {
        out = std::string(nextWord(rest));
        return true;
    }
    out.clear();
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] != '"') {
            out.push_back(rest[i]);
        } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
            out.push_back('"');
            ++i;
        } else {
            return true;
        }
    }
    error_ = fault(QStringLiteral("%1: the string has no closing quote.").arg(latin1(keyword)));
    return false;
}

bool Parser::headerLine(std::string_view keyword, std::string_view rest) {
    if (keyword == "FONTBOUNDINGBOX") {
        long long width = 0, xOffset = 0;
        if (!number(keyword, 4, rest, 0, kLimit, width) ||
            !number(keyword, 4, rest, 0, kLimit, boxHeight_) ||
            !number(keyword, 4, rest, -kLimit, kLimit, xOffset) ||
            !number(keyword, 4, rest, -kLimit, kLimit, boxYOffset_))
            return false;
        haveBoundingBox_ = true;
    } else if (keyword == "STARTPROPERTIES") {
        state_ = State::Properties;
    } else if (keyword == "CHARS") {
        long long count = 0;
        if (!number(keyword, 1, rest, 0, kLargestEncoding, count))
            return false;
        return startGlyphs();
    } else if (keyword == "STARTCHAR" || keyword == "ENDFONT") {
        error_ = fault(QStringLiteral("%1 before CHARS.").arg(latin1(keyword)));
        return false;
    }
    return true; // FONT, SIZE, COMMENT and the rest say nothing we keep
}

bool Parser::propertyLine(std::string_view keyword, std::string_view rest) {
    if (keyword == "ENDPROPERTIES") {
        state_ = State::Header;
    } else if (keyword == "FONT_ASCENT") {
        haveAscent_ = number(keyword, 1, rest, -kLimit, kLimit, ascentProperty_);
        return haveAscent_;
    } else if (keyword == "FONT_DESCENT") {
        haveDescent_ = number(keyword, 1, rest, -kLimit, kLimit, descentProperty_);
        return haveDescent_;
    } else if (keyword == "CHARSET_REGISTRY") {
        return stringValue(keyword, rest, registry_);
    } else if (keyword == "CHARSET_ENCODING") {
        return stringValue(keyword, rest, encoding_);
    } else if (keyword == "FAMILY_NAME") {
        return stringValue(keyword, rest, familyName_);
    } else if (keyword == "CHARS" || keyword == "STARTCHAR" || keyword == "ENDFONT") {
        error_ = fault(QStringLiteral("ENDPROPERTIES is missing before %1.").arg(latin1(keyword)));
        return false;
    }
    return true;
}

bool Parser::startGlyphs() {
    long long ascent = ascentProperty_;
    long long descent = descentProperty_;
    if (!haveAscent_ || !haveDescent_) {
        if (!haveBoundingBox_) {
            error_ = fault(QStringLiteral(
                "CHARS before FONT_ASCENT and FONT_DESCENT or FONTBOUNDINGBOX give the height."));
            return false;
        }
        if (!haveAscent_)
            ascent = boxHeight_ + boxYOffset_;
        if (!haveDescent_)
            descent = -boxYOffset_;
    }
    const long long height = ascent + descent;
    if (height > kMaxSize) {
        error_ = Result<>::fail(Failure::InvalidFormat,
                                QStringLiteral("The BDF font is %1 pixels high!\n"
                                               "Characters can be at most %2 pixels high.")
                                    .arg(height)
                                    .arg(kMaxSize));
        return false;
    }
    if (height < kMinSize) {
        error_ = fault(
            QStringLiteral("the font is %1 pixels high (FONT_ASCENT + FONT_DESCENT).").arg(height));
        return false;
    }
    ascent_ = static_cast<int>(ascent);
    font_.ySize = static_cast<int>(height);
    // A font whose ascent line lies below the baseline, or whose descent is
    // negative, still gets a baseline inside its cell.
    setFontBaseline(font_, ascent_);

    const bool iso8859 = equalsIgnoringCase(registry_, "ISO8859");
    if (equalsIgnoringCase(registry_, "ISO10646"))
        charset_ = Charset::Unicode;
    else if ((iso8859 && encoding_ == "1") || equalsIgnoringCase(registry_, "ISO8859-1"))
        charset_ = Charset::Latin1;
    else if ((iso8859 && encoding_ == "2") || equalsIgnoringCase(registry_, "ISO8859-2"))
        charset_ = Charset::Latin2;
    else
        charset_ = Charset::CodeItself;
    font_.fontIdentifier = identifierFromFamilyName(familyName_);
    state_ = State::Glyphs;
    return true;
}

std::optional<int> Parser::codeOf(long long encoding) const {
    if (encoding < 0)
        return std::nullopt;
    switch (charset_) {
    case Charset::Unicode:
        if (encoding > 0xFFFF)
            return std::nullopt;
        if (const auto byte = unicodeToCp1250(static_cast<char16_t>(encoding)))
            return *byte;
        return std::nullopt;
    case Charset::Latin1:
    case Charset::Latin2:
        if (encoding >= kCodeCount)
            return std::nullopt;
        if (const auto byte =
                unicodeToCp1250(charset_ == Charset::Latin1
                                    ? static_cast<char16_t>(encoding)
                                    : iso8859_2ToUnicode(static_cast<std::uint8_t>(encoding))))
            return *byte;
        return std::nullopt;
    case Charset::CodeItself:
        if (encoding >= kCodeCount)
            return std::nullopt;
        return static_cast<int>(encoding);
    }
    return std::nullopt;
}

bool Parser::glyphLine(std::string_view keyword, std::string_view rest) {
    long long v[4] = {};
    if (keyword == "ENCODING") {
        if (!number(keyword, 1, rest, -1, kLargestEncoding, v[0]))
            return false;
        glyph_.hasEncoding = true;
        glyph_.encoding = v[0]; // after -1 a font's own index may follow; it has no code here
    } else if (keyword == "DWIDTH") {
        if (!number(keyword, 2, rest, -kLimit, kLimit, v[0]) ||
            !number(keyword, 2, rest, -kLimit, kLimit, v[1]))
            return false;
        glyph_.hasDwidth = true;
        glyph_.dwidth = static_cast<int>(v[0]);
    } else if (keyword == "BBX") {
        if (!number(keyword, 4, rest, 0, kLimit, v[0]) ||
            !number(keyword, 4, rest, 0, kLimit, v[1]) ||
            !number(keyword, 4, rest, -kLimit, kLimit, v[2]) ||
            !number(keyword, 4, rest, -kLimit, kLimit, v[3]))
            return false;
        glyph_.hasBbx = true;
        glyph_.width = static_cast<int>(v[0]);
        glyph_.height = static_cast<int>(v[1]);
        glyph_.xOffset = static_cast<int>(v[2]);
        glyph_.yOffset = static_cast<int>(v[3]);
    } else if (keyword == "BITMAP") {
        return startBitmap();
    } else if (keyword == "ENDCHAR") {
        error_ = fault(QStringLiteral("ENDCHAR before BITMAP."));
        return false;
    } else if (keyword == "STARTCHAR" || keyword == "ENDFONT") {
        error_ = fault(QStringLiteral("ENDCHAR is missing before %1.").arg(latin1(keyword)));
        return false;
    }
    return true; // SWIDTH, DWIDTH1, VVECTOR and comments change nothing here
}

bool Parser::startBitmap() {
    if (!glyph_.hasBbx) {
        error_ = fault(QStringLiteral("BITMAP before BBX."));
        return false;
    }
    glyph_.rowsLeft = glyph_.width > 0 ? glyph_.height : 0;
    glyph_.row = 0;
    state_ = glyph_.rowsLeft > 0 ? State::Bitmap : State::AfterBitmap;

    const auto code = glyph_.hasEncoding ? codeOf(glyph_.encoding) : std::nullopt;
    if (!code || taken_[*code])
        return true; // skipped; its rows are still checked
    glyph_.code = *code;
    taken_[*code] = true;
    glyph_.slot = &font_.slots[*code];
    // Without DWIDTH the glyph advances past its own ink.
    const int advance = glyph_.hasDwidth ? glyph_.dwidth : glyph_.xOffset + glyph_.width;
    glyph_.xSize = clampSize(advance);
    return true;
}

bool Parser::bitmapRow(std::string_view line) {
    const std::string_view row = trimmed(line);
    const std::size_t digits = static_cast<std::size_t>((glyph_.width + 7) / 8) * 2;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (kHexValue[static_cast<std::uint8_t>(row[i])] < 0) {
            std::string_view rest = row;
            const std::string_view keyword = nextWord(rest);
            if (keyword == "ENDCHAR")
                error_ = fault(QStringLiteral("ENDCHAR after %1 of %2 bitmap rows (BBX height).")
                                   .arg(glyph_.row)
                                   .arg(glyph_.height));
            else if (keyword == "STARTCHAR" || keyword == "ENDFONT")
                error_ =
                    fault(QStringLiteral("ENDCHAR is missing before %1.").arg(latin1(keyword)));
            else
                error_ = fault(QStringLiteral("'%1' is not a bitmap row of hex digits.")
                                   .arg(latin1(row.substr(0, 40))));
            return false;
        }
    }
    if (row.size() != digits) {
        error_ = fault(QStringLiteral("the bitmap row has %1 hex digits, BBX width %2 needs %3.")
                           .arg(row.size())
                           .arg(glyph_.width)
                           .arg(digits));
        return false;
    }
    if (glyph_.slot) {
        const int y = ascent_ - (glyph_.yOffset + glyph_.height) + glyph_.row;
        const bool rowVisible = y >= 0 && y < font_.ySize;
        const bool rowStored = y >= 0 && y < kMatrixEdge;
        for (int c = 0; c < glyph_.width; ++c) {
            const int nibble = kHexValue[static_cast<std::uint8_t>(row[c / 4])];
            if ((nibble & (8 >> (c % 4))) == 0)
                continue;
            const int x = glyph_.xOffset + c;
            if (!rowVisible || x < 0 || x >= glyph_.xSize)
                glyph_.cut = true;
            if (rowStored && x >= 0 && x < kMatrixEdge)
                glyph_.slot->pixels[pixelIndex(x, y)] = 1;
        }
    }
    ++glyph_.row;
    if (--glyph_.rowsLeft == 0)
        state_ = State::AfterBitmap;
    return true;
}

void Parser::endGlyph() {
    if (glyph_.slot) {
        glyph_.slot->name = autoSymbolName(glyph_.code);
        glyph_.slot->xSize = glyph_.xSize;
        ++counts_.taken;
        if (glyph_.cut)
            ++counts_.cut;
    } else {
        ++counts_.skipped;
    }
    glyph_ = Glyph{};
    state_ = State::Glyphs;
}

Result<> Parser::run() {
    std::string_view line;
    const bool any = lines_.next(line);
    if (line.starts_with("\xEF\xBB\xBF")) // a byte order mark some editors add
        line.remove_prefix(3);
    if (!any || nextWord(line) != "STARTFONT")
        return fault(QStringLiteral("the file does not begin with STARTFONT."));

    while (lines_.next(line)) {
        if (state_ == State::Bitmap) {
            if (!bitmapRow(line))
                return error_;
            continue;
        }
        std::string_view rest = line;
        const std::string_view keyword = nextWord(rest);
        if (keyword.empty() || keyword == "COMMENT")
            continue;
        if (std::any_of(keyword.begin(), keyword.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
            return fault(QStringLiteral("'%1' is no keyword: it holds a control character.")
                             .arg(shown(keyword)));
        bool ok = true;
        switch (state_) {
        case State::Header:
            ok = headerLine(keyword, rest);
            break;
        case State::Properties:
            ok = propertyLine(keyword, rest);
            break;
        case State::Glyphs:
            if (keyword == "ENDFONT")
                return Result<>::success();
            if (keyword == "STARTCHAR") {
                state_ = State::Glyph;
            } else {
                // A damaged STARTCHAR would drop its glyph without a word.
                error_ = fault(QStringLiteral("'%1' where STARTCHAR or ENDFONT is expected.")
                                   .arg(shown(keyword)));
                ok = false;
            }
            break;
        case State::Glyph:
            ok = glyphLine(keyword, rest);
            break;
        case State::AfterBitmap:
            if (keyword == "ENDCHAR") {
                endGlyph();
            } else if (keyword == "STARTCHAR" || keyword == "ENDFONT") {
                error_ =
                    fault(QStringLiteral("ENDCHAR is missing before %1.").arg(latin1(keyword)));
                ok = false;
            } else {
                error_ = fault(QStringLiteral("ENDCHAR expected after %1 bitmap rows (BBX height).")
                                   .arg(glyph_.row));
                ok = false;
            }
            break;
        case State::Bitmap:
            break;
        }
        if (!ok)
            return error_;
    }
    switch (state_) {
    case State::Header:
        return fault(QStringLiteral("the file ends before CHARS."));
    case State::Properties:
        return fault(QStringLiteral("the file ends before ENDPROPERTIES."));
    case State::Glyphs:
        return fault(QStringLiteral("the file ends without ENDFONT."));
    default:
        return fault(QStringLiteral("the file ends without ENDCHAR."));
    }
}

} // namespace

std::string identifierFromFamilyName(std::string_view familyName) {
    std::string identifier;
    bool gap = false;
    for (const char c : familyName) {
        const bool keep =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!keep) {
            gap = true;
            continue;
        }
        if (gap && !identifier.empty())
            identifier.push_back('_');
        gap = false;
        identifier.push_back(c);
    }
    while (!identifier.empty() && identifier.front() == '_')
        identifier.erase(0, 1);
    while (!identifier.empty() && identifier.back() == '_')
        identifier.pop_back();
    // What is left fails the rule only by a leading digit or by being a keyword.
    if (!identifier.empty() && !isCIdentifier(identifier))
        identifier.insert(0, "font_");
    if (identifier.size() > static_cast<std::size_t>(kMaxIdentifierLength))
        identifier.resize(kMaxIdentifierLength);
    return identifier;
}

Result<BdfImport> parseBdf(std::string_view bytes) {
    auto font = std::make_unique<FontModel>();
    BdfImportCounts counts;
    Parser parser(bytes, *font, counts);
    if (Result<> result = parser.run(); !result)
        return result;
    font->fontModified = true;
    font->currentFileName.clear();
    return BdfImport{std::move(font), counts};
}

Result<BdfImport> importBdfFile(const QString& path) {
    QFile file;
    if (const QString why = openForReading(file, path); !why.isEmpty())
        return Result<>::fail(Failure::CannotOpen, kCantOpenBdfMessage, why);
    if (file.size() > static_cast<qint64>(kLongestBdfFile))
        return Result<>::fail(Failure::InvalidFormat, kBdfTooLargeMessage);
    // A pipe has no size: one byte more than the limit tells a stream at the
    // limit from a longer one without reading the rest of it.
    const QByteArray bytes = readAtMost(file, static_cast<qint64>(kLongestBdfFile) + 1);
    if (file.error() != QFileDevice::NoError)
        return Result<>::fail(Failure::CannotOpen, kCantOpenBdfMessage, file.errorString());
    if (static_cast<std::size_t>(bytes.size()) > kLongestBdfFile)
        return Result<>::fail(Failure::InvalidFormat, kBdfTooLargeMessage);
    return parseBdf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString bdfImportSummary(const BdfImportCounts& counts) {
    return QStringLiteral("BDF import: %1 glyphs taken, %2 cut, %3 skipped")
        .arg(counts.taken)
        .arg(counts.cut)
        .arg(counts.skipped);
}

} // namespace zelvik
