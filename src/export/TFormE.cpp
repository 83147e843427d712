#include "export/TFormE.h"

namespace zelvik {

TFormE::TFormE(QWidget* parent) : QDialog(parent) {
    setObjectName("FormE");
    setWindowTitle(QStringLiteral("Font data export settings"));
}

} // namespace zelvik
