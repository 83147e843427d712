#include "ui/Cp1250Validator.h"

#include "font/Cp1250.h"

#include <QLineEdit>
#include <QToolTip>

namespace zelvik {

QValidator::State Cp1250Validator::validate(QString& input, int&) const {
    return toCp1250(input) ? Acceptable : Invalid;
}

void restrictToCp1250(QLineEdit* field) {
    field->setValidator(new Cp1250Validator(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        // A full field refuses every key; that needs no explanation.
        if (field->text().size() < field->maxLength())
            QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), kOnlyCp1250Hint,
                               field);
    });
}

} // namespace zelvik
