#pragma once

// The initialized declarations of a C source file, as the display libraries
// write their fonts: `const uint8_t name[] PROGMEM = {...};`, `const GFXfont
// name PROGMEM = {(uint8_t *)bitmaps, ...};`, `const uint8_t name[810]
// U8G2_FONT_SECTION("name") = "...";`. Declarations without an initializer,
// function bodies and type definitions are passed over.

#include "font/CTokens.h"
#include "font/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvik {

struct CValue {
    enum class Kind { Number, Name, String, List };
    Kind kind = Kind::Number;
    std::int64_t number = 0;   // a Number, its sign applied (saturated at +-2^62)
    std::string_view name;     // a Name: the array or object it points at, casts dropped
    std::string bytes;         // a String's bytes
    std::vector<CValue> items; // a List's elements
    int line = 1;
};

struct CDeclaration {
    std::string_view name;               // the declared identifier
    std::vector<std::string_view> words; // every identifier before it: the type
    CValue value;
    int line = 1;
    std::string_view comment; // the last comment before the declaration, if any

    bool hasWord(std::string_view word) const;
};

// Every initialized declaration of `source`; `what` heads the message of a
// syntax fault ("Invalid Adafruit GFX font!").
Result<std::vector<CDeclaration>> readCDeclarations(std::string_view source, const char* what);

// The font a reader imports from a file's declarations: the one `fontName`
// names among those `isFont` takes, or the only one when no name is given.
// `none` is the answer for a file without any; a file of several fonts and no
// name, or a name none of them has, is refused with their names. `kindName`
// is the format's name for those refusals.
Result<CDeclaration*> chooseFontDeclaration(std::vector<CDeclaration>& declarations,
                                            const std::function<bool(const CDeclaration&)>& isFont,
                                            std::string_view fontName, std::string_view kindName,
                                            Result<> none);

} // namespace zelvik
