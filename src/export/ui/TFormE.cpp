#include "export/ui/TFormE.h"

#include "export/LibraryGlyphs.h"

#include <algorithm>

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

enum class IconShape {
    Chip,  // an assembler target: a chip with pins
    Sheet, // a source target: a sheet of text
};

// What only the dialog knows of a target's page: the names of its controls
// (each page has the same controls under names of its own) and its list icon.
struct PageLook {
    ExportTarget target;
    const char* sheet;
    const char* vertical;
    const char* horizontal;
    std::array<const char*, 5> verticalBoxes;
    std::array<const char*, 5> horizontalBoxes;
    IconShape icon;
    QRgb colour;
};

constexpr PageLook kPageLooks[] = {
    {ExportTarget::C51,
     "TabSheet1",
     "RBc51vertikal",
     "RBc51horizontal",
     {"CBc51VtsMSB", "CBc51VrightFirst", "CBc51ValignMSB", "CBc51Vinv", "CBc51Vbe"},
     {"CBc51HrsLSB", "CBc51HbsFirst", "CBc51HalignMSB", "CBc51Hinv", "CBc51Hbe"},
     IconShape::Chip,
     0x202020},
    {ExportTarget::Avr,
     "TabSheet2",
     "RBavrVertical",
     "RBavrHorizontal",
     {"CBavrVtsMSB", "CBavrVrsFirst", "CBavrVaMSB", "CBavrVinv", "CBavrVbe"},
     {"CBavrHrsLSB", "CBavrHbsFirst", "CBavrHaMSB", "CBavrHinv", "CBavrHbe"},
     IconShape::Chip,
     0x107040},
    {ExportTarget::C,
     "TabSheet3",
     "RBcVertical",
     "RBcHorizontal",
     {"CBcVtsMSB", "CBcVrsFirst", "CBcVaMSB", "CBcVinv", "CBcVbe"},
     {"CBcHrsLSB", "CBcHbsFirst", "CBcHaMSB", "CBcHinv", "CBcHbe"},
     IconShape::Sheet,
     0x3060b0},
};

// A display library's page: no controls of its own, a sheet icon.
constexpr PageLook kLibraryLook{ExportTarget::C, "", "", "", {}, {}, IconShape::Sheet, 0x806020};

const PageLook& pageLook(ExportTarget target) {
    for (const PageLook& look : kPageLooks) {
        if (look.target == target)
            return look;
    }
    return kLibraryLook;
}

constexpr std::array<const char*, 5> kVerticalCaptions = {
    "Top side to MSB", "Right side first", "Align to MSB", "Invert colors", "Big endian"};
constexpr std::array<const char*, 5> kHorizontalCaptions = {
    "Right side to LSB", "Bottom side first", "Align to MSB", "Invert colors", "Big endian"};

// A 16 by 16 list icon in the page's colour.
QIcon targetIcon(const PageLook& look) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor colour = QColor::fromRgb(look.colour);
    if (look.icon == IconShape::Sheet) {
        p.fillRect(2, 0, 12, 16, colour);
        p.fillRect(3, 1, 10, 14, Qt::white);
        p.setPen(colour);
        for (int y = 4; y <= 12; y += 3)
            p.drawLine(5, y, 10 - (y % 2), y);
        return QIcon(pixmap);
    }
    p.setPen(QColor(0x90, 0x90, 0x90));
    for (int y = 3; y <= 12; y += 3) {
        p.drawLine(0, y, 2, y);
        p.drawLine(13, y, 15, y);
    }
    p.fillRect(3, 1, 10, 14, colour);
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

    for (const ExportTargetInfo* target : dialogTargets()) {
        const PageLook& names = pageLook(target->id);
        ComboSrcList->addItem(targetIcon(names), target->title);
        targets_.push_back(target->id);

        ExportPageControls& page = pages_.emplace_back();
        page.sheet = new QWidget(PCsrc);
        if (!target->packingOptions) {
            page.sheet->setObjectName(QStringLiteral("TabSheet") +
                                      QString::number(static_cast<int>(pages_.size())));
            auto* text = new QLabel(target->libraryUse, page.sheet);
            text->setObjectName(page.sheet->objectName() + QStringLiteral("Use"));
            text->setTextInteractionFlags(Qt::TextSelectableByMouse);
            auto* column = new QVBoxLayout(page.sheet);
            column->addWidget(text);
            column->addStretch();
            column->setContentsMargins(16, 10, 16, 10);
            PCsrc->addTab(page.sheet, target->title);
            continue;
        }
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
        PCsrc->addTab(page.sheet, target->title);
    }
    TabSheet1 = pages_.at(0).sheet;
    TabSheet2 = pages_.at(1).sheet;
    TabSheet3 = pages_.at(2).sheet;

    LabelFlashSize = new QLabel(this);
    LabelFlashSize->setObjectName("LabelFlashSize");

    BtnSrcGen = new QPushButton(QStringLiteral("Generate source"), this);
    BtnSrcGen->setObjectName("BtnSrcGen");
    BtnSrcGen->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(ComboSrcList, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PCsrc);
    layout->addWidget(LabelFlashSize);
    layout->addWidget(BtnSrcGen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ComboSrcList->setCurrentIndex(0);
    PCsrc->setCurrentIndex(0);

    connect(ComboSrcList, &QComboBox::activated, this, [this] { ComboBoxEx1Change(); });
    connect(PCsrc, &QTabWidget::currentChanged, this, [this] { PCsrcChange(); });
    connect(BtnSrcGen, &QPushButton::clicked, this, &QDialog::accept);
    for (const ExportPageControls& page : pages_) {
        if (!page.vertical)
            continue;
        for (QAbstractButton* b : {static_cast<QAbstractButton*>(page.vertical),
                                   static_cast<QAbstractButton*>(page.horizontal)})
            connect(b, &QAbstractButton::toggled, this, [this] { UpdateFlashSize(); });
        for (const auto* boxes : {&page.verticalBoxes, &page.horizontalBoxes})
            for (QCheckBox* box : *boxes)
                connect(box, &QCheckBox::toggled, this, [this] { UpdateFlashSize(); });
    }
}

void TFormE::setFlashSizeSource(FlashSizeSource source) {
    flashSize_ = std::move(source);
    UpdateFlashSize();
}

void TFormE::UpdateFlashSize() {
    const std::optional<ExportTarget> target = selectedTarget();
    std::optional<int> bytes;
    if (target && flashSize_)
        bytes = flashSize_(*target, ReadExportOptions(*target, verticalChosen(*target)));
    LabelFlashSize->setText(bytes ? QString::fromStdString(flashSizeText(*bytes))
                                  : QStringLiteral("Flash size: the font cannot be exported"));
}

const ExportPageControls& TFormE::page(ExportTarget target) const {
    const auto found = std::find(targets_.begin(), targets_.end(), target);
    if (found == targets_.end())
        qFatal("export target %d has no page in the dialog", static_cast<int>(target));
    return pages_[static_cast<std::size_t>(found - targets_.begin())];
}

std::optional<ExportTarget> TFormE::selectedTarget() const {
    const int item = ComboSrcList->currentIndex();
    if (item < 0 || item >= static_cast<int>(targets_.size()))
        return std::nullopt;
    return targets_[static_cast<std::size_t>(item)];
}

bool TFormE::verticalChosen(ExportTarget target) const {
    const ExportPageControls& controls = page(target);
    return !controls.vertical || controls.vertical->isChecked();
}

ExportOptions TFormE::ReadExportOptions(ExportTarget target, bool vertical) const {
    const ExportPageControls& controls = page(target);
    ExportOptions options;
    options.vertical = vertical;
    if (!controls.vertical)
        return options; // a display library's page has no packing choices
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
    UpdateFlashSize();
}

void TFormE::ComboBoxEx1Change() {
    if (ComboSrcList->currentIndex() >= 0)
        PCsrc->setCurrentIndex(ComboSrcList->currentIndex());
    UpdateFlashSize();
}

void TFormE::PCsrcChange() {
    ComboSrcList->setCurrentIndex(PCsrc->currentIndex());
    UpdateFlashSize();
}

void TFormE::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

} // namespace zelvik
