#include "generator/CodeSelection.h"

namespace zelvik {

const std::array<std::uint8_t, 34> kCzechPreset = {
    0x8A, 0x8D, 0x8E, 0x9A, 0x9D, 0x9E, 0xA1, 0xB0, 0xB4, 0xFF, 0xC1, 0xC8,
    0xC9, 0xCC, 0xCD, 0xCF, 0xD2, 0xD3, 0xD8, 0xD9, 0xDA, 0xDD, 0xE1, 0xE8,
    0xE9, 0xEC, 0xED, 0xEF, 0xF2, 0xF3, 0xF8, 0xF9, 0xFA, 0xFD,
};

HighCodeSelection presetSelection(HighCodePreset preset) {
    HighCodeSelection selection;
    if (preset == HighCodePreset::All) {
        selection.set();
        return selection;
    }
    for (std::uint8_t code : kCzechPreset)
        selection.set(code - kFirstHighCode);
    return selection;
}

std::vector<std::uint8_t> generationList(const CodeSelection& selection) {
    std::vector<std::uint8_t> codes;
    codes.reserve(224);
    const auto addRange = [&](int first, int last) {
        for (int c = first; c <= last; ++c)
            codes.push_back(static_cast<std::uint8_t>(c));
    };
    if (selection.letters) {
        for (int i = 0; i < 26; ++i) {
            codes.push_back(static_cast<std::uint8_t>('A' + i));
            codes.push_back(static_cast<std::uint8_t>('a' + i));
        }
    }
    if (selection.digits)
        addRange('0', '9');
    if (selection.specials) {
        addRange(0x20, 0x2F);
        addRange(0x3A, 0x40);
        addRange(0x5B, 0x60);
        addRange(0x7B, 0x7F);
    }
    if (selection.high) {
        for (int i = 0; i < kHighCodeCount; ++i) {
            if (selection.highCodes.test(i))
                codes.push_back(static_cast<std::uint8_t>(kFirstHighCode + i));
        }
    }
    return codes;
}

} // namespace zelvik
