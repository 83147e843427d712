#pragma once

// "Import font...": a BDF font, an Adafruit GFX header or a u8g2 font source
// made the font, whichever the chosen file holds. It asks through the
// session's desktop services and remembers its folder in DialogFolders::bdfPath.

#include <QString>

namespace zelvik {

class EditingSession;

// One filter for every kind together, one for each kind, and all files.
QString importFilter();

// Runs the unsaved-changes questions as Open does, asks for a font file and
// makes its characters the font, as one step that Undo takes back. The font
// is then modified and has no file name, so Save font asks where to put it.
// Of a file with several fonts, the first is taken. Returns the summary of
// what was taken, cut and skipped, or an empty text when nothing was
// imported (the messages were shown).
QString importFontCommand(EditingSession& session);

} // namespace zelvik
