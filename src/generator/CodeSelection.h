#pragma once

// Which character codes a generation run renders, and in which order: three
// fixed ranges of 0x20-0x7F and a free choice among 0x80-0xFF.

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace zelvik {

constexpr int kFirstHighCode = 0x80;
constexpr int kHighCodeCount = 128;

// Bit i stands for code 0x80 + i.
using HighCodeSelection = std::bitset<kHighCodeCount>;

enum class HighCodePreset { All, Czech };

// The Czech letters with caron, acute and ring of Windows-1250, the three
// accent signs and 0xFF (the dot above), in the order users know them.
// The no-break space 0xA0 is not among them.
extern const std::array<std::uint8_t, 34> kCzechPreset;

HighCodeSelection presetSelection(HighCodePreset preset);

struct CodeSelection {
    bool letters = true;  // A-Z and a-z
    bool digits = true;   // 0-9
    bool specials = true; // the rest of 0x20-0x7F
    bool high = false;    // 0x80-0xFF, those `highCodes` holds
    HighCodeSelection highCodes = presetSelection(HighCodePreset::All);
};

// The codes to render, each once: A, a, B, b ... Z, z; then 0-9; then
// 0x20-0x2F, 0x3A-0x40, 0x5B-0x60, 0x7B-0x7F; then the chosen codes
// 0x80-0xFF in ascending order. Codes below 0x20 are never rendered.
std::vector<std::uint8_t> generationList(const CodeSelection& selection);

} // namespace zelvik
