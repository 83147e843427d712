#pragma once

// The refusals every export runs before it asks for a file name. Each fails
// with the message to show (caption kGeneratingSourceCaption, warning icon),
// or succeeds when the export may go on.

#include "export/ExportTarget.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <string>
#include <string_view>

namespace zelvik {

constexpr std::string_view kGeneratingSourceCaption = "Generating source ...";
constexpr std::string_view kNoFontNameMessage =
    "Can't generate source file!\nThere is no name for this font!";
constexpr std::string_view kNamelessBlankMessage =
    "Can't generate source file!\nThe blank character #256 has no name!";

// The font identifier field is empty: symbols would have no prefix.
Result<> checkIdentifierField(std::string_view identifierField);

// Some code 0-255 is undefined while the BlankSlot has no name: the table
// entries of those codes would name a label that the output never defines.
Result<> checkBlankSlotName(const FontModel& font);

// The identifier must be a C identifier that is no keyword and none of the
// names the target's output declares itself.
Result<> checkIdentifierName(std::string_view identifier, const ExportTargetInfo& target);

// The identifier, and every label made of it and a character's name, must
// compile: a C identifier that is no keyword and none of the names the
// target's output declares itself. The first bad one is named.
Result<> checkSymbols(const FontModel& font, std::string_view identifier,
                      const ExportTargetInfo& target);

// All checks in the order the export runs them, the target's writer's own
// last. A font file target runs its writer's alone.
Result<> checkExportable(const FontModel& font, std::string_view identifierField,
                         const ExportTargetInfo& target);
// The same for a built-in target.
Result<> checkExportable(const FontModel& font, std::string_view identifierField,
                         ExportTarget target);

// The identifier the writers print: the font's own, or the field's text
// (cut to 255 bytes) while the font has none yet.
std::string exportIdentifier(const FontModel& font, std::string_view identifierField);

} // namespace zelvik
