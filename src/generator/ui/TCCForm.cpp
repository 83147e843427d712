#include "generator/ui/TCCForm.h"

namespace zelvik {

TCCForm::TCCForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CCForm");
    setWindowTitle(QStringLiteral("Customize characters 0x80-0xFF"));
}

} // namespace zelvik
