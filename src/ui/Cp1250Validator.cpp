#include "ui/Cp1250Validator.h"

#include "font/Cp1250.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace zelvik {

namespace {

// The hint stays for seconds. Below the field it would lie over the buttons
// of a small dialog (OK and Cancel of the sample text), and the first click on
// one would only close the hint; so it goes above the field, its bottom edge
// on the field's top edge, and down only as far as the screen's top makes it.
void showHintAbove(QLineEdit* field) {
    const QPoint fieldTop = field->mapToGlobal(QPoint(0, 0));
    QToolTip::showText(fieldTop, kOnlyCp1250Hint, field);
    const int screenTop = field->screen()->availableGeometry().top();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // Qt's tooltip is a top-level label of this class.
        if (widget->inherits("QTipLabel") && widget->isVisible())
            widget->move(widget->x(), std::max(screenTop, fieldTop.y() - widget->height()));
    }
}

} // namespace

QValidator::State Cp1250Validator::validate(QString& input, int&) const {
    return toCp1250(input) ? Acceptable : Invalid;
}

void restrictToCp1250(QLineEdit* field) {
    field->setValidator(new Cp1250Validator(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        // A full field refuses every key; that needs no explanation.
        if (field->text().size() < field->maxLength())
            showHintAbove(field);
    });
}

} // namespace zelvik
