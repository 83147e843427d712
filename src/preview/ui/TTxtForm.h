#pragma once

// Asks for the text of the sample strip. The text is at most 128 characters
// of Windows-1250; Enter closes the dialog with OK.

#include <QDialog>

#include <string>
#include <string_view>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvik {

class TTxtForm final : public QDialog {
    Q_OBJECT
public:
    explicit TTxtForm(QWidget* parent);

    // Puts the sample text (Windows-1250 bytes) into the field before a showing.
    void setSampleText(std::string_view text);
    // The field's text as Windows-1250 bytes, at most 128 of them.
    std::string sampleText() const;

    // Every character typed into EditText; may cancel it by setting it to 0.
    void EditTextKeyPress(QChar& key);

    QLabel* Label1 = nullptr;
    QLineEdit* EditText = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;
};

} // namespace zelvik
