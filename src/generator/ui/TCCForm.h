#pragma once

// Picks which of the codes 0x80-0xFF the font generator renders: one check
// mark per code, filled from a preset each time the dialog is shown. It shows
// and edits the session's FontGeneratorChoices: the marks present when it
// closes are the choice; there is no cancel.

#include "generator/CodeSelection.h"
#include "session/FontGeneratorChoices.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace zelvik {

class TCCForm final : public QDialog {
    Q_OBJECT
public:
    // The choices outlive the dialog.
    TCCForm(FontGeneratorChoices& choices, QWidget* parent);

    // The codes 0x80-0xFF to render. Before the dialog was first shown its
    // list is empty, and the preset of the selected radio button counts, as if
    // the dialog had been opened and closed.
    HighCodeSelection CustomSelection() const;
    // The preset the selected radio button stands for.
    HighCodePreset selectedPreset() const;

    void FormShow();
    void ApplyPreset();
    void RBallClick();
    void RBczechClick();
    void BtnOkClick();

    QRadioButton* RBall = nullptr;
    QRadioButton* RBczech = nullptr;
    QListWidget* CListBoxChars = nullptr;
    QPushButton* BtnOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    FontGeneratorChoices& choices_;
};

// The list item of a code 0x80-0xFF: " 0x8A - 'Š' - USh".
QString customCharacterItemText(int code);

} // namespace zelvik
