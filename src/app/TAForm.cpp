#include "app/TAForm.h"

namespace zelvik {

TAForm::TAForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AForm");
    // No caption: the box is borderless.
}

} // namespace zelvik
