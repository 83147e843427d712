// zelvik-cli convert FONT.fnt --version 1.0|2.0 -o OUT.fnt: the font written
// again in the chosen file version, as "Save font" would write it.
#include "cli/CliCommands.h"

#include "font/FontFile.h"

#include <QFile>

#include <memory>
#include <optional>

namespace zelvik::cli {

namespace {

struct ConvertArgs {
    std::string input;
    std::string output;
    FontFileVersion version = FontFileVersion::V2;
};

// The arguments, or nothing after a usage message.
std::optional<ConvertArgs> parseArgs(const Args& args) {
    ConvertArgs parsed;
    bool haveVersion = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--version" && hasValue) {
            const auto version = fontFileVersionNamed(args[++i]);
            if (!version) {
                printError("convert: --version must be 1.0 or 2.0, not '" + args[i] + "'");
                return std::nullopt;
            }
            parsed.version = *version;
            haveVersion = true;
        } else if (word == "-o" && hasValue) {
            parsed.output = args[++i];
        } else if (word.starts_with('-') || !parsed.input.empty()) {
            printError("convert: unexpected argument '" + word + "'");
            return std::nullopt;
        } else {
            parsed.input = word;
        }
    }
    if (parsed.input.empty() || parsed.output.empty() || !haveVersion) {
        printError("convert: usage: zelvik-cli convert FONT.fnt --version 1.0|2.0 -o OUT.fnt");
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int runConvert(const Args& args) {
    const auto parsed = parseArgs(args);
    if (!parsed)
        return kUsage;

    auto font = std::make_unique<FontModel>();
    const ReadFontOutcome read = readFontFile(QFile::decodeName(parsed->input.c_str()), *font);
    if (read != ReadFontOutcome::Success) {
        printError(fontFileMessage(read));
        return kRefused;
    }
    if (parsed->version == FontFileVersion::V1 && !versionOneAllowed(*font)) {
        printError(versionOneRefusal(*font));
        return kRefused;
    }
    const WriteFontOutcome written =
        writeFontFile(QFile::decodeName(parsed->output.c_str()), parsed->version,
                      font->fontIdentifier, font->ySize, *font);
    if (written != WriteFontOutcome::Success) {
        printError(fontFileMessage(written));
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
