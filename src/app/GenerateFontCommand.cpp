// "Generate font": the generator group and the custom characters dialog show
// and edit the session's FontGeneratorChoices; session/GenerateFontCommand
// runs the generator with the screen's fonts.

#include "session/GenerateFontCommand.h"
#include "app/TForm1.h"
#include "generator/QtGlyphRasterizer.h"
#include "generator/ui/TCCForm.h"

#include <QCheckBox>
#include <QLineEdit>

namespace zelvik {

namespace {

// The font dialog's first font is Tahoma, 11 pixels high on this screen. The
// dialog speaks points, the result is seen in pixels.
GlyphSource screenGlyphs(const TForm1& form) {
    const double dpi = form.logicalDpiY();
    GlyphSource glyphs;
    glyphs.initialFont = QFont(QStringLiteral("Tahoma"));
    glyphs.initialFont.setPointSizeF(pointSizeFor(11, dpi));
    glyphs.rasterizerFor = [dpi](const QFont& chosen) -> std::unique_ptr<GlyphRasterizer> {
        return std::make_unique<QtGlyphRasterizer>(drawingFont(chosen, pixelSizeOn(chosen, dpi)));
    };
    return glyphs;
}

} // namespace

void TForm1::connectGenerator() {
    FontGeneratorChoices& choices = session_.fontGenerator();
    const auto bind = [this](QCheckBox* box, bool& choice) {
        connect(box, &QCheckBox::toggled, this, [&choice](bool on) { choice = on; });
    };
    bind(CBgc_AZaz, choices.codes.letters);
    bind(CBgc_09, choices.codes.digits);
    bind(CBgc_sx20x7F, choices.codes.specials);
    bind(CBgc_Sx80xFF, choices.codes.high);
    bind(CBalign, choices.post.alignLeft);
    bind(CBcut, choices.post.minimumXSize);
    bind(CBnotalign09, choices.post.keepDigitBearing);
    bind(CBgfYofs, choices.addYOffset);
    connect(EgfYofs, &QLineEdit::textChanged, this,
            [&choices](const QString& text) { choices.yOffsetText = text; });
    connect(&session_, &EditingSession::fontGeneratorChanged, this,
            [this] { showGeneratorChoices(); });
    showGeneratorChoices();
}

void TForm1::showGeneratorChoices() {
    // Each control echoes what it is given into the choices: show a copy.
    const FontGeneratorChoices shown = session_.fontGenerator();
    CBgc_AZaz->setChecked(shown.codes.letters);
    CBgc_09->setChecked(shown.codes.digits);
    CBgc_sx20x7F->setChecked(shown.codes.specials);
    CBgc_Sx80xFF->setChecked(shown.codes.high);
    CBalign->setChecked(shown.post.alignLeft);
    CBcut->setChecked(shown.post.minimumXSize);
    CBnotalign09->setChecked(shown.post.keepDigitBearing);
    CBgfYofs->setChecked(shown.addYOffset);
    // Setting the same text again would move the cursor to the end.
    if (EgfYofs->text() != shown.yOffsetText)
        EgfYofs->setText(shown.yOffsetText);
}

void TForm1::BtnGenfontClick() {
    generateFontCommand(session_, screenGlyphs(*this));
}

void TForm1::BtnSpecCustomClick() {
    if (dialogs.CCForm)
        platform().execDialog(*dialogs.CCForm);
}

void TForm1::EgfYofsKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        enterYOffsetField(session_);
    } else if (!(key.isDigit() && key.unicode() < 0x80) && key != u'-' && key != u'\b') {
        key = QChar();
    }
}

} // namespace zelvik
