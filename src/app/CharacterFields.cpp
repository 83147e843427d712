// The code, key, name and identifier fields of the character editor. They
// filter keys as they are typed; the code field selects on Enter, the key
// field only fills in the code, and a double-click on the name field puts the
// code's automatic name there.

#include "app/TForm1.h"
#include "font/Cp1250.h"
#include "session/ApplicationError.h"

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
        const auto value = readIntegerField(platform_, EditCharCode->text());
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
    if (refusedInIdentifier(key))
        key = QChar();
    else
        session_.markEdited();
    UpdateStatusBar();
}

void TForm1::EditFontPrefixKeyPress(QChar& key) {
    if (refusedInIdentifier(key))
        key = QChar();
    else
        session_.markFontEdited();
    UpdateStatusBar();
}

void TForm1::EditCharNameDblClick() {
    session_.autoName();
}

std::string TForm1::FontPrefixBytes() const {
    return session_.identifierField();
}

} // namespace zelvik
