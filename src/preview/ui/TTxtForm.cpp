#include "preview/ui/TTxtForm.h"

#include "font/Cp1250.h"
#include "preview/SampleStrip.h"
#include "ui/Cp1250Validator.h"
#include "ui/KeyPressFilter.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelvik {

namespace {

constexpr char16_t kEnter = u'\r';
constexpr char16_t kEscape = 27;

} // namespace

TTxtForm::TTxtForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TxtForm");
    setWindowTitle(QStringLiteral("Sample text"));
    // Close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(460, 84);

    Label1 = new QLabel(QStringLiteral("Type in sample text:"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 4, 444, 18);
    EditText = new QLineEdit(this);
    EditText->setObjectName("EditText");
    EditText->setGeometry(8, 22, 444, 22);
    // A paste longer than the limit is cut to it; characters that no font
    // code stands for are refused.
    EditText->setMaxLength(kMaxSampleTextLength);
    restrictToCp1250(EditText);
    new KeyPressFilter(EditText, [this](QChar& key) { EditTextKeyPress(key); });
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 48, 444, 2);
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setGeometry(296, 54, 75, 25);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName("BtnCancel");
    BtnCancel->setGeometry(377, 54, 75, 25);
    // Enter reaches OK through the field's key handler alone.
    BtnOk->setAutoDefault(false);
    BtnCancel->setAutoDefault(false);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTxtForm::setSampleText(std::string_view text) {
    EditText->setText(fromCp1250(text.substr(0, kMaxSampleTextLength)));
    // Typing replaces the old text, as in any field the focus enters.
    EditText->selectAll();
    EditText->setFocus();
}

std::string TTxtForm::sampleText() const {
    // The validator keeps the field within Windows-1250.
    return toCp1250Lossy(EditText->text().left(kMaxSampleTextLength));
}

void TTxtForm::EditTextKeyPress(QChar& key) {
    if (key == kEnter) {
        // Queued: the dialog closes once this key has been handled.
        QMetaObject::invokeMethod(BtnOk, &QPushButton::click, Qt::QueuedConnection);
        key = QChar();
        return;
    }
    // A full field takes no more characters, not even Backspace; Delete and
    // the arrows type none and still work. Esc still closes the dialog. What
    // is selected gives way to the key (or the paste), so it leaves room.
    const qsizetype kept = EditText->text().size() - EditText->selectedText().size();
    if (kept >= kMaxSampleTextLength && key != kEscape)
        key = QChar();
}

} // namespace zelvik
