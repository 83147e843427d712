#pragma once

// What "Generate font" is set to: the generator group's boxes, the codes
// 0x80-0xFF of the custom characters dialog with the preset it fills them
// from, the y-offset field as typed, and the font last accepted in the font
// dialog. The session holds them for the whole run; the group and the dialog
// show and edit them, and nothing of them is stored on exit.

#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"

#include <QFont>
#include <QString>

#include <optional>

namespace zelvik {

struct FontGeneratorChoices {
    // The four "Characters to generate" boxes; highCodes is the custom set.
    CodeSelection codes;
    // The custom dialog's radio buttons: each showing fills the set from it.
    HighCodePreset customPreset = HighCodePreset::All;
    PostProcessing post;
    bool addYOffset = true;
    // The field's text, which may be no number while it is typed.
    QString yOffsetText = QStringLiteral("0");
    // The font dialog starts from it; nothing until a font was accepted.
    std::optional<QFont> lastFont;
};

} // namespace zelvik
