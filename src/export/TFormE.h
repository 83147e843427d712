#pragma once

// The export settings dialog: source type, byte orientation and packing choices.

#include <QDialog>

namespace zelvik {

class TFormE final : public QDialog {
    Q_OBJECT
public:
    explicit TFormE(QWidget* parent);
};

} // namespace zelvik
