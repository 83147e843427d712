#pragma once

// The export settings dialog: source type, byte orientation and packing
// choices. It shows and edits the session's SourceExportChoices, which hold
// every choice for the whole run; the export itself is the session's
// (session/SourceExportCommand).

#include "export/ExportOptions.h"
#include "export/ExportTarget.h"
#include "session/SourceExportChoices.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTabWidget;

namespace zelvik {

// The controls of one target's page. The five boxes of each orientation are
// in the order ReadExportOptions reads them.
struct ExportPageControls {
    QWidget* sheet = nullptr;
    QRadioButton* vertical = nullptr;
    QRadioButton* horizontal = nullptr;
    std::array<QCheckBox*, 5> verticalBoxes{};
    std::array<QCheckBox*, 5> horizontalBoxes{};
};

class TFormE final : public QDialog {
    Q_OBJECT
public:
    // One item and page for each target of the choices' list. The choices
    // outlive the dialog.
    TFormE(SourceExportChoices& choices, QWidget* parent);

    // Puts the choices into the controls: the selected item and every page.
    void showChoices();

    // The page of a target the dialog offers.
    const ExportPageControls& page(ExportTarget target) const;
    // The target of the selected list item; nothing when no item is selected.
    std::optional<ExportTarget> selectedTarget() const;
    // True when "Vertical bytes" is chosen on the target's page.
    bool verticalChosen(ExportTarget target) const;
    // The options of the five boxes of one orientation of one page; the boxes
    // of the other orientation are not read.
    ExportOptions ReadExportOptions(ExportTarget target, bool vertical) const;

    // What the font will take in flash for a target and its options, or
    // nothing when the export would be refused. The dialog shows it under
    // the pages and updates it as the choices change.
    using FlashSizeSource = std::function<std::optional<int>(ExportTarget, const ExportOptions&)>;
    void setFlashSizeSource(FlashSizeSource source);
    void UpdateFlashSize();

    void FormShow();
    void ComboBoxEx1Change();
    void PCsrcChange();
    // A display chosen from the list sets the pages' packing options.
    void ComboDisplayChange();
    // The list follows the selected page: its preset, or "Custom".
    void UpdateDisplay();

    QLabel* Label1 = nullptr;
    QComboBox* ComboSrcList = nullptr;
    QLabel* LabelDisplay = nullptr;
    QComboBox* ComboDisplay = nullptr;
    QTabWidget* PCsrc = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QPushButton* BtnSrcGen = nullptr;
    QLabel* LabelFlashSize = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A page's controls into the choices.
    void takePage(std::size_t item);

    SourceExportChoices& choices_;
    // The list's targets and their pages, in list order.
    std::vector<ExportTarget> targets_;
    std::vector<ExportPageControls> pages_;
    FlashSizeSource flashSize_;
};

} // namespace zelvik
