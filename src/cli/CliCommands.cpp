#include "cli/CliCommands.h"

#include "font/SystemPath.h"

#include <algorithm>
#include <iostream>

namespace zelvik::cli {

std::string oneLine(std::string message) {
    std::replace(message.begin(), message.end(), '\n', ' ');
    return message;
}

void printError(const std::string& message) {
    std::cerr << "zelvik-cli: " << oneLine(message) << '\n';
}

void printError(const Result<>& failure) {
    Result<> shown = failure;
    shown.message.replace(u'\n', u' ');
    std::cerr << "zelvik-cli: " << shown.describe().toStdString() << '\n';
}

std::optional<int> refuseOutputOverInput(const std::string& command, const std::string& input,
                                         const QStringList& outputs) {
    const QString in = pathFromSystem(input);
    for (const QString& output : outputs) {
        if (sameExistingFile(in, output)) {
            printError(command + ": " + pathToSystem(output).toStdString() +
                       " is the input file; it would be overwritten");
            return kUsage;
        }
    }
    return std::nullopt;
}

std::optional<FontFileVersion> fontFileVersionNamed(const std::string& text) {
    if (text == "1.0" || text == "1")
        return FontFileVersion::V1;
    if (text == "2.0" || text == "2")
        return FontFileVersion::V2;
    return std::nullopt;
}

std::string versionOneRefusal(const FontModel& font) {
    return "Version 1.0 can't hold this font: it holds characters up to 8 pixels wide and 16 "
           "high, this font has y-size " +
           std::to_string(font.ySize) + " and characters up to " +
           std::to_string(maxDefinedXSize(font)) + " pixels wide. Use --version 2.0.";
}

} // namespace zelvik::cli
