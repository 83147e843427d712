#pragma once

// ISO 8859-2 (Latin-2), the 8-bit charset of many Central European bitmap
// fonts. Its letters are those of Windows-1250 at partly different bytes, so a
// font in it reaches our codes through Unicode.

#include <cstdint>

namespace zelvik {

// Every byte has a character: 0x00-0x9F are the same values in Unicode.
char16_t iso8859_2ToUnicode(std::uint8_t byte);

} // namespace zelvik
