#pragma once

// zelvik-cli: the jobs that need no person, through the same core code as the
// editor. Results go to files, messages to stderr. Each command returns the
// process exit status.

#include "font/FontFile.h"
#include "font/Result.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace zelvik::cli {

enum ExitStatus { kSuccess = 0, kRefused = 1, kUsage = 2 };

using Args = std::vector<std::string>; // the words after the command name

int runInfo(const Args& args);
int runConvert(const Args& args);
int runExport(const Args& args);
// Draws a font file with FreeType, or hands the job to the drawing module.
int runGenerate(const Args& args);
int runImport(const Args& args);

// The font file version of --version: "1.0" or "1", "2.0" or "2".
std::optional<FontFileVersion> fontFileVersionNamed(const std::string& text);
// Why --version 1.0 cannot hold the font (when versionOneAllowed is false).
std::string versionOneRefusal(const FontModel& font);

// A message the editor shows in a box, for a terminal: line breaks become spaces.
std::string oneLine(std::string message);
// Writes "zelvik-cli: " and the message to stderr.
void printError(const std::string& message);
// Writes "zelvik-cli: ", the failure's message on one line and, on the next
// line, the system's reason when there is one, so that a user learns why.
void printError(const Result<>& failure);

// An output that is the input file would destroy what is being read: the
// exit status of the usage error, or nothing when `outputs` are other files.
std::optional<int> refuseOutputOverInput(const std::string& command, const std::string& input,
                                         const QStringList& outputs);

// The usage of `zelvik-cli export` and what it writes, from the targets there are.
std::string exportUsage();

} // namespace zelvik::cli
