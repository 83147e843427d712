// zelvik-cli import FILE [--font NAME] [--identifier ID] [--version 1.0|2.0] -o OUT.fnt:
// a BDF font, an Adafruit GFX header or a u8g2 font source read into a new
// font, as the editor's import reads it, and saved as a font file. What the
// import took, cut and skipped goes to stderr.
#include "cli/CommandLine.h"
#include "font/SystemPath.h"

#include "font/FontFile.h"
#include "font/FontImport.h"

#include <QFile>

#include <iostream>
#include <optional>
#include <variant>

namespace zelvik::cli {

namespace {

struct ImportArgs {
    std::string input;
    std::string output;
    std::string fontName;
    std::optional<std::string> identifier;
    FontFileVersion version = FontFileVersion::V2;
};

// The arguments, or the exit status after --help or a usage error.
std::variant<ImportArgs, int> parseArgs(const Args& args) {
    CommandLine line("import",
                     "FILE [--font NAME] [--identifier ID] [--version 1.0|2.0] -o OUT.fnt",
                     QStringLiteral("Read a BDF font, an Adafruit GFX header or a u8g2 font "
                                    "source into a new font file; say on stderr how many "
                                    "glyphs were taken, cut and skipped."));
    const auto& font = line.addValue(
        {QStringLiteral("font")}, QStringLiteral("NAME"),
        QStringLiteral("The font to read from a file that holds several (its array's name)."));
    const auto& identifier = line.addValue(
        {QStringLiteral("identifier")}, QStringLiteral("ID"),
        QStringLiteral("The font's identifier (default: the font's name as a C identifier)."));
    const auto& version = line.addValue({QStringLiteral("version")}, QStringLiteral("1.0|2.0"),
                                        QStringLiteral("The file version to write (default 2.0)."));
    const auto& output =
        line.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.fnt"),
                      QStringLiteral("The file to write."));
    line.addArgument(QStringLiteral("FILE"),
                     QStringLiteral("The font to read: BDF, Adafruit GFX or u8g2, told apart by "
                                    "what the file holds."));
    if (const auto status = line.parse(args))
        return *status;
    const std::vector<std::string> files = line.arguments();
    if (files.size() > 1)
        return line.usageError("unexpected argument '" + files[1] + "'");
    ImportArgs parsed;
    if (const auto status = line.readFileVersion(version, parsed.version))
        return *status;
    if (line.value(identifier)) {
        std::string id;
        if (const auto status = line.readIdentifier(identifier, id))
            return *status;
        parsed.identifier = id;
    }
    parsed.fontName = line.value(font).value_or(std::string());
    parsed.output = line.value(output).value_or(std::string());
    if (files.empty() || parsed.output.empty())
        return line.usageError(
            "usage: zelvik-cli import FILE [--font NAME] [--identifier ID] [--version 1.0|2.0] "
            "-o OUT.fnt");
    parsed.input = files[0];
    return parsed;
}

// The one place that writes the font file.
Result<> writeFnt(const std::string& path, FontFileVersion version, const FontModel& font) {
    return writeFontFile(pathFromSystem(path), version, font.fontIdentifier, font.ySize, font);
}

} // namespace

int runImport(const Args& args) {
    const auto outcome = parseArgs(args);
    if (const int* status = std::get_if<int>(&outcome))
        return *status;
    const auto* parsed = &std::get<ImportArgs>(outcome);

    if (const auto refused =
            refuseOutputOverInput("import", parsed->input, {pathFromSystem(parsed->output)}))
        return *refused;
    Result<FontImport> read = importFontFile(pathFromSystem(parsed->input), parsed->fontName);
    if (!read) {
        printError(read);
        return kRefused;
    }
    const FontImport& imported = *read;
    FontModel& font = *imported.font;
    if (parsed->identifier)
        font.fontIdentifier = *parsed->identifier;
    if (parsed->version == FontFileVersion::V1 && !versionOneAllowed(font)) {
        printError(versionOneRefusal(font));
        return kRefused;
    }
    if (const Result<> written = writeFnt(parsed->output, parsed->version, font); !written) {
        printError(written);
        return kRefused;
    }
    std::cerr << importSummary(*imported.kind, imported.counts).toStdString() << '\n';
    return kSuccess;
}

} // namespace zelvik::cli
