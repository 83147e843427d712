#pragma once

// Which HTML manual F1 opens. The settings file names one relative to the
// start-up folder; an installed program is usually started from somewhere
// else, so when that file is missing the manual installed with the program,
// found relative to the executable, stands in for it.

#include <QString>

namespace zelvik {

// The installed manual, relative to the folder of the executable.
constexpr const char* kInstalledHelpRelative = "../share/zelvik/help/help_eng.html";

// The manual installed beside `executableFolder` (bin/ -> ../share/zelvik/help),
// whether or not it exists. Native separators.
QString installedHelpFile(const QString& executableFolder);

// The file to open: `configuredPath` when a file is there, else `installedPath`
// when a file is there, else empty (there is no help to show). Folders do not
// count as files; empty paths never match.
QString helpFileToOpen(const QString& configuredPath, const QString& installedPath);

} // namespace zelvik
