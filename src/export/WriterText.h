#pragma once

// Small text pieces the writers share. Everything is appended to one string;
// generating a full font is a hot path (tens of thousands of bytes), so no
// printf per byte.

#include "export/ExportStatistics.h"
#include "font/FontModel.h"

#include <algorithm>
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

// Room for a whole output, so that it is built without reallocations:
// `perByte` characters for every data byte, plus table and label lines.
inline std::size_t estimatedSize(const FontModel& font, int ySize, bool vertical, int perByte) {
    std::size_t total = 4096 + 256 * (2 * font.fontIdentifier.size() + 48);
    for (const CharSlot& slot : font.slots) {
        if (!slot.defined())
            continue;
        const int w = clampSize(slot.xSize);
        const int n = vertical ? (ySize + 7) / 8 : (w + 7) / 8;
        total += 2 * (font.fontIdentifier.size() + slot.name.size()) + 64 +
                 static_cast<std::size_t>((vertical ? w : ySize) * n) * (perByte + 2);
    }
    return total;
}

constexpr std::string_view kEol = "\r\n";

// The assembler pointer table: "I:" and one word per code 0-255, each line
// `directive` + "I_N" + `suffix` + "\t;" + the code left-aligned in three
// columns, then an empty line. Counts the defined codes, the widest of them
// and two compiled bytes per word.
inline void appendAssemblerTable(std::string& out, const FontModel& font, std::string_view id,
                                 std::string_view directive, std::string_view suffix,
                                 ExportStatistics& stats) {
    out += id;
    out += ':';
    for (int code = 0; code < kCodeCount; ++code) {
        const CharSlot& slot = font.slots[code];
        if (slot.defined()) {
            ++stats.characters;
            stats.maxXSize = std::max(stats.maxXSize, clampSize(slot.xSize));
        }
        stats.compiledSize += 2;
        out += directive;
        appendLabel(out, id, tableEntryName(font, code));
        out += suffix;
        out += "\t;";
        appendIntLeft(out, code, 3);
        out += kEol;
    }
    out += kEol;
}

} // namespace zelvik::writer
