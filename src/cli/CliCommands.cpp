#include "cli/CliCommands.h"

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

void printError(const Result& failure) {
    Result shown = failure;
    shown.message.replace(u'\n', u' ');
    std::cerr << "zelvik-cli: " << shown.describe().toStdString() << '\n';
}

} // namespace zelvik::cli
