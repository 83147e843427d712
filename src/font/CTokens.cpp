#include "font/CTokens.h"

#include <limits>

namespace zelvik {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool isIdentifierStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isIdentifierChar(char c) {
    return isIdentifierStart(c) || isDigit(c);
}
int digitValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

Result cSourceFault(const char* what, int line, const QString& detail) {
    return Result::fail(Failure::InvalidFormat,
                        QString::fromLatin1(what) +
                            QStringLiteral("\nLine %1: %2").arg(line).arg(detail));
}

void CTokenReader::skipSpaceAndDirectives() {
    while (!atEnd()) {
        const char c = peek();
        if (c == '\n') {
            ++line_;
            lineStart_ = true;
            ++pos_;
        } else if (isSpace(c)) {
            ++pos_;
        } else if (c == '#' && lineStart_) {
            // A directive runs to the end of its line, continued by a backslash.
            while (!atEnd() && peek() != '\n') {
                if (peek() == '\\' && peek(1) == '\n') {
                    ++line_;
                    ++pos_;
                }
                ++pos_;
            }
        } else if (c == '\\' && peek(1) == '\n') {
            ++line_;
            pos_ += 2;
        } else {
            return;
        }
    }
}

bool CTokenReader::escape(std::string& out) {
    if (atEnd())
        return false;
    const char c = source_[pos_++];
    if (c >= '0' && c <= '7') {
        unsigned value = static_cast<unsigned>(c - '0');
        for (int i = 0; i < 2 && peek() >= '0' && peek() <= '7'; ++i)
            value = value * 8 + static_cast<unsigned>(source_[pos_++] - '0');
        out.push_back(static_cast<char>(value & 0xFF));
        return true;
    }
    if (c == 'x') {
        unsigned value = 0;
        while (digitValue(peek()) < 16)
            value = (value * 16 + static_cast<unsigned>(digitValue(source_[pos_++]))) & 0xFFF;
        out.push_back(static_cast<char>(value & 0xFF));
        return true;
    }
    if (c == '\n')
        ++line_;
    switch (c) {
    case 'n':
        out.push_back('\n');
        break;
    case 't':
        out.push_back('\t');
        break;
    case 'r':
        out.push_back('\r');
        break;
    case 'a':
        out.push_back('\a');
        break;
    case 'b':
        out.push_back('\b');
        break;
    case 'f':
        out.push_back('\f');
        break;
    case 'v':
        out.push_back('\v');
        break;
    default:
        out.push_back(c);
        break; // \\ \" \' \? and the rest stand for themselves
    }
    return true;
}

Result CTokenReader::stringLiteral(CToken& token, const char* what) {
    token.kind = CTokenKind::String;
    token.bytes.clear();
    const std::size_t first = pos_;
    for (;;) {
        const int startLine = line_;
        ++pos_; // the opening quote
        for (;;) {
            if (atEnd() || peek() == '\n')
                return cSourceFault(what, startLine,
                                    QStringLiteral("the string has no closing quote."));
            const char c = source_[pos_++];
            if (c == '"')
                break;
            if (c == '\\') {
                if (!escape(token.bytes))
                    return cSourceFault(what, startLine,
                                        QStringLiteral("the string has no closing quote."));
            } else {
                token.bytes.push_back(c);
            }
        }
        if (token.text.empty())
            token.text = source_.substr(first, pos_ - first);
        // Adjacent literals, even across comments, are one string.
        const std::size_t before = pos_;
        const int lineBefore = line_;
        const bool lineStartBefore = lineStart_;
        lineStart_ = false;
        for (;;) {
            skipSpaceAndDirectives();
            if (peek() == '/' && peek(1) == '*') {
                const std::size_t end = source_.find("*/", pos_ + 2);
                if (end == std::string_view::npos)
                    break;
                for (std::size_t i = pos_; i < end; ++i)
                    line_ += source_[i] == '\n';
                pos_ = end + 2;
            } else if (peek() == '/' && peek(1) == '/') {
                while (!atEnd() && peek() != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
        if (peek() != '"') {
            pos_ = before;
            line_ = lineBefore;
            lineStart_ = lineStartBefore;
            return Result::success();
        }
    }
}

Result CTokenReader::next(CToken& token, const char* what) {
    skipSpaceAndDirectives();
    token.text = {};
    token.number = 0;
    token.line = line_;
    if (atEnd()) {
        token.kind = CTokenKind::End;
        return Result::success();
    }
    lineStart_ = false;
    const std::size_t start = pos_;
    const char c = peek();
    if (c == '/' && peek(1) == '*') {
        const std::size_t end = source_.find("*/", pos_ + 2);
        if (end == std::string_view::npos)
            return cSourceFault(what, line_, QStringLiteral("the comment has no end."));
        token.kind = CTokenKind::Comment;
        token.text = source_.substr(pos_ + 2, end - pos_ - 2);
        for (const char ch : token.text)
            line_ += ch == '\n';
        pos_ = end + 2;
        return Result::success();
    }
    if (c == '/' && peek(1) == '/') {
        const std::size_t end = std::min(source_.find('\n', pos_), source_.size());
        token.kind = CTokenKind::Comment;
        token.text = source_.substr(pos_ + 2, end - pos_ - 2);
        pos_ = end;
        return Result::success();
    }
    if (isIdentifierStart(c)) {
        while (isIdentifierChar(peek()))
            ++pos_;
        token.kind = CTokenKind::Identifier;
        token.text = source_.substr(start, pos_ - start);
        return Result::success();
    }
    if (isDigit(c)) {
        unsigned base = 10;
        if (c == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
            base = 16;
            pos_ += 2;
        } else if (c == '0') {
            base = 8;
        }
        std::uint64_t value = 0;
        int digits = 0;
        constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max() / 16;
        while (digitValue(peek()) < static_cast<int>(base)) {
            const auto digit = static_cast<std::uint64_t>(digitValue(source_[pos_++]));
            value =
                value > kMost ? std::numeric_limits<std::uint64_t>::max() : value * base + digit;
            ++digits;
        }
        while (peek() == 'u' || peek() == 'U' || peek() == 'l' || peek() == 'L')
            ++pos_;
        token.text = source_.substr(start, pos_ - start);
        if ((base == 16 && digits == 0) || isIdentifierChar(peek())) {
            while (isIdentifierChar(peek()))
                ++pos_;
            return cSourceFault(what, line_,
                                QStringLiteral("'%1' is not a number.")
                                    .arg(QString::fromLatin1(source_.substr(
                                        start, std::min<std::size_t>(pos_ - start, 40)))));
        }
        token.kind = CTokenKind::Number;
        token.number = value;
        return Result::success();
    }
    if (c == '"')
        return stringLiteral(token, what);
    if (c == '\'') {
        ++pos_;
        std::string value;
        while (!atEnd() && peek() != '\'' && peek() != '\n') {
            if (source_[pos_++] == '\\') {
                if (!escape(value))
                    break;
            } else {
                value.push_back(source_[pos_ - 1]);
            }
        }
        if (peek() != '\'' || value.empty())
            return cSourceFault(what, token.line,
                                QStringLiteral("the character constant has no closing quote."));
        ++pos_;
        token.kind = CTokenKind::Number;
        token.number = static_cast<unsigned char>(value.back());
        token.text = source_.substr(start, pos_ - start);
        return Result::success();
    }
    ++pos_;
    token.kind = CTokenKind::Punctuation;
    token.text = source_.substr(start, 1);
    return Result::success();
}

} // namespace zelvik
