#pragma once

// The font held in memory: 256 character slots, the BlankSlot, the common
// y-size and the identifier, plus the bits of program state every command
// consults. Plain records; the operations are free functions below.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvik {

constexpr int kCodeCount = 256;
constexpr int kSlotCount = 257;
constexpr int kBlankSlot = 256;
constexpr int kMatrixEdge = 32;
constexpr int kMatrixBytes = kMatrixEdge * kMatrixEdge;
constexpr int kDefaultXSize = 8;
constexpr int kDefaultYSize = 16;
constexpr int kMinSize = 1;
constexpr int kMaxSize = 32;
constexpr int kMaxNameLength = 31;
constexpr int kMaxIdentifierLength = 255;
constexpr std::string_view kBlankSlotDefaultName = "blank";

// 32 by 32 pixel bytes stored column by column: pixel (x, y) is byte x * 32 + y,
// so every column is one run of 32 bytes, as the font file stores it.
// A byte equal to 1 is ink; anything else is background.
using PixelMatrix = std::array<std::uint8_t, kMatrixBytes>;

constexpr int pixelIndex(int x, int y) {
    return x * kMatrixEdge + y;
}
inline bool pixelSet(const PixelMatrix& m, int x, int y) {
    return m[pixelIndex(x, y)] == 1;
}

// Text fields (names, the identifier) are byte strings in Windows-1250, exactly
// as they are stored in font files and written into generated sources.
struct CharSlot {
    PixelMatrix pixels{};
    int xSize = kDefaultXSize;
    std::string name; // at most kMaxNameLength bytes; empty means undefined

    bool defined() const { return !name.empty(); }
    bool operator==(const CharSlot&) const = default;
};

// The character being edited. Its height is the font's ySize: all
// characters share it, so it is held once.
struct WorkingCharacter {
    PixelMatrix pixels{};
    int xSize = kDefaultXSize;

    bool operator==(const WorkingCharacter&) const = default;
};

struct FontModel {
    std::string fontIdentifier; // at most kMaxIdentifierLength bytes
    int ySize = kDefaultYSize;
    // Rows from the top of the cell down to the baseline, 1 to ySize; read it
    // through fontBaseline(). 0 until one is set: such a font keeps its
    // baseline under the bottom row, wherever a new y-size puts that, as
    // every font did before fonts had a baseline of their own.
    int baseline = 0;
    std::array<CharSlot, kSlotCount> slots{};
    int currentIndex = 0;
    bool characterModified = false;
    bool fontModified = false;
    std::string currentFileName; // name part of the font file, UTF-8

    FontModel() { resetSlots(); }
    void resetSlots();
};

// New-font state: every slot empty with x-size 8, the BlankSlot named "blank",
// y-size 16 with the baseline under its bottom row, no identifier, code 0 current, both flags
// clear. The working character gets x-size 8; its pixels are left for the caller's selection of
// code 0 to load. currentFileName is kept.
void resetFont(FontModel& font, WorkingCharacter& working);

// The font's baseline, 1 to its y-size: the y-size itself unless one was set.
int fontBaseline(const FontModel& font);

// Sets the baseline, clamped to 1..y-size.
void setFontBaseline(FontModel& font, int rows);

// Sets the y-size (clamped to 1-32) and keeps a baseline that was set
// inside the new cell.
void setFontYSize(FontModel& font, int ySize);

// Largest x-size among defined slots 0-256, 0 when none is defined.
int maxDefinedXSize(const FontModel& font);

// Names compare without regard to the case of A-Z only; every other byte must match.
bool namesEqual(std::string_view a, std::string_view b);

// First slot (in increasing order, skipping `except`) whose name equals `name`, or -1.
int findNameClash(const FontModel& font, std::string_view name, int except);

enum class SaveCharacterOutcome { Success, NoName, NameInUse };

struct SaveCharacterResult {
    SaveCharacterOutcome outcome = SaveCharacterOutcome::Success;
    int clashIndex = -1; // with NameInUse: the slot that already holds the name
};

// Stores the working character into slot font.currentIndex under `name`
// (cut to 31 bytes). A non-empty `identifierField` becomes the font identifier
// (cut to 255 bytes). Changes no flag.
SaveCharacterResult saveCharacter(FontModel& font, const WorkingCharacter& working,
                                  std::string_view name, std::string_view identifierField);

// Empties slot `index`: no name, no ink; its x-size stays.
void eraseCharacter(FontModel& font, int index);

// Text of list item `index` as Windows-1250 bytes ("#65  'A' - UA").
std::string listItemText(const FontModel& font, int index);

// Status panel 0 for slot `index`: its key character alone, or
// "'A' - fnt_UA" for a defined slot. Windows-1250 bytes.
std::string currentCharacterText(const FontModel& font, int index);

// The key byte of a slot index: the low 8 bits (0 for the BlankSlot).
inline std::uint8_t keyByte(int index) {
    return static_cast<std::uint8_t>(index & 0xFF);
}

// Size fields are clamped, never refused.
constexpr int clampSize(int v) {
    return v < kMinSize ? kMinSize : (v > kMaxSize ? kMaxSize : v);
}
constexpr int clampCode(int v) {
    return v < 0 ? 0 : (v > kBlankSlot ? kBlankSlot : v);
}

} // namespace zelvik
