#include "app/TFFForm.h"

namespace zelvik {

TFFForm::TFFForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FFForm");
    setWindowTitle(QStringLiteral("Font file version"));
}

} // namespace zelvik
