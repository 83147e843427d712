// "Generate font": a new font rendered from a system font, the choice of codes
// for it and the y-offset field of the generator group.

#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"
#include "generator/QtGlyphRasterizer.h"
#include "generator/ui/TCCForm.h"
#include "session/ApplicationError.h"

#include <QCheckBox>
#include <QLineEdit>

namespace zelvik {

namespace {

// The font dialog's first font: Tahoma, 11 pixels high on this screen. The
// dialog speaks points, the result is seen in pixels.
QFont initialGeneratorFont(const TForm1& form) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSizeFor(11, form.logicalDpiY()));
    return font;
}

CodeSelection codeSelection(const TForm1& form) {
    CodeSelection selection;
    selection.letters = form.CBgc_AZaz->isChecked();
    selection.digits = form.CBgc_09->isChecked();
    selection.specials = form.CBgc_sx20x7F->isChecked();
    selection.high = form.CBgc_Sx80xFF->isChecked();
    if (form.dialogs.CCForm)
        selection.highCodes = form.dialogs.CCForm->CustomSelection();
    return selection;
}

// Renders the chosen codes into the (reset) font. Nothing changes when the
// font dialog is cancelled, except that the y-offset field is normalised.
void GenerateFont(TForm1& form) {
    const std::vector<std::uint8_t> codes = generationList(codeSelection(form));

    if (form.EgfYofs->text().isEmpty())
        form.EgfYofs->setText(QStringLiteral("0"));
    const int fieldOffset = yOffsetFromText(form.EgfYofs->text());
    form.EgfYofs->setText(QString::number(fieldOffset));
    const int yOffset = form.CBgfYofs->isChecked() ? fieldOffset : 0;

    const std::optional<QFont> accepted =
        form.platform().fontDialog(form.FD1.value_or(initialGeneratorFont(form)));
    if (!accepted)
        return;
    form.FD1 = *accepted;

    PostProcessing post;
    post.alignLeft = form.CBalign->isChecked();
    post.keepDigitBearing = form.CBnotalign09->isChecked();
    post.minimumXSize = form.CBcut->isChecked();
    QtGlyphRasterizer rasterizer(
        drawingFont(*accepted, pixelSizeOn(*accepted, form.logicalDpiY())));
    generateCharacters(form.fontModel(), codes, post, yOffset, rasterizer);

    form.working().xSize = kMatrixEdge;
    form.fontModel().ySize = kGeneratedYSize;
    form.ShowSizes();
}

} // namespace

void TForm1::BtnGenfontClick() {
    if (!ConfirmUnsavedChanges(kGenerateFontPrompt))
        return;
    // The font before and after is one step: a mistaken run can be taken back.
    session_.replaceFontAsOneStep(QStringLiteral("Generate font"), [this] {
        FontModel& font = fontModel();
        font.characterModified = false;
        resetFont(font, working());
        GenerateFont(*this);
        font.currentIndex = 0;
        DrawMatrix->update();
        RefreshFontView();
        // Code 0 is never generated, so its empty slot keeps the width shown
        // before: 32 after a run, the reset 8 after a cancelled font dialog.
        ShowXSize(working().xSize);
        UpdateStatusBar();
    });
}

void TForm1::BtnSpecCustomClick() {
    if (dialogs.CCForm)
        platform().execDialog(*dialogs.CCForm);
}

void TForm1::EgfYofsKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EgfYofs->text().isEmpty())
            EgfYofs->setText(QStringLiteral("0"));
        // A lone minus sign is reported; the field keeps it.
        const auto value = readIntegerField(platform(), EgfYofs->text());
        if (value)
            EgfYofs->setText(QString::number(clampYOffset(*value)));
    } else if (!(key.isDigit() && key.unicode() < 0x80) && key != u'-' && key != u'\b') {
        key = QChar();
    }
}

} // namespace zelvik
