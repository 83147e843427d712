// zelvik-cli info FONT.fnt: a summary of the font for scripts. The format of
// every line is fixed; scripts parse it.
#include "cli/CommandLine.h"
#include "font/SystemPath.h"

#include "font/Cp1250.h"
#include "font/FontFile.h"

#include <QFile>

#include <iostream>
#include <memory>

namespace zelvik::cli {

namespace {

// Names and identifiers are Windows-1250 bytes; the terminal gets UTF-8.
std::string terminalText(const std::string& bytes) {
    return fromCp1250(bytes).toStdString();
}

} // namespace

int runInfo(const Args& args) {
    CommandLine line("info", "FONT.fnt",
                     QStringLiteral("Print the font's version, identifier, sizes and defined "
                                    "characters, a line each, for scripts."));
    line.addArgument(QStringLiteral("FONT.fnt"), QStringLiteral("The font file to read."));
    if (const auto status = line.parse(args))
        return *status;
    const std::vector<std::string> files = line.arguments();
    if (files.size() != 1)
        return line.usageError("expected one font file: zelvik-cli info FONT.fnt");
    const Result<FontFileData> data = loadFontFile(pathFromSystem(files[0]));
    if (!data) {
        printError(data);
        return kRefused;
    }
    auto font = std::make_unique<FontModel>();
    applyFontFile(*data, *font);

    int defined = 0;
    for (int code = 0; code < kCodeCount; ++code)
        defined += font->slots[code].defined() ? 1 : 0;
    std::cout << "version: " << (data->version == FontFileVersion::V1 ? "1.0" : "2.0") << '\n'
              << "identifier: " << terminalText(font->fontIdentifier) << '\n'
              << "y-size: " << font->ySize << '\n'
              << "baseline: " << fontBaseline(*font) << '\n'
              << "defined: " << defined << '\n'
              << "max-x-size: " << maxDefinedXSize(*font) << '\n';
    for (int index = 0; index < kSlotCount; ++index) {
        const CharSlot& slot = font->slots[index];
        if (slot.defined())
            std::cout << index << ' ' << terminalText(slot.name) << ' ' << slot.xSize << '\n';
    }
    std::cout.flush();
    return std::cout ? kSuccess : kRefused;
}

} // namespace zelvik::cli
