#pragma once

// The recovery copy: the whole editing session as it stood a moment after the
// last edit, kept while the font has unsaved changes so that a crash, a kill
// or a power cut loses nothing. It is no font file: its own magic, every slot
// with its pixels packed eight to a byte, the working character, the field
// texts, the flags and, last, a checksum of everything before it. The reader
// takes only a copy it could have written itself.

#include "font/FontModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelvik {

// Beside the copy in its folder; the file dialogs never offer it.
constexpr std::string_view kRecoveryCopySuffix = ".zelvik-recovery";
// A copy that cannot be read is kept under its own name with this added.
constexpr std::string_view kDamagedRecoveryCopySuffix = ".damaged";

struct RecoveryCopy {
    // The font with its slots, identifier, y-size, baseline, current code,
    // both flags and file name.
    FontModel font;
    WorkingCharacter working;
    // The width the current character had when it was selected.
    int selectedXSize = kDefaultXSize;
    std::string nameField;       // Windows-1250
    std::string identifierField; // Windows-1250
    // When the session was last changed, in milliseconds since 1970 (UTC).
    std::int64_t lastChanged = 0;
};

std::string serializeRecoveryCopy(const RecoveryCopy& copy);

// The session the bytes hold, or nothing unless they are a whole, sound copy:
// right magic, every size, index and length within its limits, pixels 0 or
// 1, nothing after the checksum and the checksum matching. Never reads
// outside `bytes`.
std::unique_ptr<RecoveryCopy> parseRecoveryCopy(std::string_view bytes);

} // namespace zelvik
