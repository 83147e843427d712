#pragma once

// The byte layouts common display controllers take, by controller family, so
// that a user picks the display instead of working out the packing options.

#include "export/ExportOptions.h"

#include <QString>

#include <span>
#include <string_view>

namespace zelvik {

struct DisplayPreset {
    // zelvik-cli export --display NAME; "custom" for the entry that sets nothing.
    std::string_view cliName;
    // The export dialog's "Display:" item.
    QString title;
    ExportOptions options;
    bool custom() const { return cliName == "custom"; }
};

// "Custom" first, then the controllers.
std::span<const DisplayPreset> displayPresets();

// The preset zelvik-cli calls `cliName`; nullptr for an unknown name.
const DisplayPreset* displayPresetNamed(std::string_view cliName);

// The first controller preset whose options are `options`; nullptr when none
// is (the dialog then shows "Custom").
const DisplayPreset* displayPresetMatching(const ExportOptions& options);

} // namespace zelvik
