#pragma once

// One command's words, read with QCommandLineParser: its options, its
// arguments, its own --help, and usage errors all in one form
// ("zelvik-cli: COMMAND: what is wrong", exit status 2).

#include "cli/CliCommands.h"

#include <QCommandLineParser>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zelvik::cli {

class CommandLine {
public:
    // `synopsis` follows "zelvik-cli COMMAND" in the usage line of --help.
    CommandLine(std::string command, std::string synopsis, const QString& description);

    const QCommandLineOption& addFlag(const QString& name, const QString& help);
    // An option that takes one value, at most once.
    const QCommandLineOption& addValue(const QStringList& names, const QString& valueName,
                                       const QString& help);
    void addArgument(const QString& name, const QString& help);

    // Reads `args`. Nothing when the command is to run; else the exit status
    // after --help was printed (kSuccess) or a usage error was (kUsage).
    std::optional<int> parse(const Args& args);

    bool isSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    // The option's value in the terminal's encoding, nothing when not given.
    std::optional<std::string> value(const QCommandLineOption& option) const;
    std::vector<std::string> arguments() const;

    // Puts a file version option's value (1.0 or 2.0) into `version` when it
    // was given; after any other value, the exit status of the usage error.
    std::optional<int> readFileVersion(const QCommandLineOption& option,
                                       FontFileVersion& version) const;

    // Puts an identifier option's value into `identifier` when it was given;
    // a value that is no C identifier of at most 255 characters gives the
    // exit status of the usage error.
    std::optional<int> readIdentifier(const QCommandLineOption& option,
                                      std::string& identifier) const;

    // Prints "COMMAND: message" and returns kUsage.
    int usageError(const std::string& message) const;
    std::string helpText() const;

private:
    std::string command_;
    std::string synopsis_;
    QCommandLineParser parser_;
    std::deque<QCommandLineOption> options_; // stable addresses for the callers
    std::vector<const QCommandLineOption*> single_;
    const QCommandLineOption* help_ = nullptr;
};

} // namespace zelvik::cli
