#pragma once

// The tokens of C source as the display libraries write their fonts: comments,
// identifiers, numbers (hex, octal and decimal, with any u/l suffix), string
// literals (adjacent ones joined, as the compiler joins them) and single
// punctuation characters. Preprocessor lines are passed over whole. Enough to
// read data, not a compiler: no floating point, no wide strings.

#include "font/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvik {

enum class CTokenKind { End, Identifier, Number, String, Punctuation, Comment };

struct CToken {
    CTokenKind kind = CTokenKind::End;
    std::string_view text;    // as written; a string's first literal, a comment's inside
    std::uint64_t number = 0; // a Number's value (saturated), a character constant's code
    std::string bytes;        // a String's bytes, escapes decoded, literals joined
    int line = 1;             // where the token begins
};

class CTokenReader {
public:
    explicit CTokenReader(std::string_view source) : source_(source) {}

    // The next token into `token`; fails on an unterminated comment, string or
    // character constant and on a malformed number, with `what` ("Invalid u8g2
    // font!") above "Line N: ..." in the message.
    Result next(CToken& token, const char* what);

    int line() const { return line_; }

private:
    bool atEnd() const { return pos_ >= source_.size(); }
    char peek(std::size_t ahead = 0) const {
        return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
    }
    void skipSpaceAndDirectives();
    // One escape after a backslash, appended to `out`; false at the end of the input.
    bool escape(std::string& out);
    Result stringLiteral(CToken& token, const char* what);

    std::string_view source_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool lineStart_ = true; // only blanks since the last line end: a '#' begins a directive
};

// "Invalid u8g2 font!\nLine 12: detail"
Result cSourceFault(const char* what, int line, const QString& detail);

} // namespace zelvik
