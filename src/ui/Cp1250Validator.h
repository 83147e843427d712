#pragma once

// Keeps a text field within Windows-1250, the only characters a font file
// can store: input that would put any other character into the field (a
// paste, an input method) is refused as a whole and the user is told why.

#include <QValidator>

class QLineEdit;

namespace zelvik {

inline const QString kOnlyCp1250Hint =
    QStringLiteral("Only characters of the Windows-1250 code page can be stored in a font.");

class Cp1250Validator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Installs the validator on `field` and shows kOnlyCp1250Hint just above the
// field whenever it refuses input.
void restrictToCp1250(QLineEdit* field);

} // namespace zelvik
