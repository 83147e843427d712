// The code, key, name and identifier fields of the character editor. They
// filter keys as they are typed; the code field selects on Enter, the key
// field only fills in the code, and a double-click on the name field puts the
// code's automatic name there.

#include "ui/ApplicationError.h"
#include "app/TForm1.h"
#include "font/Cp1250.h"
#include "generator/AutoSymbolName.h"

#include <QLineEdit>

namespace zelvik {

namespace {

bool isDigitOrBackspace(QChar key) {
    return (key >= u'0' && key <= u'9') || key == u'\b';
}

// Names and identifiers refuse the space and everything beyond ASCII.
bool refusedInIdentifier(QChar key) {
    return key == u' ' || key.unicode() >= 0x80;
}

} // namespace

void TForm1::EditCharCodeKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditCharCode->text().isEmpty())
            EditCharCode->setText(QStringLiteral("0"));
        const auto value = readIntegerField(platform_, this, EditCharCode->text());
        if (!value)
            return;
        const int code = clampCode(*value);
        EditCharCode->setText(QString::number(code));
        EditCharCodeOrd->setText(keyCharacterText(code));
        // currentIndex changes only when the selection goes ahead: declining
        // the question keeps the previous code current, list and fields too.
        SelectCharacter(code);
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::EditCharCodeOrdKeyPress(QChar& key) {
    const auto byte = unicodeToCp1250(key.unicode());
    if (byte && *byte >= 32) {
        EditCharCodeOrd->setText(QString(key));
        EditCharCode->setText(QString::number(*byte));
    }
    key = QChar();
}

void TForm1::EditCharNameKeyPress(QChar& key) {
    if (refusedInIdentifier(key)) {
        key = QChar();
    } else {
        font_.characterModified = true;
        font_.fontModified = true;
    }
    UpdateStatusBar();
}

void TForm1::EditFontPrefixKeyPress(QChar& key) {
    if (refusedInIdentifier(key))
        key = QChar();
    else
        font_.fontModified = true;
    UpdateStatusBar();
}

void TForm1::EditCharNameDblClick() {
    EditCharName->setText(fromCp1250(autoSymbolName(font_.currentIndex)));
    MarkEdited();
}

std::string TForm1::FontPrefixBytes() const {
    // The field holds Windows-1250 text only (see restrictToCp1250).
    return toCp1250Lossy(EditFontPrefix->text());
}

} // namespace zelvik
