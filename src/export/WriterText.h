#pragma once

// Small text pieces the writers share. Everything is appended to one string;
// generating a full font is a hot path (tens of thousands of bytes), so no
// printf per byte.

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

// The eight bits of every byte value, bit 7 first: "00000001", or with commas
// between the digits for b2b() calls: "0,0,0,0,0,0,0,1".
struct BitTexts {
    char plain[256][8];
    char commas[256][15];
    constexpr BitTexts() : plain(), commas() {
        for (int v = 0; v < 256; ++v) {
            for (int b = 0; b < 8; ++b) {
                const char digit = static_cast<char>('0' + ((v >> (7 - b)) & 1));
                plain[v][b] = digit;
                commas[v][2 * b] = digit;
                if (b < 7)
                    commas[v][2 * b + 1] = ',';
            }
        }
    }
};
inline constexpr BitTexts kBitTexts{};

inline void appendBits(std::string& out, std::uint8_t byte) {
    out.append(kBitTexts.plain[byte], 8);
}
inline void appendBitsWithCommas(std::string& out, std::uint8_t byte) {
    out.append(kBitTexts.commas[byte], 15);
}

// "identifier_name"
inline void appendLabel(std::string& out, std::string_view identifier, std::string_view name) {
    out += identifier;
    out += '_';
    out += name;
}

constexpr std::string_view kEol = "\r\n";

} // namespace zelvik::writer
