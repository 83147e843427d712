#include "session/SourceExportChoices.h"

#include <QtGlobal>

namespace zelvik {

ExportOptions PackingChoices::options(bool verticalBytes) const {
    ExportOptions o;
    o.vertical = verticalBytes;
    const std::array<bool, 5>& b = verticalBytes ? verticalBoxes : horizontalBoxes;
    if (verticalBytes) {
        o.topSideToMSB = b[0];
        o.rightSideFirst = b[1];
    } else {
        o.rightSideToLSB = b[0];
        o.bottomSideFirst = b[1];
    }
    o.alignToMSB = b[2];
    o.invertColors = b[3];
    o.bigEndian = b[4];
    return o;
}

void PackingChoices::setOptions(const ExportOptions& o) {
    vertical = o.vertical;
    std::array<bool, 5>& b = vertical ? verticalBoxes : horizontalBoxes;
    b[0] = vertical ? o.topSideToMSB : o.rightSideToLSB;
    b[1] = vertical ? o.rightSideFirst : o.bottomSideFirst;
    b[2] = o.alignToMSB;
    b[3] = o.invertColors;
    b[4] = o.bigEndian;
}

SourceExportChoices::SourceExportChoices(ExportRegistry registry) : registry_(std::move(registry)) {
    for (const ExportTargetInfo* target : registry_.dialogTargets())
        items_.push_back(target->id);
    pages_.resize(items_.size());
    if (items_.empty())
        selected_ = -1;
}

void SourceExportChoices::selectItem(int item) {
    selected_ = item >= 0 && item < static_cast<int>(items_.size()) ? item : -1;
}

bool SourceExportChoices::selectTarget(ExportTarget target) {
    const int item = indexOf(target);
    if (item >= 0)
        selected_ = item;
    return item >= 0;
}

std::optional<ExportTarget> SourceExportChoices::selectedTarget() const {
    if (selected_ < 0)
        return std::nullopt;
    return items_[static_cast<std::size_t>(selected_)];
}

int SourceExportChoices::indexOf(ExportTarget target) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == target)
            return static_cast<int>(i);
    }
    return -1;
}

std::size_t SourceExportChoices::pageOf(ExportTarget target) const {
    const int item = indexOf(target);
    if (item < 0)
        qFatal("export target '%.*s' is not in the export dialog's list",
               static_cast<int>(target.name().size()), target.name().data());
    return static_cast<std::size_t>(item);
}

PackingChoices& SourceExportChoices::packing(ExportTarget target) {
    return pages_[pageOf(target)];
}

const PackingChoices& SourceExportChoices::packing(ExportTarget target) const {
    return pages_[pageOf(target)];
}

ExportOptions SourceExportChoices::options(ExportTarget target) const {
    const ExportTargetInfo* info = registry_.find(target);
    if (!info || !info->takesPacking())
        return {};
    return packing(target).options();
}

bool SourceExportChoices::chooseDisplay(std::string_view cliName) {
    const DisplayPreset* preset = displayPresetNamed(cliName);
    if (!preset)
        return false;
    chosenDisplay_ = std::string(preset->cliName);
    if (preset->custom())
        return true;
    for (const ExportTarget target : items_) {
        const ExportTargetInfo* info = registry_.find(target);
        if (info && info->takesPacking())
            packing(target).setOptions(preset->options);
    }
    return true;
}

const DisplayPreset* SourceExportChoices::shownDisplay() const {
    const std::optional<ExportTarget> target = selectedTarget();
    const ExportTargetInfo* info = target ? registry_.find(*target) : nullptr;
    if (!info || !info->takesPacking())
        return nullptr;
    const ExportOptions shown = options(*target);
    const DisplayPreset* custom = displayPresetNamed("custom");
    if (chosenDisplay_.empty()) {
        const DisplayPreset* matching = displayPresetMatching(shown);
        return matching ? matching : custom;
    }
    const DisplayPreset* chosen = displayPresetNamed(chosenDisplay_);
    return !chosen->custom() && chosen->options == shown ? chosen : custom;
}

std::string SourceExportChoices::rememberedDisplay() const {
    if (chosenDisplay_.empty())
        return {};
    const DisplayPreset* chosen = displayPresetNamed(chosenDisplay_);
    for (const ExportTarget target : items_) {
        const ExportTargetInfo* info = registry_.find(target);
        if (info && info->takesPacking() && options(target) != chosen->options)
            return "custom";
    }
    return chosenDisplay_;
}

} // namespace zelvik
