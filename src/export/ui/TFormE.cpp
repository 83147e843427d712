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

// The names the form gives the controls of its three pages; each page has the
// same controls under names of its own.
struct PageNames {
    std::string_view target;
    const char* sheet;
    const char* vertical;
    const char* horizontal;
    std::array<const char*, 5> verticalBoxes;
    std::array<const char*, 5> horizontalBoxes;
};

constexpr PageNames kFormPageNames[] = {
    {"c51",
     "TabSheet1",
     "RBc51vertikal",
     "RBc51horizontal",
     {"CBc51VtsMSB", "CBc51VrightFirst", "CBc51ValignMSB", "CBc51Vinv", "CBc51Vbe"},
     {"CBc51HrsLSB", "CBc51HbsFirst", "CBc51HalignMSB", "CBc51Hinv", "CBc51Hbe"}},
    {"avr",
     "TabSheet2",
     "RBavrVertical",
     "RBavrHorizontal",
     {"CBavrVtsMSB", "CBavrVrsFirst", "CBavrVaMSB", "CBavrVinv", "CBavrVbe"},
     {"CBavrHrsLSB", "CBavrHbsFirst", "CBavrHaMSB", "CBavrHinv", "CBavrHbe"}},
    {"c",
     "TabSheet3",
     "RBcVertical",
     "RBcHorizontal",
     {"CBcVtsMSB", "CBcVrsFirst", "CBcVaMSB", "CBcVinv", "CBcVbe"},
     {"CBcHrsLSB", "CBcHbsFirst", "CBcHaMSB", "CBcHinv", "CBcHbe"}},
};

// The controls' names on the page at `position` (counted from 1): the form's
// own for its three pages, "TabSheet4", "RBfooVertical", "CBfooV1"... for any
// other target.
struct PageControlNames {
    QString sheet;
    QString vertical;
    QString horizontal;
    std::array<QString, 5> verticalBoxes;
    std::array<QString, 5> horizontalBoxes;
};

PageControlNames pageControlNames(const ExportTargetInfo& target, int position) {
    PageControlNames names;
    for (const PageNames& form : kFormPageNames) {
        if (form.target != target.cliName)
            continue;
        names.sheet = QString::fromLatin1(form.sheet);
        names.vertical = QString::fromLatin1(form.vertical);
        names.horizontal = QString::fromLatin1(form.horizontal);
        for (int box = 0; box < 5; ++box) {
            names.verticalBoxes[box] = QString::fromLatin1(form.verticalBoxes[box]);
            names.horizontalBoxes[box] = QString::fromLatin1(form.horizontalBoxes[box]);
        }
        return names;
    }
    const QString cli =
        QString::fromLatin1(target.cliName.data(), static_cast<qsizetype>(target.cliName.size()));
    names.sheet = QStringLiteral("TabSheet") + QString::number(position);
    names.vertical = QStringLiteral("RB") + cli + QStringLiteral("Vertical");
    names.horizontal = QStringLiteral("RB") + cli + QStringLiteral("Horizontal");
    for (int box = 0; box < 5; ++box) {
        names.verticalBoxes[box] = QStringLiteral("CB%1V%2").arg(cli).arg(box + 1);
        names.horizontalBoxes[box] = QStringLiteral("CB%1H%2").arg(cli).arg(box + 1);
    }
    return names;
}

constexpr std::array<const char*, 5> kVerticalCaptions = {
    "Top side to MSB", "Right side first", "Align to MSB", "Invert colors", "Big endian"};
constexpr std::array<const char*, 5> kHorizontalCaptions = {
    "Right side to LSB", "Bottom side first", "Align to MSB", "Invert colors", "Big endian"};

// A 16 by 16 list icon in the target's colour.
QIcon targetIcon(const ExportTargetInfo& target) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor colour = QColor::fromRgb(target.iconColour);
    if (target.icon == ExportIcon::Sheet) {
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

TFormE::TFormE(SourceExportChoices& choices, QWidget* parent) : QDialog(parent), choices_(choices) {
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

    LabelDisplay = new QLabel(QStringLiteral("Display:"), this);
    LabelDisplay->setObjectName("LabelDisplay");
    ComboDisplay = new QComboBox(this);
    ComboDisplay->setObjectName("ComboDisplay");
    ComboDisplay->setEditable(false);
    for (const DisplayPreset& preset : displayPresets())
        ComboDisplay->addItem(preset.title);
    LabelDisplay->setBuddy(ComboDisplay);

    PCsrc = new QTabWidget(this);
    PCsrc->setObjectName("PCsrc");
    PCsrc->setUsesScrollButtons(false);

    for (const ExportTargetInfo* target : choices_.registry().dialogTargets()) {
        ComboSrcList->addItem(targetIcon(*target), target->title);
        targets_.push_back(target->id);
        const PageControlNames names =
            pageControlNames(*target, static_cast<int>(pages_.size()) + 1);

        ExportPageControls& page = pages_.emplace_back();
        page.sheet = new QWidget(PCsrc);
        page.sheet->setObjectName(names.sheet);
        QLabel* about = nullptr;
        if (!target->about.isEmpty()) {
            about = new QLabel(target->about, page.sheet);
            about->setObjectName(page.sheet->objectName() + QStringLiteral("Use"));
            about->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        if (!target->takesPacking()) {
            auto* column = new QVBoxLayout(page.sheet);
            if (about)
                column->addWidget(about);
            column->addStretch();
            column->setContentsMargins(16, 10, 16, 10);
            PCsrc->addTab(page.sheet, target->title);
            continue;
        }
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
        if (about)
            grid->addWidget(about, 6, 0, 1, 2);
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
    auto* display = new QHBoxLayout;
    display->addWidget(LabelDisplay);
    display->addWidget(ComboDisplay, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(display);
    layout->addWidget(PCsrc);
    layout->addWidget(LabelFlashSize);
    layout->addWidget(BtnSrcGen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showChoices();

    connect(ComboSrcList, &QComboBox::activated, this, [this] { ComboBoxEx1Change(); });
    connect(ComboSrcList, &QComboBox::currentIndexChanged, this,
            [this](int item) { choices_.selectItem(item); });
    connect(PCsrc, &QTabWidget::currentChanged, this, [this] { PCsrcChange(); });
    connect(ComboDisplay, &QComboBox::activated, this, [this] { ComboDisplayChange(); });
    connect(BtnSrcGen, &QPushButton::clicked, this, &QDialog::accept);
    for (std::size_t item = 0; item < pages_.size(); ++item) {
        const ExportPageControls& page = pages_[item];
        if (!page.vertical)
            continue;
        const auto changed = [this, item] {
            takePage(item);
            UpdateDisplay();
            UpdateFlashSize();
        };
        for (QAbstractButton* b : {static_cast<QAbstractButton*>(page.vertical),
                                   static_cast<QAbstractButton*>(page.horizontal)})
            connect(b, &QAbstractButton::toggled, this, changed);
        for (const auto* boxes : {&page.verticalBoxes, &page.horizontalBoxes})
            for (QCheckBox* box : *boxes)
                connect(box, &QCheckBox::toggled, this, changed);
    }
}

void TFormE::takePage(std::size_t item) {
    const ExportPageControls& page = pages_[item];
    PackingChoices& packing = choices_.packing(targets_[item]);
    packing.vertical = page.vertical->isChecked();
    for (std::size_t box = 0; box < 5; ++box) {
        packing.verticalBoxes[box] = page.verticalBoxes[box]->isChecked();
        packing.horizontalBoxes[box] = page.horizontalBoxes[box]->isChecked();
    }
}

void TFormE::showChoices() {
    // Each control written below echoes into the choices; copy them first so
    // that a half-shown page does not overwrite the rest.
    const SourceExportChoices shown = choices_;
    for (std::size_t item = 0; item < pages_.size(); ++item) {
        const ExportPageControls& page = pages_[item];
        if (!page.vertical)
            continue;
        const PackingChoices& packing = shown.packing(targets_[item]);
        (packing.vertical ? page.vertical : page.horizontal)->setChecked(true);
        for (std::size_t box = 0; box < 5; ++box) {
            page.verticalBoxes[box]->setChecked(packing.verticalBoxes[box]);
            page.horizontalBoxes[box]->setChecked(packing.horizontalBoxes[box]);
        }
    }
    ComboSrcList->setCurrentIndex(shown.selectedItem());
    if (shown.selectedItem() >= 0)
        PCsrc->setCurrentIndex(shown.selectedItem());
    UpdateDisplay();
}

void TFormE::ComboDisplayChange() {
    const int item = ComboDisplay->currentIndex();
    const auto presets = displayPresets();
    if (item < 0 || item >= static_cast<int>(presets.size()))
        return;
    choices_.chooseDisplay(presets[static_cast<std::size_t>(item)].cliName);
    showChoices();
    UpdateFlashSize();
}

void TFormE::UpdateDisplay() {
    const DisplayPreset* shown = choices_.shownDisplay();
    LabelDisplay->setEnabled(shown != nullptr);
    ComboDisplay->setEnabled(shown != nullptr);
    const auto presets = displayPresets();
    const DisplayPreset* item = shown ? shown : &presets.front();
    ComboDisplay->setCurrentIndex(static_cast<int>(item - presets.data()));
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
        qFatal("export target '%.*s' has no page in the dialog",
               static_cast<int>(target.name().size()), target.name().data());
    return pages_[static_cast<std::size_t>(found - targets_.begin())];
}

std::optional<ExportTarget> TFormE::selectedTarget() const {
    return choices_.selectedTarget();
}

bool TFormE::verticalChosen(ExportTarget target) const {
    return !page(target).vertical || choices_.packing(target).vertical;
}

ExportOptions TFormE::ReadExportOptions(ExportTarget target, bool vertical) const {
    if (!page(target).vertical) {
        ExportOptions options; // a display library's page has no packing choices
        options.vertical = vertical;
        return options;
    }
    return choices_.packing(target).options(vertical);
}

void TFormE::FormShow() {
    showChoices();
    UpdateFlashSize();
}

void TFormE::ComboBoxEx1Change() {
    if (ComboSrcList->currentIndex() >= 0)
        PCsrc->setCurrentIndex(ComboSrcList->currentIndex());
    UpdateDisplay();
    UpdateFlashSize();
}

void TFormE::PCsrcChange() {
    ComboSrcList->setCurrentIndex(PCsrc->currentIndex());
    UpdateDisplay();
    UpdateFlashSize();
}

void TFormE::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

} // namespace zelvik
