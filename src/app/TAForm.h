#pragma once

// The about box, also shown briefly at start-up.

#include <QDialog>

namespace zelvik {

class TAForm final : public QDialog {
    Q_OBJECT
public:
    explicit TAForm(QWidget* parent);
};

} // namespace zelvik
