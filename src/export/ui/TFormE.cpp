#include "export/ui/TFormE.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvik {

namespace {

struct PageNames {
    const char* sheet;
    const char* vertical;
    const char* horizontal;
    std::array<const char*, 5> verticalBoxes;
    std::array<const char*, 5> horizontalBoxes;
};

// Each page has the same controls under names of its own.
constexpr PageNames kPageNames[kExportTargetCount] = {
    {"TabSheet1",
     "RBc51vertikal",
     "RBc51horizontal",
     {"CBc51VtsMSB", "CBc51VrightFirst", "CBc51ValignMSB", "CBc51Vinv", "CBc51Vbe"},
     {"CBc51HrsLSB", "CBc51HbsFirst", "CBc51HalignMSB", "CBc51Hinv", "CBc51Hbe"}},
    {"TabSheet2",
     "RBavrVertical",
     "RBavrHorizontal",
     {"CBavrVtsMSB", "CBavrVrsFirst", "CBavrVaMSB", "CBavrVinv", "CBavrVbe"},
     {"CBavrHrsLSB", "CBavrHbsFirst", "CBavrHaMSB", "CBavrHinv", "CBavrHbe"}},
    {"TabSheet3",
     "RBcVertical",
     "RBcHorizontal",
     {"CBcVtsMSB", "CBcVrsFirst", "CBcVaMSB", "CBcVinv", "CBcVbe"},
     {"CBcHrsLSB", "CBcHbsFirst", "CBcHaMSB", "CBcHinv", "CBcHbe"}},
};

constexpr std::array<const char*, 5> kVerticalCaptions = {
    "Top side to MSB", "Right side first", "Align to MSB", "Invert colors", "Big endian"};
constexpr std::array<const char*, 5> kHorizontalCaptions = {
    "Right side to LSB", "Bottom side first", "Align to MSB", "Invert colors", "Big endian"};

// A 16 by 16 list icon: a chip with pins for the assembler targets, a sheet
// of source for C/C++, each with its own colour.
QIcon targetIcon(ExportTarget target) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (target == ExportTarget::C) {
        p.fillRect(2, 0, 12, 16, QColor(0x30, 0x60, 0xb0));
        p.fillRect(3, 1, 10, 14, Qt::white);
        p.setPen(QColor(0x30, 0x60, 0xb0));
        for (int y = 4; y <= 12; y += 3)
            p.drawLine(5, y, 10 - (y % 2), y);
        return QIcon(pixmap);
    }
    const QColor body =
        target == ExportTarget::C51 ? QColor(0x20, 0x20, 0x20) : QColor(0x10, 0x70, 0x40);
    p.setPen(QColor(0x90, 0x90, 0x90));
    for (int y = 3; y <= 12; y += 3) {
        p.drawLine(0, y, 2, y);
        p.drawLine(13, y, 15, y);
    }
    p.fillRect(3, 1, 10, 14, body);
    p.fillRect(5, 3, 2, 2, Qt::white); // the pin-1 mark
    return QIcon(pixmap);
}

} // namespace

TFormE::TFormE(QWidget* parent) : QDialog(parent) {
    setObjectName("FormE");
    setWindowTitle(QStringLiteral("Font data export settings"));
    // Fixed frame with only a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    Label1 = new QLabel(QStringLiteral("Source type:"), this);
    Label1->setObjectName("Label1");
    ComboSrcList = new QComboBox(this);
    ComboSrcList->setObjectName("ComboSrcList");
    ComboSrcList->setEditable(false);
    Label1->setBuddy(ComboSrcList);

    PCsrc = new QTabWidget(this);
    PCsrc->setObjectName("PCsrc");
    PCsrc->setUsesScrollButtons(false);

    for (int index = 0; index < kExportTargetCount; ++index) {
        const auto target = static_cast<ExportTarget>(index);
        const PageNames& names = kPageNames[index];
        const QString title = QString::fromUtf8(exportTargetTitle(target));
        ComboSrcList->addItem(targetIcon(target), title);

        ExportPageControls& page = pages_[index];
        page.sheet = new QWidget(PCsrc);
        page.sheet->setObjectName(names.sheet);
        auto* grid = new QGridLayout(page.sheet);
        page.vertical = new QRadioButton(QStringLiteral("Vertical bytes"), page.sheet);
        page.vertical->setObjectName(names.vertical);
        page.vertical->setChecked(true);
        page.horizontal = new QRadioButton(QStringLiteral("Horizontal bytes"), page.sheet);
        page.horizontal->setObjectName(names.horizontal);
        grid->addWidget(page.vertical, 0, 0);
        grid->addWidget(page.horizontal, 0, 1);
        for (int box = 0; box < 5; ++box) {
            auto* v = new QCheckBox(QString::fromLatin1(kVerticalCaptions[box]), page.sheet);
            v->setObjectName(names.verticalBoxes[box]);
            auto* h = new QCheckBox(QString::fromLatin1(kHorizontalCaptions[box]), page.sheet);
            h->setObjectName(names.horizontalBoxes[box]);
            page.verticalBoxes[box] = v;
            page.horizontalBoxes[box] = h;
            // Each column of boxes stands under its radio button.
            grid->addWidget(v, box + 1, 0, Qt::AlignLeft);
            grid->addWidget(h, box + 1, 1, Qt::AlignLeft);
        }
        grid->setColumnMinimumWidth(0, 130);
        grid->setContentsMargins(16, 10, 16, 10);
        PCsrc->addTab(page.sheet, title);
    }
    TabSheet1 = pages_[0].sheet;
    TabSheet2 = pages_[1].sheet;
    TabSheet3 = pages_[2].sheet;

    BtnSrcGen = new QPushButton(QStringLiteral("Generate source"), this);
    BtnSrcGen->setObjectName("BtnSrcGen");
    BtnSrcGen->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(ComboSrcList, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PCsrc);
    layout->addWidget(BtnSrcGen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ComboSrcList->setCurrentIndex(0);
    PCsrc->setCurrentIndex(0);

    connect(ComboSrcList, &QComboBox::activated, this, [this] { ComboBoxEx1Change(); });
    connect(PCsrc, &QTabWidget::currentChanged, this, [this] { PCsrcChange(); });
    connect(BtnSrcGen, &QPushButton::clicked, this, &QDialog::accept);
}

const ExportPageControls& TFormE::page(ExportTarget target) const {
    return pages_[static_cast<int>(target)];
}

std::optional<ExportTarget> TFormE::selectedTarget() const {
    return exportTargetForIndex(ComboSrcList->currentIndex());
}

bool TFormE::verticalChosen(ExportTarget target) const {
    return page(target).vertical->isChecked();
}

ExportOptions TFormE::ReadExportOptions(ExportTarget target, bool vertical) const {
    const ExportPageControls& controls = page(target);
    ExportOptions options;
    options.vertical = vertical;
    if (vertical) {
        const auto& b = controls.verticalBoxes;
        options.topSideToMSB = b[0]->isChecked();
        options.rightSideFirst = b[1]->isChecked();
        options.alignToMSB = b[2]->isChecked();
        options.invertColors = b[3]->isChecked();
        options.bigEndian = b[4]->isChecked();
    } else {
        const auto& b = controls.horizontalBoxes;
        options.rightSideToLSB = b[0]->isChecked();
        options.bottomSideFirst = b[1]->isChecked();
        options.alignToMSB = b[2]->isChecked();
        options.invertColors = b[3]->isChecked();
        options.bigEndian = b[4]->isChecked();
    }
    return options;
}

void TFormE::FormShow() {
    if (ComboSrcList->currentIndex() >= 0)
        PCsrc->setCurrentIndex(ComboSrcList->currentIndex());
}

void TFormE::ComboBoxEx1Change() {
    if (ComboSrcList->currentIndex() >= 0)
        PCsrc->setCurrentIndex(ComboSrcList->currentIndex());
}

void TFormE::PCsrcChange() {
    ComboSrcList->setCurrentIndex(PCsrc->currentIndex());
}

void TFormE::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

} // namespace zelvik
