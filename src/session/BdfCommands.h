#pragma once

// "Import BDF font..." and "Export BDF font...": the editor's doors to the
// interchange format of bitmap fonts. Both ask through the session's desktop
// services and remember their folder in DialogFolders::bdfFolder.

#include "font/Result.h"

#include <QString>

namespace zelvik {

class EditingSession;

inline const QString kBdfFilter = QStringLiteral("BDF fonts (*.bdf)|*.bdf|All files (*.*)|*.*");

// Runs the unsaved-changes questions as Open does, asks for a BDF file and
// makes its characters the font, as one step that Undo takes back. The font
// is then modified and has no file name, so Save font asks where to put it.
// Returns the summary of what was taken, cut and skipped, or an empty text
// when nothing was imported (the messages were shown).
QString importBdfFontCommand(EditingSession& session);

// Asks for a file name and writes the stored characters as BDF, with the
// identifier field's text (or the font's) as its name.
Result<> exportBdfFontCommand(EditingSession& session);

} // namespace zelvik
