// zelvik-cli convert FONT.fnt --version 1.0|2.0 -o OUT.fnt: the font written
// again in the chosen file version, as "Save font" would write it.
#include "cli/CommandLine.h"
#include "font/SystemPath.h"

#include "font/FontFile.h"

#include <QFile>

#include <memory>
#include <optional>
#include <variant>

namespace zelvik::cli {

namespace {

struct ConvertArgs {
    std::string input;
    std::string output;
    FontFileVersion version = FontFileVersion::V2;
};

// The arguments, or the exit status after --help or a usage error.
std::variant<ConvertArgs, int> parseArgs(const Args& args) {
    CommandLine line("convert", "FONT.fnt --version 1.0|2.0 -o OUT.fnt",
                     QStringLiteral("Write the font in the chosen file version, as \"Save font\" "
                                    "would write it."));
    const auto& version = line.addValue({QStringLiteral("version")}, QStringLiteral("1.0|2.0"),
                                        QStringLiteral("The file version to write."));
    const auto& output =
        line.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.fnt"),
                      QStringLiteral("The file to write."));
    line.addArgument(QStringLiteral("FONT.fnt"), QStringLiteral("The font file to read."));
    if (const auto status = line.parse(args))
        return *status;
    const std::vector<std::string> files = line.arguments();
    if (files.size() > 1)
        return line.usageError("unexpected argument '" + files[1] + "'");
    const auto outputName = line.value(output);
    if (files.empty() || !outputName || outputName->empty() || !line.isSet(version))
        return line.usageError("usage: zelvik-cli convert FONT.fnt --version 1.0|2.0 -o OUT.fnt");
    ConvertArgs parsed;
    if (const auto status = line.readFileVersion(version, parsed.version))
        return *status;
    parsed.input = files[0];
    parsed.output = *outputName;
    return parsed;
}

} // namespace

int runConvert(const Args& args) {
    auto outcome = parseArgs(args);
    if (const int* status = std::get_if<int>(&outcome))
        return *status;
    const ConvertArgs& parsed = std::get<ConvertArgs>(outcome);

    const Result<FontModel> font = readFontFile(pathFromSystem(parsed.input));
    if (!font) {
        printError(font);
        return kRefused;
    }
    if (parsed.version == FontFileVersion::V1 && !versionOneAllowed(*font)) {
        printError(versionOneRefusal(*font));
        return kRefused;
    }
    if (const Result<> written = writeFontFile(pathFromSystem(parsed.output), parsed.version,
                                               font->fontIdentifier, font->ySize, *font);
        !written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
