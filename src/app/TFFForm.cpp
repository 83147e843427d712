#include "app/TFFForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvik {

TFFForm::TFFForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FFForm");
    setWindowTitle(QStringLiteral("Font file version"));
    // Fixed frame with the system menu only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    Label1 = new QLabel(QStringLiteral("Font file version:"), this);
    Label1->setObjectName("Label1");
    RB1 = new QRadioButton(this);
    RB1->setObjectName("RB1");
    RB2 = new QRadioButton(this);
    RB2->setObjectName("RB2");
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName("Button1");
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(RB1);
    layout->addWidget(RB2);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zelvik
