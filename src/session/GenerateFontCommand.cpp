#include "session/GenerateFontCommand.h"

#include "session/ApplicationError.h"
#include "session/EditingSession.h"

namespace zelvik {

namespace {

// The y-offset a run uses; the field shows the number it was read as.
int takeYOffset(EditingSession& session) {
    FontGeneratorChoices& choices = session.fontGenerator();
    const int fieldOffset = yOffsetFromText(choices.yOffsetText);
    choices.yOffsetText = QString::number(fieldOffset);
    Q_EMIT session.fontGeneratorChanged();
    return choices.addYOffset ? fieldOffset : 0;
}

// Nothing changes when the font dialog is cancelled, except that the
// y-offset field is normalised.
bool renderFont(EditingSession& session, const GlyphSource& glyphs) {
    FontGeneratorChoices& choices = session.fontGenerator();
    const std::vector<std::uint8_t> codes = generationList(choices.codes);
    const int yOffset = takeYOffset(session);
    const std::optional<QFont> accepted =
        session.platform().fontDialog(choices.lastFont.value_or(glyphs.initialFont));
    if (!accepted)
        return false;
    choices.lastFont = *accepted;
    const std::unique_ptr<GlyphRasterizer> rasterizer = glyphs.rasterizerFor(*accepted);
    generateCharacters(session.font(), codes, choices.post, yOffset, *rasterizer);
    session.working().xSize = kMatrixEdge;
    Q_EMIT session.sizesChanged();
    return true;
}

} // namespace

bool generateFontCommand(EditingSession& session, const GlyphSource& glyphs) {
    if (!session.confirmUnsavedChanges(kGenerateFontPrompt))
        return false;
    bool generated = false;
    // The font before and after is one step: a mistaken run can be taken back.
    session.replaceFontAsOneStep(QStringLiteral("Generate font"), [&] {
        FontModel& font = session.font();
        font.characterModified = false;
        resetFont(font, session.working());
        generated = renderFont(session, glyphs);
        font.currentIndex = 0;
        session.refreshFontView();
        // Code 0 is never generated, so its empty slot keeps the width shown
        // before: 32 after a run, the reset 8 after a cancelled font dialog.
        Q_EMIT session.sizesChanged();
    });
    return generated;
}

void enterYOffsetField(EditingSession& session) {
    QString& text = session.fontGenerator().yOffsetText;
    if (text.isEmpty())
        text = QStringLiteral("0");
    // A lone minus sign is reported; the field keeps it.
    if (const std::optional<int> value = readIntegerField(session.platform(), text))
        text = QString::number(clampYOffset(*value));
    Q_EMIT session.fontGeneratorChanged();
}

} // namespace zelvik
