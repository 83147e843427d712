#pragma once

// "Generate font" without its window: the unsaved-changes questions, the
// font dialog and the run over the codes the session's FontGeneratorChoices
// name, as one step that Undo takes back.

#include "generator/GlyphRasterizer.h"

#include <QFont>

#include <functional>
#include <memory>

namespace zelvik {

class EditingSession;

// Where the glyphs come from: the screen's fonts for the program, known
// shapes for tests.
struct GlyphSource {
    // The font dialog's first font until one has been accepted.
    QFont initialFont;
    // The raster that draws a font the font dialog accepted.
    std::function<std::unique_ptr<GlyphRasterizer>(const QFont&)> rasterizerFor;
};

// Resets the font and renders the chosen codes into it. The y-offset field is
// normalised before the font dialog; a cancelled dialog leaves the font reset.
// False when the user stopped at a question or in the font dialog.
bool generateFontCommand(EditingSession& session, const GlyphSource& glyphs);

// Enter in the y-offset field: an empty field becomes 0 and a number is
// clamped to -32..32; other text is reported and stays.
void enterYOffsetField(EditingSession& session);

} // namespace zelvik
