#include "font/FontModel.h"

#include <algorithm>
#include <cstdio>

namespace zelvik {

void FontModel::resetSlots() {
    for (auto& slot : slots) {
        slot.name.clear();
        slot.xSize = kDefaultXSize;
        slot.pixels.fill(0);
    }
    slots[kBlankSlot].name = std::string(kBlankSlotDefaultName);
}

void resetFont(FontModel& font, WorkingCharacter& working) {
    font.resetSlots();
    working.xSize = kDefaultXSize;
    font.ySize = kDefaultYSize;
    font.baseline = 0;
    font.fontIdentifier.clear();
    font.currentIndex = 0;
    font.characterModified = false;
    font.fontModified = false;
}

int fontBaseline(const FontModel& font) {
    const int ySize = clampSize(font.ySize);
    return font.baseline > 0 ? std::min(font.baseline, ySize) : ySize;
}

void setFontBaseline(FontModel& font, int rows) {
    font.baseline = std::clamp(rows, kMinSize, clampSize(font.ySize));
}

void setFontYSize(FontModel& font, int ySize) {
    font.ySize = clampSize(ySize);
    if (font.baseline > font.ySize)
        font.baseline = font.ySize;
}

int maxDefinedXSize(const FontModel& font) {
    int widest = 0;
    for (const auto& slot : font.slots) {
        if (slot.defined())
            widest = std::max(widest, slot.xSize);
    }
    return widest;
}

static char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool namesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

int findNameClash(const FontModel& font, std::string_view name, int except) {
    for (int n = 0; n < kSlotCount; ++n) {
        if (n != except && namesEqual(name, font.slots[n].name))
            return n;
    }
    return -1;
}

SaveCharacterResult saveCharacter(FontModel& font, const WorkingCharacter& working,
                                  std::string_view name, std::string_view identifierField) {
    name = name.substr(0, kMaxNameLength);
    if (name.empty())
        return {SaveCharacterOutcome::NoName, -1};
    const int clash = findNameClash(font, name, font.currentIndex);
    if (clash >= 0)
        return {SaveCharacterOutcome::NameInUse, clash};
    CharSlot& slot = font.slots[font.currentIndex];
    slot.name = std::string(name);
    slot.xSize = working.xSize;
    if (!identifierField.empty())
        font.fontIdentifier = std::string(identifierField.substr(0, kMaxIdentifierLength));
    slot.pixels = working.pixels;
    return {SaveCharacterOutcome::Success, -1};
}

void eraseCharacter(FontModel& font, int index) {
    CharSlot& slot = font.slots[index];
    slot.name.clear();
    slot.pixels.fill(0);
}

std::string listItemText(const FontModel& font, int index) {
    if (index == kBlankSlot)
        return "#<blank> - blank";
    const CharSlot& slot = font.slots[index];
    const char shown = index < 32 ? ' ' : static_cast<char>(index);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "#%-3d '%c' - ", index, shown);
    return std::string(buffer) + (slot.defined() ? slot.name : std::string("<blank>"));
}

std::string currentCharacterText(const FontModel& font, int index) {
    const CharSlot& slot = font.slots[index];
    const char key = static_cast<char>(keyByte(index));
    std::string keyText = key == 0 ? std::string() : std::string(1, key);
    if (!slot.defined())
        return keyText;
    return "'" + keyText + "' - " + font.fontIdentifier + "_" + slot.name;
}

} // namespace zelvik
