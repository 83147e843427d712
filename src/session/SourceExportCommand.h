#pragma once

// "Generate source" without its dialog: the target and options the session's
// SourceExportChoices hold, exported with the refusals, the save dialog, the
// output names and the write, each with its message (caption "Generating
// source ...", warning icon). The writers read the stored slots only, so
// unsaved edits of the working character are not exported and nothing is
// asked about them.

#include "export/ExportOptions.h"
#include "export/ExportTarget.h"
#include "font/Result.h"

#include <optional>

namespace zelvik {

class EditingSession;

// Exports the font as the choices say. Cancelled when no item is selected or
// the save dialog was cancelled; a refusal or a failed write has been shown.
// On success the font takes the identifier it was exported with.
Result<> exportSourceCommand(EditingSession& session);

// What the font would take in flash with `target` and `options`, or nothing
// when the export would be refused.
std::optional<int> sourceExportFlashBytes(const EditingSession& session, ExportTarget target,
                                          const ExportOptions& options);

} // namespace zelvik
