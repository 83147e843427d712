#include "export/ExportChecks.h"

namespace zelvik {

namespace {

Result refused(std::string_view message) {
    return Result::fail(
        Failure::Refused,
        QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())));
}

} // namespace

Result checkIdentifierField(std::string_view identifierField) {
    if (identifierField.empty())
        return refused(kNoFontNameMessage);
    return Result::success();
}

Result checkBlankSlotName(const FontModel& font) {
    if (font.slots[kBlankSlot].defined())
        return Result::success();
    for (int code = 0; code < kCodeCount; ++code) {
        if (!font.slots[code].defined())
            return refused(kNamelessBlankMessage);
    }
    return Result::success();
}

Result checkExportable(const FontModel& font, std::string_view identifierField) {
    if (Result field = checkIdentifierField(identifierField); !field)
        return field;
    return checkBlankSlotName(font);
}

std::string exportIdentifier(const FontModel& font, std::string_view identifierField) {
    if (!font.fontIdentifier.empty())
        return font.fontIdentifier;
    return std::string(identifierField.substr(0, kMaxIdentifierLength));
}

} // namespace zelvik
