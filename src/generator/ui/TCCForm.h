#pragma once

// Picks which of the codes 0x80-0xFF the font generator renders.

#include <QDialog>

namespace zelvik {

class TCCForm final : public QDialog {
    Q_OBJECT
public:
    explicit TCCForm(QWidget* parent);
};

} // namespace zelvik
