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

// --target bdf: the font at `fontPath` written as a BDF font to `output`.
int runBdfExport(const std::string& fontPath, const std::string& output, const FontLoader& load);

} // namespace zelvik::cli
