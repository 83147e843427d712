#include "session/ApplicationError.h"

#include "font/IntegerText.h"
#include "session/PlatformServices.h"

namespace zelvik {

void reportApplicationError(PlatformServices& platform, const QString& message) {
    platform.messageBox(message, kProgramTitle, MessageIcon::Error, MessageButtons::Ok);
}

std::optional<int> readIntegerField(PlatformServices& platform, const QString& text) {
    const auto value = parseInteger(text);
    if (!value)
        reportApplicationError(platform, notAnIntegerMessage(text));
    return value;
}

} // namespace zelvik
