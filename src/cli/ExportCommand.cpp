#include "cli/ExportCommand.h"
#include "font/SystemPath.h"

#include "cli/CommandLine.h"

#include "export/DisplayPreset.h"
#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "export/LibraryGlyphs.h"
#include "font/FontFile.h"

#include <QFile>

#include <cstdio>
#include <variant>
#include <vector>

namespace zelvik::cli {

namespace {

struct ExportRequest {
    std::string fontPath;
    const ExportTargetInfo* target = nullptr;
    ExportOptions options;
    std::string output;
};

struct Flag {
    const char* name;
    bool vertical; // the orientation the flag belongs to
    bool ExportOptions::*field;
};

// Options that belong to one orientation, and those both have.
constexpr Flag kOrientedFlags[] = {
    {"--top-side-to-msb", true, &ExportOptions::topSideToMSB},
    {"--right-side-first", true, &ExportOptions::rightSideFirst},
    {"--right-side-to-lsb", false, &ExportOptions::rightSideToLSB},
    {"--bottom-side-first", false, &ExportOptions::bottomSideFirst},
};
constexpr std::pair<const char*, bool ExportOptions::*> kCommonFlags[] = {
    {"--align-to-msb", &ExportOptions::alignToMSB},
    {"--invert-colors", &ExportOptions::invertColors},
    {"--big-endian", &ExportOptions::bigEndian},
};

// "a|b|c" as alternatives, else "a, b or c".
std::string joined(const std::vector<std::string>& words, bool asAlternatives) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += asAlternatives ? "|" : i + 1 == words.size() ? " or " : ", ";
        text += words[i];
    }
    return text;
}

// The targets' command-line names: "c51|avr|c", or "c51, avr or c".
std::string targetNames(const ExportRegistry& registry, bool asAlternatives) {
    std::vector<std::string> names;
    for (const ExportTargetInfo& target : registry.targets())
        names.emplace_back(target.cliName);
    return joined(names, asAlternatives);
}

// What the command writes, by the options the targets take: "Write the font
// as 8051 assembler, ... (these need --bytes or --display), or as ...".
std::string whatItWrites(const ExportRegistry& registry) {
    std::vector<std::string> packing;
    std::vector<std::string> none;
    for (const ExportTargetInfo& target : registry.targets())
        (target.takesPacking() ? packing : none).emplace_back(target.helpPhrase);
    std::string text = "Write the font";
    if (!packing.empty())
        text += " as " + joined(packing, false) + " (these need --bytes or --display)";
    if (!packing.empty() && !none.empty())
        text += ", or";
    if (!none.empty())
        text += " as " + joined(none, false) + " (no packing options)";
    return text;
}

// The targets with a second file: "c and u8g2".
std::string headerTargets(const ExportRegistry& registry) {
    std::string names;
    std::vector<std::string_view> all;
    for (const ExportTargetInfo& target : registry.targets()) {
        if (target.hasHeader())
            all.push_back(target.cliName);
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0)
            names += i + 1 == all.size() ? " and " : ", ";
        names += all[i];
    }
    return names;
}

// `text` in lines of at most `width` characters, each after `indent`.
std::string wrapped(const std::string& text, const std::string& indent, std::size_t width) {
    std::string out;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && indent.size() + line.size() + 1 + word.size() > width) {
            out += indent + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty())
        out += indent + line + "\n";
    return out;
}

// The controller presets' command-line names: "ssd1306, st7565, ...".
std::string presetNames() {
    std::string names;
    for (const DisplayPreset& preset : displayPresets()) {
        if (preset.custom())
            continue;
        if (!names.empty())
            names += ", ";
        names += preset.cliName;
    }
    return names;
}

// The command's words, its options and its help, for the targets of a registry.
struct ExportLine {
    explicit ExportLine(const ExportRegistry& registry)
        : line("export",
               "FONT.fnt --target " + targetNames(registry, true) +
                   " [--display NAME | --bytes vertical|horizontal OPTIONS] -o OUT",
               QString::fromStdString(whatItWrites(registry) +
                                      ", with the editor's checks, names and writers; prints "
                                      "the bytes the font takes in flash.")),
          target(line.addValue({QStringLiteral("target")},
                               QString::fromStdString(targetNames(registry, true)),
                               QStringLiteral("What to write."))),
          bytes(line.addValue({QStringLiteral("bytes")}, QStringLiteral("vertical|horizontal"),
                              QStringLiteral("How the bytes run through a character."))),
          display(line.addValue(
              {QStringLiteral("display")}, QStringLiteral("NAME"),
              QStringLiteral("The packing the display controller takes: ") +
                  QString::fromStdString(presetNames()) +
                  QStringLiteral(". Packing options given beside it must agree with it."))),
          output(
              line.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT"),
                            QString::fromStdString("The file to write; " + headerTargets(registry) +
                                                   " write OUT.c and OUT.h."))) {
        for (const Flag& f : kOrientedFlags) {
            const QString help = f.vertical ? QStringLiteral("With --bytes vertical.")
                                            : QStringLiteral("With --bytes horizontal.");
            oriented.emplace_back(&f, &line.addFlag(QString::fromLatin1(f.name + 2), help));
        }
        for (const auto& [name, field] : kCommonFlags)
            common.emplace_back(field, &line.addFlag(QString::fromLatin1(name + 2),
                                                     QStringLiteral("Both orientations.")));
        line.addArgument(QStringLiteral("FONT.fnt"), QStringLiteral("The font file to export."));
    }

    CommandLine line;
    const QCommandLineOption& target;
    const QCommandLineOption& bytes;
    const QCommandLineOption& display;
    const QCommandLineOption& output;
    std::vector<std::pair<const Flag*, const QCommandLineOption*>> oriented;
    std::vector<std::pair<bool ExportOptions::*, const QCommandLineOption*>> common;
};

// The request, or the exit status after --help or a usage error. A font file
// target holds pixels, not packed bytes: it comes back with no options set.
std::variant<ExportRequest, int> parse(const Args& args, const ExportRegistry& registry) {
    ExportLine words(registry);
    const CommandLine& line = words.line;
    if (const auto status = words.line.parse(args))
        return *status;
    const auto& orientedOptions = words.oriented;
    const auto& commonOptions = words.common;

    ExportRequest request;
    const std::vector<std::string> files = line.arguments();
    if (files.size() > 1)
        return line.usageError("more than one font file given");
    if (files.empty())
        return line.usageError("no font file given");
    request.fontPath = files[0];
    const auto targetName = line.value(words.target);
    if (!targetName)
        return line.usageError("--target " + targetNames(registry, true) + " is required");
    request.target = registry.named(*targetName);
    // A font file is no source: every packing option is refused by its name.
    const bool fontFile = request.target && request.target->kind == ExportKind::FontFile;
    const std::string refusal = "--target " + *targetName + " takes no packing options ('";
    auto bytes = line.value(words.bytes);
    const auto output = line.value(words.output);
    const auto displayName = line.value(words.display);
    const DisplayPreset* preset = nullptr;
    if (displayName) {
        preset = displayPresetNamed(*displayName);
        if (!preset || preset->custom())
            return line.usageError("unknown display '" + *displayName + "' (" + presetNames() +
                                   ")");
        if (fontFile)
            return line.usageError(refusal + "--display')");
        const std::string presetBytes = preset->options.vertical ? "vertical" : "horizontal";
        if (bytes && *bytes != presetBytes)
            return line.usageError("--display " + *displayName + " packs " + presetBytes +
                                   " bytes, not '--bytes " + *bytes + "'");
        bytes = presetBytes;
    }

    if (fontFile) {
        if (bytes)
            return line.usageError(refusal + "--bytes')");
        for (const auto& [flag, option] : orientedOptions) {
            if (line.isSet(*option))
                return line.usageError(refusal + flag->name + "')");
        }
        for (std::size_t i = 0; i < commonOptions.size(); ++i) {
            if (line.isSet(*commonOptions[i].second))
                return line.usageError(refusal + kCommonFlags[i].first + "')");
        }
        if (!output || output->empty())
            return line.usageError("-o OUT is required");
        request.output = *output;
        return request;
    }

    const bool packing = !request.target || request.target->takesPacking();
    if (packing && !bytes)
        return line.usageError("--bytes vertical|horizontal is required");
    if (!output)
        return line.usageError("-o OUT is required");
    if (!request.target)
        return line.usageError("unknown target '" + *targetName + "' (" +
                               targetNames(registry, false) + ")");

    bool anyPackingFlag = false;
    for (std::size_t i = 0; i < commonOptions.size(); ++i) {
        const auto& [field, option] = commonOptions[i];
        if (line.isSet(*option)) {
            if (preset && !(preset->options.*field))
                return line.usageError("--display " + *displayName + " does not take '" +
                                       kCommonFlags[i].first + "'");
            request.options.*field = true;
            anyPackingFlag = true;
        }
    }
    if (!packing) {
        for (const auto& entry : orientedOptions)
            anyPackingFlag = anyPackingFlag || line.isSet(*entry.second);
        if (bytes || anyPackingFlag)
            return line.usageError("--target " + *targetName + " takes no byte packing options");
    } else {
        if (*bytes != "vertical" && *bytes != "horizontal")
            return line.usageError("unknown byte orientation '" + *bytes +
                                   "' (vertical or horizontal)");
        request.options.vertical = *bytes == "vertical";
        for (const auto& [flag, option] : orientedOptions) {
            if (!line.isSet(*option))
                continue;
            if (flag->vertical != request.options.vertical)
                return line.usageError(std::string(flag->name) + " needs --bytes " +
                                       (flag->vertical ? "vertical" : "horizontal"));
            if (preset && !(preset->options.*(flag->field)))
                return line.usageError("--display " + *displayName + " does not take '" +
                                       flag->name + "'");
            request.options.*(flag->field) = true;
        }
        if (preset)
            request.options = preset->options;
    }

    request.output = *output;
    if (request.output.empty())
        return line.usageError("-o needs a file name");
    return request;
}

} // namespace

Result<FontModel> loadFontFile(const std::string& path) {
    return readFontFile(pathFromSystem(path));
}

int runExportWith(const Args& args, const FontLoader& load, const ExportRegistry& registry) {
    auto parsed = parse(args, registry);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const ExportRequest& request = std::get<ExportRequest>(parsed);
    const ExportTargetInfo& target = *request.target;

    const ExportPaths paths = target.pathsForOutput(pathFromSystem(request.output));
    if (target.hasHeader() && paths.header == paths.source) {
        printError("export: " + request.output + " would be both the source and its header");
        return kUsage;
    }
    const QStringList outputs =
        target.hasHeader() ? QStringList{paths.source, paths.header} : QStringList{paths.source};
    if (const auto refused = refuseOutputOverInput("export", request.fontPath, outputs))
        return *refused;

    Result<FontModel> read = load(request.fontPath);
    if (!read) {
        printError(read);
        return kRefused;
    }
    FontModel& font = *read;
    // An opened font's identifier is what the editor's identifier field shows.
    const std::string field = font.fontIdentifier;
    int flashBytes = 0;
    if (const Result<> written =
            exportFont(font, field, target, request.options, paths, &flashBytes);
        !written) {
        printError(written);
        return kRefused;
    }
    // A note, not an error: no "zelvik-cli:" in front. A font file takes no flash.
    if (target.kind == ExportKind::Source)
        std::fprintf(stderr, "%s\n", flashSizeText(flashBytes).c_str());
    return kSuccess;
}

int runExport(const Args& args) {
    return runExportWith(args, loadFontFile);
}

std::string exportHelp(const ExportRegistry& registry) {
    return ExportLine(registry).line.helpText();
}

std::string exportUsage(const ExportRegistry& registry) {
    return "  export FONT.fnt --target " + targetNames(registry, true) +
           " [--display NAME | --bytes vertical|horizontal OPTIONS] -o OUT\n" +
           wrapped(whatItWrites(registry) + ".", "      ", 76);
}

std::string exportUsage() {
    return exportUsage(builtInExportRegistry());
}

} // namespace zelvik::cli
