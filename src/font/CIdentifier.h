#pragma once

// The one rule for every name that ends up in generated source: the font
// identifier and the labels built from it. Whatever gives a font its
// identifier (the command line, a BDF family name) and every export checks
// it here, so a font that passes compiles as C and C++.

#include <string_view>

namespace zelvik {

// What the messages tell the user about the rule.
constexpr std::string_view kCIdentifierRule =
    "letters, digits and _, not beginning with a digit, and no C or C++ keyword";

// ASCII letters, digits and '_', not beginning with a digit, and no keyword
// of C (up to C23) or C++ (up to C++23), alternative operator names included.
bool isCIdentifier(std::string_view text);

} // namespace zelvik
