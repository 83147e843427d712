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

} // namespace zelvik::cli
