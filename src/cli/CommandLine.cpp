#include "cli/CommandLine.h"

#include "font/CIdentifier.h"
#include "font/FontModel.h"
#include "font/SystemPath.h"

#include <iostream>

namespace zelvik::cli {

CommandLine::CommandLine(std::string command, std::string synopsis, const QString& description)
    : command_(std::move(command)), synopsis_(std::move(synopsis)) {
    parser_.setApplicationDescription(description);
    // Exactly the words given: no Qt options, no -abc read as -a -b -c.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    help_ = &options_.emplace_back(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Show this help and exit."));
    parser_.addOption(*help_);
}

const QCommandLineOption& CommandLine::addFlag(const QString& name, const QString& help) {
    const QCommandLineOption& option = options_.emplace_back(name, help);
    parser_.addOption(option);
    return option;
}

const QCommandLineOption& CommandLine::addValue(const QStringList& names, const QString& valueName,
                                                const QString& help) {
    const QCommandLineOption& option = options_.emplace_back(names, help, valueName);
    parser_.addOption(option);
    single_.push_back(&option);
    return option;
}

void CommandLine::addArgument(const QString& name, const QString& help) {
    parser_.addPositionalArgument(name, help);
}

std::optional<int> CommandLine::parse(const Args& args) {
    QStringList words{QStringLiteral("zelvik-cli")};
    // Words are read and given back byte for byte: a file name need not be
    // UTF-8.
    for (const std::string& arg : args)
        words << pathFromSystem(arg);
    if (!parser_.parse(words)) {
        // Qt names an unknown option without its dashes; name it as typed.
        const QStringList unknown = parser_.unknownOptionNames();
        for (const std::string& arg : args) {
            const QString word = pathFromSystem(arg).section(u'=', 0, 0);
            QString bare = word;
            while (bare.startsWith(u'-'))
                bare.remove(0, 1);
            if (word.startsWith(u'-') && !unknown.isEmpty() && bare == unknown.constFirst())
                return usageError("unknown option '" + word.toStdString() + "'");
        }
        return usageError(parser_.errorText().toStdString());
    }
    if (parser_.isSet(*help_)) {
        std::cout << helpText();
        return kSuccess;
    }
    for (const QCommandLineOption* option : single_) {
        if (parser_.values(*option).size() > 1) {
            const QString name = option->names().constFirst();
            return usageError((name.size() == 1 ? "-" : "--") + name.toStdString() +
                              " given twice");
        }
    }
    return std::nullopt;
}

std::optional<std::string> CommandLine::value(const QCommandLineOption& option) const {
    if (!parser_.isSet(option))
        return std::nullopt;
    return pathToSystem(parser_.value(option)).toStdString();
}

std::vector<std::string> CommandLine::arguments() const {
    std::vector<std::string> words;
    for (const QString& word : parser_.positionalArguments())
        words.push_back(pathToSystem(word).toStdString());
    return words;
}

std::optional<int> CommandLine::readFileVersion(const QCommandLineOption& option,
                                                FontFileVersion& version) const {
    const auto name = value(option);
    if (!name)
        return std::nullopt;
    const auto named = fontFileVersionNamed(*name);
    if (!named)
        return usageError("--" + option.names().constFirst().toStdString() +
                          " must be 1.0 or 2.0, not '" + *name + "'");
    version = *named;
    return std::nullopt;
}

std::optional<int> CommandLine::readIdentifier(const QCommandLineOption& option,
                                               std::string& identifier) const {
    const auto given = value(option);
    if (!given)
        return std::nullopt;
    const std::string name = "--" + option.names().constFirst().toStdString();
    if (given->size() > static_cast<std::size_t>(kMaxIdentifierLength))
        return usageError(name + " is longer than " + std::to_string(kMaxIdentifierLength) +
                          " characters");
    // ASCII alone passes, so the terminal's bytes are the font's.
    if (!isCIdentifier(*given))
        return usageError(name + " '" + *given + "' is not a C identifier (" +
                          std::string(kCIdentifierRule) + ")");
    identifier = *given;
    return std::nullopt;
}

int CommandLine::usageError(const std::string& message) const {
    printError(command_ + ": " + message);
    return kUsage;
}

std::string CommandLine::helpText() const {
    // Qt's own usage line names the executable's path; ours names the command.
    const QString text = parser_.helpText();
    const qsizetype firstBreak = text.indexOf(u'\n');
    return "Usage: zelvik-cli " + command_ + " " + synopsis_ + "\n" +
           (firstBreak < 0 ? QString() : text.mid(firstBreak + 1)).toStdString();
}

} // namespace zelvik::cli
