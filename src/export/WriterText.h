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

// printf's "%Nd": the number right-aligned in a field of `width` characters.
inline void appendIntRight(std::string& out, int value, int width) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const auto written = static_cast<int>(end - buffer);
    if (written < width)
        out.append(static_cast<std::size_t>(width - written), ' ');
    out.append(buffer, end);
}

// printf's "%0NX": upper-case hex digits, at least `digits` of them (at most 8).
inline void appendHexUpper(std::string& out, unsigned value, int digits) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[8];
    int n = 0;
    do {
        buffer[n++] = kDigits[value & 15u];
        value >>= 4;
    } while (value != 0 || n < digits);
    while (n > 0)
        out += buffer[--n];
}

// printf's "0x%x".
inline void appendHexLower(std::string& out, unsigned value) {
    char buffer[10] = {'0', 'x'};
    const auto end = std::to_chars(buffer + 2, buffer + sizeof buffer, value, 16).ptr;
    out.append(buffer, end);
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
