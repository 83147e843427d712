#include "ui/ApplicationError.h"

#include "session/PlatformServices.h"
#include "font/IntegerText.h"

namespace zelvik {

void reportApplicationError(PlatformServices& platform, QWidget* parent, const QString& message) {
    platform.messageBox(parent, message, kProgramTitle, MessageIcon::Error, MessageButtons::Ok);
}

std::optional<int> readIntegerField(PlatformServices& platform, QWidget* parent,
                                    const QString& text) {
    const auto value = parseInteger(text);
    if (!value)
        reportApplicationError(platform, parent, notAnIntegerMessage(text));
    return value;
}

} // namespace zelvik
