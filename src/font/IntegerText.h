#pragma once

// Numbers typed into fields. Typing is filtered to digits, but pasted text can
// still be anything: it is refused with the toolkit's conversion message.

#include <QString>

#include <optional>

namespace zelvik {

// A decimal whole number with an optional sign that fits 32 bits, or nothing.
std::optional<int> parseInteger(const QString& text);

// "'%s' is not a valid integer value" with the offending text.
QString notAnIntegerMessage(const QString& text);

} // namespace zelvik
