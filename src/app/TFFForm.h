#pragma once

// Asks which font file version to write when version 1.0 can hold the font.

#include <QDialog>

namespace zelvik {

class TFFForm final : public QDialog {
    Q_OBJECT
public:
    explicit TFFForm(QWidget* parent);
};

} // namespace zelvik
