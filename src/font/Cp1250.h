#pragma once

// Character codes 0x80-0xFF are Windows-1250 on every platform: the character
// list, the key field, the sample text, the custom characters dialog and the
// generator all convert through this one table.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvik {

char16_t cp1250ToUnicode(std::uint8_t byte);
// The byte of a character, or nothing when Windows-1250 has no such character.
std::optional<std::uint8_t> unicodeToCp1250(char16_t ch);

QString fromCp1250(std::string_view bytes);
// Nothing when any character lies outside Windows-1250.
std::optional<std::string> toCp1250(const QString& text);
// Characters outside Windows-1250 become '?'.
std::string toCp1250Lossy(const QString& text);

} // namespace zelvik
