#pragma once

// zelvik-cli export: the same checks, names and writers as the editor's
// "Generate source", driven by options instead of the export dialog.

#include "cli/CliCommands.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <functional>
#include <string>

namespace zelvik::cli {

// Reads the font at `path` into `font`; on failure the editor's message for it.
using FontLoader = std::function<Result(const std::string& path, FontModel&)>;

// The font file reader as the command uses it.
Result loadFontFile(const std::string& path, FontModel& font);

// runExport with the font loading given; the tests load fonts from memory.
int runExportWith(const Args& args, const FontLoader& load);

// --target bdf: pixels, not packed bytes, so it has its own few arguments
// (FONT.fnt --target bdf -o OUT.bdf) and is handed over before any packing
// option is looked at.
bool wantsBdfTarget(const Args& args);
int runBdfExport(const Args& args, const FontLoader& load);

} // namespace zelvik::cli
