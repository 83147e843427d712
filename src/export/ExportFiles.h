#pragma once

// Where an export goes and how it gets there. Output is generated in memory
// first and then written through QSaveFile, so a failed export never leaves
// a partial file, and a C/C++ export changes its source and header together
// or not at all.

#include "export/ExportOptions.h"
#include "export/ExportTarget.h"
#include "export/SourceWriter.h"
#include "font/FontModel.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvik {

// One entry of the save dialog's filter list.
struct SaveFilter {
    QString description; // "C51 assembler file (*.a51)"
    QString pattern;     // "*.a51"
    QString extension;   // forced onto the chosen name; empty keeps the name unchanged
};

std::vector<SaveFilter> saveFilters(ExportTarget target);
// The filter list as one text, description and pattern joined by "|":
// "AVR assembler file (*.asm)|*.asm|All files (*.*)|*.*".
QString saveFilterText(ExportTarget target);

struct ExportPaths {
    QString source; // the assembler file or the C/C++ source
    QString header; // C/C++ only; empty for the assembler targets
};

// The files for the name chosen in the save dialog under filter `filterIndex`
// (counted from 1): the filter's extension forced onto the name, or the name
// unchanged where the filter gives none. The C/C++ header is always the
// chosen name with ".h".
ExportPaths exportPathsForChosenName(ExportTarget target, const QString& chosenName,
                                     int filterIndex);

// The files for an output name used as given (zelvik-cli's -o).
ExportPaths exportPathsForOutput(ExportTarget target, const QString& output);

// B of the C/C++ output: the header's name part cut at its last ".".
std::string includeGuardBase(const QString& headerPath);

// Writes generated files to their paths. On failure returns the message to show
// and leaves every target as it was: "Can't create file!" (assembler),
// "Can't create source file!" or "Can't create header file!" (C/C++).
std::optional<std::string> writeGeneratedFiles(ExportTarget target, const ExportPaths& paths,
                                               const GeneratedFiles& files);

// One whole export after the file name is known: the checks, the identifier
// fallback, generation and writing. On success the font takes the identifier
// it was exported with (the field's text when it had none) and nothing is
// returned; on failure the font is unchanged and the message is returned.
std::optional<std::string> exportFont(FontModel& font, std::string_view identifierField,
                                      ExportTarget target, const ExportOptions& options,
                                      const ExportPaths& paths);

} // namespace zelvik
