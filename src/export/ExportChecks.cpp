#include "export/ExportChecks.h"

namespace zelvik {

std::optional<std::string> checkIdentifierField(std::string_view identifierField) {
    if (identifierField.empty())
        return std::string(kNoFontNameMessage);
    return std::nullopt;
}

std::optional<std::string> checkBlankSlotName(const FontModel& font) {
    if (font.slots[kBlankSlot].defined())
        return std::nullopt;
    for (int code = 0; code < kCodeCount; ++code) {
        if (!font.slots[code].defined())
            return std::string(kNamelessBlankMessage);
    }
    return std::nullopt;
}

std::optional<std::string> checkExportable(const FontModel& font,
                                           std::string_view identifierField) {
    if (auto message = checkIdentifierField(identifierField))
        return message;
    return checkBlankSlotName(font);
}

std::string exportIdentifier(const FontModel& font, std::string_view identifierField) {
    if (!font.fontIdentifier.empty())
        return font.fontIdentifier;
    return std::string(identifierField.substr(0, kMaxIdentifierLength));
}

} // namespace zelvik
