#pragma once

// The program's top-level error report: an error that no workflow handles
// itself (a pasted text that is no number, an exception escaping a handler)
// ends up in one error box captioned with the program title, and the action
// that raised it stops without change.

#include <QString>

#include <optional>

namespace zelvik {

class PlatformServices;

inline const QString kProgramTitle = QStringLiteral("Zelvik");

void reportApplicationError(PlatformServices& platform, const QString& message);

// The number in a field's text; text that is no 32-bit decimal number is
// reported as "'<text>' is not a valid integer value" and gives nothing.
std::optional<int> readIntegerField(PlatformServices& platform, const QString& text);

} // namespace zelvik
