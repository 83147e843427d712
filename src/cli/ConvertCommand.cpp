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

Result usageError(const std::string& message) {
    return Result::fail(Failure::Refused, QString::fromStdString("convert: " + message));
}

// Fills `parsed` from the arguments; fails with the usage error to print.
Result parseArgs(const Args& args, ConvertArgs& parsed) {
    bool haveVersion = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--version" && hasValue) {
            const auto version = fontFileVersionNamed(args[++i]);
            if (!version)
                return usageError("--version must be 1.0 or 2.0, not '" + args[i] + "'");
            parsed.version = *version;
            haveVersion = true;
        } else if (word == "-o" && hasValue) {
            parsed.output = args[++i];
        } else if (word.starts_with('-') || !parsed.input.empty()) {
            return usageError("unexpected argument '" + word + "'");
        } else {
            parsed.input = word;
        }
    }
    if (parsed.input.empty() || parsed.output.empty() || !haveVersion)
        return usageError("usage: zelvik-cli convert FONT.fnt --version 1.0|2.0 -o OUT.fnt");
    return Result::success();
}

} // namespace

int runConvert(const Args& args) {
    ConvertArgs parsed;
    if (const Result usage = parseArgs(args, parsed); !usage) {
        printError(usage);
        return kUsage;
    }

    auto font = std::make_unique<FontModel>();
    if (const Result read = readFontFile(QFile::decodeName(parsed.input.c_str()), *font); !read) {
        printError(read);
        return kRefused;
    }
    if (parsed.version == FontFileVersion::V1 && !versionOneAllowed(*font)) {
        printError(versionOneRefusal(*font));
        return kRefused;
    }
    if (const Result written =
            writeFontFile(QFile::decodeName(parsed.output.c_str()), parsed.version,
                          font->fontIdentifier, font->ySize, *font);
        !written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
