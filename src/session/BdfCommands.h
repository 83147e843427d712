#pragma once

// "Export BDF font...": the editor's door out to the interchange format of
// bitmap fonts ("Import font..." reads it back). It asks through the
// session's desktop services and remembers its folder in DialogFolders::bdfPath.

#include "font/Result.h"

#include <QString>

namespace zelvik {

class EditingSession;

inline const QString kBdfFilter = QStringLiteral("BDF fonts (*.bdf)|*.bdf|All files (*.*)|*.*");

// Asks for a file name and writes the stored characters as BDF, with the
// identifier field's text (or the font's) as its name.
Result exportBdfFontCommand(EditingSession& session);

} // namespace zelvik
