#include "generator/ui/TCCForm.h"

#include "font/AutoSymbolName.h"
#include "font/Cp1250.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zelvik {

QString customCharacterItemText(int code) {
    return QStringLiteral(" 0x%1 - '%2' - %3")
        .arg(QString::number(code, 16).toUpper().rightJustified(2, u' '))
        .arg(QChar(cp1250ToUnicode(static_cast<std::uint8_t>(code))))
        .arg(QString::fromStdString(autoSymbolName(code)));
}

TCCForm::TCCForm(FontGeneratorChoices& choices, QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setObjectName("CCForm");
    setWindowTitle(QStringLiteral("Customize characters 0x80-0xFF"));
    // Fixed size, and only a close button in the title bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    RBall = new QRadioButton(QStringLiteral("All characters"), this);
    RBall->setObjectName("RBall");
    RBall->setChecked(choices_.customPreset == HighCodePreset::All);
    RBczech = new QRadioButton(QStringLiteral("Czech characters (CP1250)"), this);
    RBczech->setObjectName("RBczech");
    RBczech->setChecked(choices_.customPreset == HighCodePreset::Czech);
    CListBoxChars = new QListWidget(this);
    CListBoxChars->setObjectName("CListBoxChars");
    // Asked for by name; the style hint keeps a substitute monospaced, so the
    // columns of the items line up.
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setPixelSize(12);
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setFixedPitch(true);
    CListBoxChars->setFont(listFont);
    CListBoxChars->setFixedSize(240, 300);
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setDefault(true);

    connect(RBall, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RBallClick();
    });
    connect(RBczech, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RBczechClick();
    });
    connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
    connect(CListBoxChars, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        choices_.codes.highCodes.set(static_cast<std::size_t>(CListBoxChars->row(item)),
                                     item->checkState() == Qt::Checked);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RBall);
    layout->addWidget(RBczech);
    layout->addWidget(CListBoxChars);
    layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

HighCodePreset TCCForm::selectedPreset() const {
    return choices_.customPreset;
}

HighCodeSelection TCCForm::CustomSelection() const {
    return choices_.codes.highCodes;
}

void TCCForm::FormShow() {
    CListBoxChars->clear();
    for (int i = 0; i < kHighCodeCount; ++i) {
        auto* item = new QListWidgetItem(customCharacterItemText(kFirstHighCode + i));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        CListBoxChars->addItem(item);
    }
    ApplyPreset();
}

void TCCForm::ApplyPreset() {
    const HighCodeSelection preset = presetSelection(selectedPreset());
    choices_.codes.highCodes = preset;
    for (int i = 0; i < CListBoxChars->count(); ++i)
        CListBoxChars->item(i)->setCheckState(
            preset.test(static_cast<std::size_t>(i)) ? Qt::Checked : Qt::Unchecked);
}

void TCCForm::RBallClick() {
    choices_.customPreset = HighCodePreset::All;
    ApplyPreset();
}

void TCCForm::RBczechClick() {
    choices_.customPreset = HighCodePreset::Czech;
    ApplyPreset();
}

void TCCForm::BtnOkClick() {
    accept();
}

void TCCForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

} // namespace zelvik
