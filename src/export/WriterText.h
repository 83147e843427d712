#pragma once

// Small text pieces the writers share. Everything is appended to one string;
// generating a full font is a hot path (tens of thousands of bytes), so no
// printf per byte.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zelvik::writer {

inline void appendInt(std::string& out, int value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// Appends what `write` writes from the pointer it gets to the one it returns,
// at most `most` characters. For long lists of numbers, where appending piece
// by piece would cost more than the numbers.
template <class Write> void appendDirect(std::string& out, std::size_t most, Write&& write) {
    const std::size_t start = out.size();
    out.resize(start + most);
    char* const begin = out.data() + start;
    char* const end = write(begin);
    out.resize(start + static_cast<std::size_t>(end - begin));
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

// Every byte value in C hex, as printf's "0x%02X" and "0x%x" write it.
struct HexTexts {
    char upper[256][4];
    char lower[256][4];
    std::uint8_t lowerSize[256];
    constexpr HexTexts() : upper(), lower(), lowerSize() {
        constexpr char kUpper[] = "0123456789ABCDEF";
        constexpr char kLower[] = "0123456789abcdef";
        for (int v = 0; v < 256; ++v) {
            upper[v][0] = lower[v][0] = '0';
            upper[v][1] = lower[v][1] = 'x';
            upper[v][2] = kUpper[v >> 4];
            upper[v][3] = kUpper[v & 15];
            const bool two = v >= 16;
            lower[v][2] = kLower[two ? v >> 4 : v];
            lower[v][3] = two ? kLower[v & 15] : '\0';
            lowerSize[v] = two ? 4 : 3;
        }
    }
};
inline constexpr HexTexts kHexTexts{};

enum class HexCase { Upper, Lower };

// A C array's bytes in hex, `perLine` to a line, each line indented by four
// spaces, a comma after every byte but the last: "    0x1, 0x2,\n    0x3".
inline void appendHexBytes(std::string& out, const std::uint8_t* bytes, std::size_t count,
                           int perLine, HexCase hexCase) {
    const std::size_t lines = count / static_cast<std::size_t>(perLine) + 1;
    appendDirect(out, 6 * count + 4 * lines, [&](char* at) {
        for (std::size_t i = 0, column = 0; i < count; ++i) {
            if (column == 0)
                at = std::fill_n(at, 4, ' ');
            else
                *at++ = ' ';
            const std::uint8_t b = bytes[i];
            // Four characters, the room every byte has, then the length.
            const bool upper = hexCase == HexCase::Upper;
            std::memcpy(at, upper ? kHexTexts.upper[b] : kHexTexts.lower[b], 4);
            at += upper ? 4 : kHexTexts.lowerSize[b];
            if (++column == static_cast<std::size_t>(perLine))
                column = 0;
            if (i + 1 < count) {
                *at++ = ',';
                if (column == 0)
                    *at++ = '\n';
            }
        }
        return at;
    });
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
