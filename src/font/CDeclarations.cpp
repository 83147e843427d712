#include "font/CDeclarations.h"

#include "font/FontImport.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zelvik {

namespace {

constexpr std::int64_t kLargest = std::int64_t{1} << 62;
// Braces nest this deep at most: a font needs two.
constexpr int kDeepest = 16;

// Words that stand beside a declared name without being it.
constexpr std::array<std::string_view, 10> kNotNames = {"const",
                                                        "static",
                                                        "volatile",
                                                        "extern",
                                                        "PROGMEM",
                                                        "U8X8_PROGMEM",
                                                        "U8G2_FONT_SECTION",
                                                        "U8X8_FONT_SECTION",
                                                        "__attribute__",
                                                        "ICACHE_RODATA_ATTR"};

bool isPunctuation(const CToken& t, char c) {
    return t.kind == CTokenKind::Punctuation && t.text[0] == c;
}

QString shown(const CToken& t) {
    if (t.kind == CTokenKind::End)
        return QStringLiteral("the end of the file");
    return QLatin1Char('\'') + QString::fromLatin1(t.text.substr(0, 40)) + QLatin1Char('\'');
}

class Parser {
public:
    Parser(std::string_view source, const char* what) : reader_(source), what_(what) {}

    Result<> run(std::vector<CDeclaration>& out);

private:
    // The next token that is not a comment; the last comment is kept.
    Result<> advance() {
        for (;;) {
            if (Result<> r = reader_.next(token_, what_); !r)
                return r;
            if (token_.kind != CTokenKind::Comment)
                return Result<>::success();
            comment_ = token_.text;
        }
    }
    Result<> fault(const QString& detail) const { return cSourceFault(what_, token_.line, detail); }
    Result<> value(CValue& out, int depth);
    Result<> skipBalanced(char open, char close);

    CTokenReader reader_;
    const char* what_;
    CToken token_;
    std::string_view comment_;
};

Result<> Parser::skipBalanced(char open, char close) {
    int depth = 0;
    for (;;) {
        if (token_.kind == CTokenKind::End)
            return fault(QStringLiteral("'%1' has no closing '%2'.").arg(open).arg(close));
        if (isPunctuation(token_, open))
            ++depth;
        else if (isPunctuation(token_, close) && --depth == 0)
            return advance();
        if (Result<> r = advance(); !r)
            return r;
    }
}

Result<> Parser::value(CValue& out, int depth) {
    if (depth > kDeepest)
        return fault(QStringLiteral("the braces nest too deep."));
    out.line = token_.line;
    if (isPunctuation(token_, '{')) {
        out.kind = CValue::Kind::List;
        if (Result<> r = advance(); !r)
            return r;
        while (!isPunctuation(token_, '}')) {
            out.items.emplace_back();
            if (Result<> r = value(out.items.back(), depth + 1); !r)
                return r;
            if (isPunctuation(token_, ',')) {
                if (Result<> r = advance(); !r)
                    return r;
            } else if (!isPunctuation(token_, '}')) {
                return fault(QStringLiteral("%1 where ',' or '}' is expected.").arg(shown(token_)));
            }
        }
        return advance();
    }
    if (isPunctuation(token_, '(')) { // a cast: what it converts is the value
        if (Result<> r = skipBalanced('(', ')'); !r)
            return r;
        return value(out, depth + 1);
    }
    if (isPunctuation(token_, '&') || isPunctuation(token_, '+')) {
        if (Result<> r = advance(); !r)
            return r;
        return value(out, depth + 1);
    }
    if (isPunctuation(token_, '-')) {
        if (Result<> r = advance(); !r)
            return r;
        if (token_.kind != CTokenKind::Number)
            return fault(QStringLiteral("%1 after '-' is not a number.").arg(shown(token_)));
        out.kind = CValue::Kind::Number;
        out.number = -static_cast<std::int64_t>(std::min<std::uint64_t>(token_.number, kLargest));
        return advance();
    }
    if (token_.kind == CTokenKind::Number) {
        out.kind = CValue::Kind::Number;
        out.number = static_cast<std::int64_t>(std::min<std::uint64_t>(token_.number, kLargest));
        return advance();
    }
    if (token_.kind == CTokenKind::String) {
        out.kind = CValue::Kind::String;
        out.bytes = std::move(token_.bytes);
        return advance();
    }
    if (token_.kind == CTokenKind::Identifier) {
        out.kind = CValue::Kind::Name;
        out.name = token_.text;
        if (Result<> r = advance(); !r)
            return r;
        if (isPunctuation(token_, '[')) // &bitmaps[0]
            return skipBalanced('[', ']');
        return Result<>::success();
    }
    return fault(QStringLiteral("%1 is not a value.").arg(shown(token_)));
}

Result<> Parser::run(std::vector<CDeclaration>& out) {
    if (Result<> r = advance(); !r)
        return r;
    std::vector<CToken> head;
    std::string_view headComment;
    while (token_.kind != CTokenKind::End) {
        if (head.empty())
            headComment = comment_;
        if (isPunctuation(token_, ';')) {
            head.clear();
            comment_ = {};
            if (Result<> r = advance(); !r)
                return r;
            continue;
        }
        if (isPunctuation(token_, '{')) { // a function body or a type definition
            head.clear();
            if (Result<> r = skipBalanced('{', '}'); !r)
                return r;
            continue;
        }
        if (!isPunctuation(token_, '=')) {
            head.push_back(std::move(token_));
            if (Result<> r = advance(); !r)
                return r;
            continue;
        }
        CDeclaration d;
        d.line = head.empty() ? token_.line : head.front().line;
        d.comment = headComment;
        for (const CToken& t : head) {
            // Attributes with arguments, and the size, follow the name.
            if (isPunctuation(t, '(') || (isPunctuation(t, '[') && !d.name.empty()))
                break;
            if (t.kind != CTokenKind::Identifier)
                continue;
            d.words.push_back(t.text);
            if (std::find(kNotNames.begin(), kNotNames.end(), t.text) == kNotNames.end())
                d.name = t.text;
        }
        if (Result<> r = advance(); !r)
            return r;
        if (Result<> r = value(d.value, 0); !r)
            return r;
        if (!isPunctuation(token_, ';') && !isPunctuation(token_, ','))
            return fault(QStringLiteral("%1 where ';' is expected.").arg(shown(token_)));
        head.clear();
        comment_ = {};
        if (!d.name.empty())
            out.push_back(std::move(d));
        // After ',' the next declarator shares no type with us: read on as a new head.
        if (Result<> r = advance(); !r)
            return r;
    }
    return Result<>::success();
}

} // namespace

bool CDeclaration::hasWord(std::string_view word) const {
    for (const std::string_view w : words)
        if (w == word)
            return true;
    return false;
}

Result<std::vector<CDeclaration>> readCDeclarations(std::string_view source, const char* what) {
    std::vector<CDeclaration> declarations;
    Parser parser(source, what);
    if (Result<> parsed = parser.run(declarations); !parsed)
        return parsed;
    return declarations;
}

Result<CDeclaration*> chooseFontDeclaration(std::vector<CDeclaration>& declarations,
                                            const std::function<bool(const CDeclaration&)>& isFont,
                                            std::string_view fontName, std::string_view kindName,
                                            Result<> none) {
    std::vector<std::string> names;
    CDeclaration* chosen = nullptr;
    for (CDeclaration& d : declarations) {
        if (!isFont(d))
            continue;
        names.emplace_back(d.name);
        if (d.name == fontName || (fontName.empty() && !chosen))
            chosen = &d;
    }
    if (names.empty())
        return none;
    if (fontName.empty() && names.size() > 1)
        return severalFontsRefusal(kindName, names);
    if (!chosen)
        return noSuchFontRefusal(kindName, fontName, names);
    return chosen;
}

} // namespace zelvik
