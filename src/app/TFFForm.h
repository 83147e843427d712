#pragma once

// Asks which font file version to write when version 1.0 can hold the font.
// The radio captions are set by the caller before each showing.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zelvik {

class TFFForm final : public QDialog {
    Q_OBJECT
public:
    explicit TFFForm(QWidget* parent);

    QLabel* Label1 = nullptr;
    QRadioButton* RB1 = nullptr; // version 1.0
    QRadioButton* RB2 = nullptr; // version 2.0
    QPushButton* BtnOk = nullptr;
    QPushButton* Button1 = nullptr; // Cancel
};

} // namespace zelvik
