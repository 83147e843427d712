#pragma once

// Where an export goes and how it gets there. Output is generated in memory
// first and then written through replaceFiles, so a failed export never
// leaves a partial file, and a target with a header changes its source and
// header together or not at all.

#include "export/ExportOptions.h"
#include "export/ExportTarget.h"
#include "export/SourceWriter.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <QString>

#include <string>
#include <string_view>

namespace zelvik {

// B of the C/C++ output: the header's name part cut at its last ".".
std::string includeGuardBase(const QString& headerPath);

// Writes generated files to their paths. On failure every target is as it
// was, and the Result carries the target's message for the file that failed
// ("Can't create file!", "Can't create source file!", "Can't create header
// file!") with the system's reason.
Result<> writeGeneratedFiles(const ExportTargetInfo& target, const ExportPaths& paths,
                             const GeneratedFiles& files);

// The files an export would write, in memory: the refusals
// (checkExportable), the identifier fallback and generation.
// The dialog and zelvik-cli also read the flash size from it.
Result<> generateExport(const FontModel& font, std::string_view identifierField,
                        const ExportTargetInfo& target, const ExportOptions& options,
                        const ExportPaths& paths, GeneratedFiles& files);
Result<> generateExport(const FontModel& font, std::string_view identifierField,
                        ExportTarget target, const ExportOptions& options, const ExportPaths& paths,
                        GeneratedFiles& files);

// One whole export after the file name is known: the checks, the identifier
// fallback, generation and writing. On success the font takes the identifier
// it was exported with (the field's text when it had none); on failure the
// font is unchanged.
// `flashBytes`, when given, receives the flash size of what was written.
Result<> exportFont(FontModel& font, std::string_view identifierField,
                    const ExportTargetInfo& target, const ExportOptions& options,
                    const ExportPaths& paths, int* flashBytes = nullptr);
// The same for a built-in target.
Result<> exportFont(FontModel& font, std::string_view identifierField, ExportTarget target,
                    const ExportOptions& options, const ExportPaths& paths,
                    int* flashBytes = nullptr);

} // namespace zelvik
