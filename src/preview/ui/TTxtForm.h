#pragma once

// Asks for the text of the sample strip.

#include <QDialog>

namespace zelvik {

class TTxtForm final : public QDialog {
    Q_OBJECT
public:
    explicit TTxtForm(QWidget* parent);
};

} // namespace zelvik
