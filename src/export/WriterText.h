#pragma once

// Small text pieces the writers share. Everything is appended to one string;
// generating a full font is a hot path (tens of thousands of bytes), so no
// printf per byte.

#include "font/FontModel.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvik::writer {

inline void appendInt(std::string& out, int value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// printf's "%-Nd": the number left-aligned in a field of `width` characters.
inline void appendIntLeft(std::string& out, int value, int width) {
    const std::size_t start = out.size();
    appendInt(out, value);
    const std::size_t written = out.size() - start;
    if (written < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - written, ' ');
}

// The eight bits of a byte, bit 7 first, each followed by `separator` except the last.
inline void appendBits(std::string& out, std::uint8_t byte, char separator = 0) {
    for (int b = 7; b >= 0; --b) {
        out += static_cast<char>('0' + ((byte >> b) & 1));
        if (separator && b > 0)
            out += separator;
    }
}

// "identifier_name"
inline void appendLabel(std::string& out, std::string_view identifier, std::string_view name) {
    out += identifier;
    out += '_';
    out += name;
}

// The name a pointer table entry uses: the slot's own, or the BlankSlot's when
// the code is undefined.
inline const std::string& tableEntryName(const FontModel& font, int code) {
    const CharSlot& slot = font.slots[code];
    return slot.defined() ? slot.name : font.slots[kBlankSlot].name;
}

// Calls f(index) for the characters an export emits: the defined codes in
// ascending order, then the BlankSlot when it has a name.
template <class F> void forEachEmitted(const FontModel& font, F&& f) {
    for (int i = 0; i < kSlotCount; ++i) {
        if (font.slots[i].defined())
            f(i);
    }
}

constexpr std::string_view kEol = "\r\n";

} // namespace zelvik::writer
