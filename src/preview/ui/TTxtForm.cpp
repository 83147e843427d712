#include "preview/ui/TTxtForm.h"

namespace zelvik {

TTxtForm::TTxtForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TxtForm");
    setWindowTitle(QStringLiteral("Sample text"));
}

} // namespace zelvik
