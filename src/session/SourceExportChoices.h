#pragma once

// What "Generate source" is set to: the target chosen in the export dialog's
// list and, for each target that takes them, the byte orientation and the
// ten packing boxes of its page. The session holds them for the whole run;
// the dialog shows and edits them. Of them only the display a user chose
// from the "Display:" list is remembered between runs.

#include "export/DisplayPreset.h"
#include "export/ExportOptions.h"
#include "export/ExportTarget.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvik {

// One page's choices. The boxes are in the order of the page's columns:
// vertical topSideToMSB, rightSideFirst, alignToMSB, invertColors, bigEndian;
// horizontal rightSideToLSB, bottomSideFirst, alignToMSB, invertColors,
// bigEndian.
struct PackingChoices {
    bool vertical = true;
    std::array<bool, 5> verticalBoxes{};
    std::array<bool, 5> horizontalBoxes{};

    // The options of one orientation's boxes; those of the other are not read.
    ExportOptions options(bool vertical) const;
    ExportOptions options() const { return options(vertical); }
    // Sets the orientation and its five boxes; the other orientation's boxes stay.
    void setOptions(const ExportOptions& options);
};

class SourceExportChoices {
public:
    explicit SourceExportChoices(ExportRegistry registry = ExportRegistry::builtIn());

    const ExportRegistry& registry() const { return registry_; }
    // The dialog's list, in order.
    const std::vector<ExportTarget>& items() const { return items_; }

    // The selected list item, -1 for none.
    int selectedItem() const { return selected_; }
    // An item outside the list selects none.
    void selectItem(int item);
    // Selects the target's item; false when the list has none for it.
    bool selectTarget(ExportTarget target);
    // The target of the selected item; nothing when no item is selected.
    std::optional<ExportTarget> selectedTarget() const;

    // The page choices of a target of the list; a target without packing
    // options keeps them at their start and never reads them.
    PackingChoices& packing(ExportTarget target);
    const PackingChoices& packing(ExportTarget target) const;

    // What the target exports with: its page's options in the chosen
    // orientation, or the plain options when it takes none.
    ExportOptions options(ExportTarget target) const;

    // The "Display:" list. Choosing a controller's preset sets every page
    // that takes packing options to its layout, since the display is the
    // same whatever the source type; "custom" changes nothing. False for an
    // unknown name.
    bool chooseDisplay(std::string_view cliName);
    // What the list shows for the selected target: the chosen preset while
    // the page still has its layout, "Custom" once it was changed by hand or
    // chosen, and before any choice the first preset the page's layout
    // matches. Nothing when the selected target takes no packing options.
    const DisplayPreset* shownDisplay() const;
    // What config.ini keeps: the chosen preset while every page still has its
    // layout, otherwise "custom"; empty when no display was ever chosen.
    std::string rememberedDisplay() const;

private:
    int indexOf(ExportTarget target) const;
    // The page of a target of the list; the program stops on any other.
    std::size_t pageOf(ExportTarget target) const;

    ExportRegistry registry_;
    std::vector<ExportTarget> items_;
    std::vector<PackingChoices> pages_;
    int selected_ = 0;
    std::string chosenDisplay_;
};

} // namespace zelvik
