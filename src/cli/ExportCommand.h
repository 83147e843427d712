#pragma once

// zelvik-cli export: the same checks, names and writers as the editor's
// "Generate source", driven by options instead of the export dialog.

#include "cli/CliCommands.h"
#include "font/FontModel.h"

#include <functional>
#include <optional>
#include <string>

namespace zelvik::cli {

// Reads the font at `path` into `font`; nothing on success, else the message
// to print (the editor's message for the same failure).
using FontLoader = std::function<std::optional<std::string>(const std::string& path, FontModel&)>;

// The font file reader as the command uses it.
std::optional<std::string> loadFontFile(const std::string& path, FontModel& font);

// runExport with the font loading given; the tests load fonts from memory.
int runExportWith(const Args& args, const FontLoader& load);

// --target bdf: pixels, not packed bytes, so it has its own few arguments
// (FONT.fnt --target bdf -o OUT.bdf) and is handed over before any packing
// option is looked at.
bool wantsBdfTarget(const Args& args);
int runBdfExport(const Args& args, const FontLoader& load);

} // namespace zelvik::cli
