#pragma once

// zelvik-cli export: the same checks, names and writers as the editor's
// "Generate source", driven by options instead of the export dialog.

#include "cli/CliCommands.h"
#include "export/ExportTarget.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <functional>
#include <string>

namespace zelvik::cli {

// The font at `path`; on failure the editor's message for it.
using FontLoader = std::function<Result<FontModel>(const std::string& path)>;

// The font file reader as the command uses it.
Result<FontModel> loadFontFile(const std::string& path);

// runExport with the font loading and the targets given; the tests load fonts
// from memory.
int runExportWith(const Args& args, const FontLoader& load,
                  const ExportRegistry& registry = builtInExportRegistry());

// `zelvik-cli export --help` for the registry's targets.
std::string exportHelp(const ExportRegistry& registry);

// The export paragraph of `zelvik-cli --help` for the registry's targets.
std::string exportUsage(const ExportRegistry& registry);

} // namespace zelvik::cli
