#include "export/DisplayPreset.h"

#include <algorithm>
#include <array>

namespace zelvik {

namespace {

// Vertical bytes with nothing else set: one byte is eight rows of a column,
// the top row in bit 0, and a taller column continues in the next byte.
constexpr ExportOptions kPageColumns{};

const std::array<DisplayPreset, 7>& registry() {
    static const std::array<DisplayPreset, 7> presets = {{
        {"custom", QStringLiteral("Custom"), {}},
        // SSD1306 datasheet, "Graphic Display Data RAM": 128 x 64 bits in
        // eight pages; a data byte fills one column of the current page, D0 in
        // the page's top row (COM0 side), D7 in its bottom row. SH1106: the
        // same page layout over 132 columns.
        {"ssd1306", QStringLiteral("SSD1306/SH1106"), kPageColumns},
        // ST7565R / ST7567 datasheets, "Display Data RAM": pages of eight
        // lines; each byte written is one column of the page, D0 at the top
        // line with the normal common output direction.
        {"st7565", QStringLiteral("ST7565/ST7567"), kPageColumns},
        // PCD8544 datasheet, "DDRAM": 6 banks of 8 rows by 84 columns; a data
        // byte is a vertical column of a bank, MSB at the bottom.
        {"pcd8544", QStringLiteral("PCD8544"), kPageColumns},
        // KS0108B datasheet, "Display data RAM": 64 x 64 per chip in eight
        // pages; DB0 of a written byte is the top line of the page.
        {"ks0108", QStringLiteral("KS0108"), kPageColumns},
        // ST7920 datasheet, "Graphic display RAM": 16-bit words along a row,
        // written high byte first, D15 the leftmost dot. Rows of bytes read
        // left to right from bit 7, in reading order.
        {"st7920",
         QStringLiteral("ST7920"),
         {.vertical = false, .rightSideToLSB = true, .alignToMSB = true, .bigEndian = true}},
        // SHARP memory LCDs (LS013B7DH03, LS027B7DH01 data sheets): a line is
        // sent as its pixel bits, the first one the leftmost pixel, LSB of each
        // byte first; a 1 is white (reflective) and a 0 black, so ink is 0.
        {"sharp-memory",
         QStringLiteral("SHARP memory LCD"),
         {.vertical = false, .invertColors = true}},
    }};
    return presets;
}

} // namespace

std::span<const DisplayPreset> displayPresets() {
    return registry();
}

const DisplayPreset* displayPresetNamed(std::string_view cliName) {
    const auto presets = displayPresets();
    const auto found =
        std::find_if(presets.begin(), presets.end(),
                     [cliName](const DisplayPreset& p) { return p.cliName == cliName; });
    return found == presets.end() ? nullptr : &*found;
}

const DisplayPreset* displayPresetMatching(const ExportOptions& options) {
    for (const DisplayPreset& preset : displayPresets()) {
        if (!preset.custom() && preset.options == options)
            return &preset;
    }
    return nullptr;
}

} // namespace zelvik
