// zelvik-cli import FONT.bdf [--identifier ID] [--version 1.0|2.0] -o OUT.fnt:
// a BDF font read into a new font, as the editor's import reads it, and saved
// as a font file. What the import took, cut and skipped goes to stderr.
#include "cli/CliCommands.h"

#include "font/BdfFile.h"
#include "font/Cp1250.h"
#include "font/FontFile.h"

#include <QFile>

#include <iostream>
#include <optional>

namespace zelvik::cli {

namespace {

struct ImportArgs {
    std::string input;
    std::string output;
    std::optional<std::string> identifier; // Windows-1250 bytes
    FontFileVersion version = FontFileVersion::V2;
};

constexpr const char* kUsageLine =
    "import: usage: zelvik-cli import FONT.bdf [--identifier ID] [--version 1.0|2.0] -o OUT.fnt";

// The arguments, or nothing after a usage message.
std::optional<ImportArgs> parseArgs(const Args& args) {
    ImportArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--version" && hasValue) {
            const auto version = fontFileVersionNamed(args[++i]);
            if (!version) {
                printError("import: --version must be 1.0 or 2.0, not '" + args[i] + "'");
                return std::nullopt;
            }
            parsed.version = *version;
        } else if (word == "--identifier" && hasValue) {
            // The terminal's text; the font keeps Windows-1250 bytes.
            const auto bytes = toCp1250(QString::fromLocal8Bit(args[++i]));
            if (!bytes) {
                printError("import: --identifier '" + args[i] +
                           "' has characters outside Windows-1250");
                return std::nullopt;
            }
            if (bytes->size() > static_cast<std::size_t>(kMaxIdentifierLength)) {
                printError("import: --identifier is longer than " +
                           std::to_string(kMaxIdentifierLength) + " characters");
                return std::nullopt;
            }
            parsed.identifier = *bytes;
        } else if (word == "-o" && hasValue) {
            parsed.output = args[++i];
        } else if (word.starts_with('-') || !parsed.input.empty()) {
            printError("import: unexpected argument '" + word + "'");
            return std::nullopt;
        } else {
            parsed.input = word;
        }
    }
    if (parsed.input.empty() || parsed.output.empty()) {
        printError(kUsageLine);
        return std::nullopt;
    }
    return parsed;
}

// The one place that writes the font file.
Result writeFnt(const std::string& path, FontFileVersion version, const FontModel& font) {
    return writeFontFile(QFile::decodeName(path.c_str()), version, font.fontIdentifier, font.ySize,
                         font);
}

} // namespace

int runImport(const Args& args) {
    const auto parsed = parseArgs(args);
    if (!parsed)
        return kUsage;

    BdfImport imported;
    if (const Result read = importBdfFile(QFile::decodeName(parsed->input.c_str()), imported);
        !read) {
        printError(read);
        return kRefused;
    }
    FontModel& font = *imported.font;
    if (parsed->identifier)
        font.fontIdentifier = *parsed->identifier;
    if (parsed->version == FontFileVersion::V1 && !versionOneAllowed(font)) {
        printError(versionOneRefusal(font));
        return kRefused;
    }
    if (const Result written = writeFnt(parsed->output, parsed->version, font); !written) {
        printError(written);
        return kRefused;
    }
    std::cerr << bdfImportSummary(imported.counts).toStdString() << '\n';
    return kSuccess;
}

} // namespace zelvik::cli
