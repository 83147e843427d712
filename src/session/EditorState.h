#pragma once

// What a step of the edit history puts back. EditorState is the editor as the
// user saw it: the current code, the working character, the y-size, the
// baseline and the texts of the name and identifier fields. FontImage is the font itself, for
// the steps that replace all of it; it keeps only the slots that hold
// anything, so a font of a hundred characters costs a hundred slots, not 257.

#include "font/FontModel.h"

#include <string>
#include <utility>
#include <vector>

namespace zelvik {

struct EditorState {
    int currentIndex = 0;
    WorkingCharacter working;
    int ySize = kDefaultYSize;
    int baseline = 0; // as FontModel holds it: 0 when none was set
    // The x-size the character had when it was selected. An undefined slot
    // has no width of its own (the editor keeps the one shown before it), so
    // the working character is compared with this width, not the slot's.
    int selectedXSize = kDefaultXSize;
    std::string nameField;       // Windows-1250
    std::string identifierField; // Windows-1250

    bool operator==(const EditorState&) const = default;
};

struct FontImage {
    std::string fontIdentifier;
    int ySize = kDefaultYSize;
    int baseline = 0;
    // Slot index and contents of every slot that differs from an empty one.
    std::vector<std::pair<int, CharSlot>> slots;

    static FontImage of(const FontModel& font);
    // Puts the identifier, the y-size, the baseline and all 257 slots into `font`; the
    // current code, the flags and the file name stay.
    void applyTo(FontModel& font) const;

    bool operator==(const FontImage&) const = default;
};

} // namespace zelvik
