#include "font/CIdentifier.h"

#include <algorithm>
#include <array>

namespace zelvik {

namespace {

// Sorted, for the binary search.
// clang-format off
constexpr auto kKeywords = std::to_array<std::string_view>({
    "_Alignas", "_Alignof", "_Atomic", "_BitInt", "_Bool", "_Complex",
    "_Decimal128", "_Decimal32", "_Decimal64", "_Generic", "_Imaginary", "_Noreturn",
    "_Pragma", "_Static_assert", "_Thread_local", "alignas", "alignof", "and",
    "and_eq", "asm", "auto", "bitand", "bitor", "bool",
    "break", "case", "catch", "char", "char16_t", "char32_t",
    "char8_t", "class", "co_await", "co_return", "co_yield", "compl",
    "concept", "const", "const_cast", "consteval", "constexpr", "constinit",
    "continue", "decltype", "default", "delete", "do", "double",
    "dynamic_cast", "else", "enum", "explicit", "export", "extern",
    "false", "float", "for", "friend", "goto", "if",
    "inline", "int", "long", "mutable", "namespace", "new",
    "noexcept", "not", "not_eq", "nullptr", "operator", "or",
    "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
    "requires", "restrict", "return", "short", "signed", "sizeof",
    "static", "static_assert", "static_cast", "struct", "switch", "template",
    "this", "thread_local", "throw", "true", "try", "typedef",
    "typeid", "typename", "typeof", "typeof_unqual", "union", "unsigned",
    "using", "virtual", "void", "volatile", "wchar_t", "while",
    "xor", "xor_eq",
});
// clang-format on

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isKeyword(std::string_view text) {
    static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end()));
    return std::binary_search(kKeywords.begin(), kKeywords.end(), text);
}

} // namespace

bool isCIdentifier(std::string_view text) {
    if (text.empty() || !isLetter(text.front()))
        return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return isLetter(c) || isDigit(c); }))
        return false;
    return !isKeyword(text);
}

} // namespace zelvik
