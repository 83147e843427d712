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
    bool bdf = false;
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

// The targets' command-line names: "c51|avr|c", or "c51, avr or c".
std::string targetNames(bool asAlternatives) {
    // The source targets, then BDF, which runBdfExport handles.
    std::vector<std::string> all;
    for (const ExportTargetInfo& target : exportTargets())
        all.emplace_back(target.cliName);
    all.emplace_back("bdf");
    std::string names;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0)
            names += asAlternatives ? "|" : i + 1 == all.size() ? " or " : ", ";
        names += all[i];
    }
    return names;
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

// The request, or the exit status after --help or a usage error. BDF holds
// pixels, not packed bytes: --target bdf comes back with no options set.
std::variant<ExportRequest, int> parse(const Args& args) {
    CommandLine line("export",
                     "FONT.fnt --target " + targetNames(true) +
                         " [--display NAME | --bytes vertical|horizontal OPTIONS] -o OUT",
                     QStringLiteral("Write the font as 8051 or AVR assembler, as C with its "
                                    "header (these need --bytes or --display), or as an Adafruit "
                                    "GFX, u8g2 or LVGL font or a BDF font (no packing options), "
                                    "with the editor's checks, names and writers; prints the "
                                    "bytes the font takes in flash."));
    const auto& targetOption =
        line.addValue({QStringLiteral("target")}, QString::fromStdString(targetNames(true)),
                      QStringLiteral("What to write."));
    const auto& bytesOption =
        line.addValue({QStringLiteral("bytes")}, QStringLiteral("vertical|horizontal"),
                      QStringLiteral("How the bytes run through a character."));
    const auto& displayOption =
        line.addValue({QStringLiteral("display")}, QStringLiteral("NAME"),
                      QStringLiteral("The packing the display controller takes: ") +
                          QString::fromStdString(presetNames()) +
                          QStringLiteral(". Packing options given beside it must agree with it."));
    const auto& outputOption =
        line.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT"),
                      QStringLiteral("The file to write; C and u8g2 write OUT.c and OUT.h."));
    std::vector<std::pair<const Flag*, const QCommandLineOption*>> orientedOptions;
    for (const Flag& f : kOrientedFlags) {
        const QString help = f.vertical ? QStringLiteral("With --bytes vertical.")
                                        : QStringLiteral("With --bytes horizontal.");
        orientedOptions.emplace_back(&f, &line.addFlag(QString::fromLatin1(f.name + 2), help));
    }
    std::vector<std::pair<bool ExportOptions::*, const QCommandLineOption*>> commonOptions;
    for (const auto& [name, field] : kCommonFlags)
        commonOptions.emplace_back(field, &line.addFlag(QString::fromLatin1(name + 2),
                                                        QStringLiteral("Both orientations.")));
    line.addArgument(QStringLiteral("FONT.fnt"), QStringLiteral("The font file to export."));
    if (const auto status = line.parse(args))
        return *status;

    ExportRequest request;
    const std::vector<std::string> files = line.arguments();
    if (files.size() > 1)
        return line.usageError("more than one font file given");
    if (files.empty())
        return line.usageError("no font file given");
    request.fontPath = files[0];
    const auto targetName = line.value(targetOption);
    if (!targetName)
        return line.usageError("--target " + targetNames(true) + " is required");
    auto bytes = line.value(bytesOption);
    const auto output = line.value(outputOption);
    const auto displayName = line.value(displayOption);
    const DisplayPreset* preset = nullptr;
    if (displayName) {
        preset = displayPresetNamed(*displayName);
        if (!preset || preset->custom())
            return line.usageError("unknown display '" + *displayName + "' (" + presetNames() +
                                   ")");
        if (*targetName == "bdf")
            return line.usageError("--target bdf takes no packing options ('--display')");
        const std::string presetBytes = preset->options.vertical ? "vertical" : "horizontal";
        if (bytes && *bytes != presetBytes)
            return line.usageError("--display " + *displayName + " packs " + presetBytes +
                                   " bytes, not '--bytes " + *bytes + "'");
        bytes = presetBytes;
    }

    if (*targetName == "bdf") {
        request.bdf = true;
        if (bytes)
            return line.usageError("--target bdf takes no packing options ('--bytes')");
        for (const auto& [flag, option] : orientedOptions) {
            if (line.isSet(*option))
                return line.usageError("--target bdf takes no packing options ('" +
                                       std::string(flag->name) + "')");
        }
        for (std::size_t i = 0; i < commonOptions.size(); ++i) {
            if (line.isSet(*commonOptions[i].second))
                return line.usageError("--target bdf takes no packing options ('" +
                                       std::string(kCommonFlags[i].first) + "')");
        }
        if (!output || output->empty())
            return line.usageError("-o OUT is required");
        request.output = *output;
        return request;
    }

    request.target = exportTargetNamed(*targetName);
    const bool packing = !request.target || request.target->packingOptions;
    if (packing && !bytes)
        return line.usageError("--bytes vertical|horizontal is required");
    if (!output)
        return line.usageError("-o OUT is required");
    if (!request.target)
        return line.usageError("unknown target '" + *targetName + "' (" + targetNames(false) + ")");

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

Result loadFontFile(const std::string& path, FontModel& font) {
    return readFontFile(pathFromSystem(path), font);
}

int runExportWith(const Args& args, const FontLoader& load) {
    auto parsed = parse(args);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const ExportRequest& request = std::get<ExportRequest>(parsed);
    if (request.bdf)
        return runBdfExport(request.fontPath, request.output, load);
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

    FontModel font;
    if (const Result read = load(request.fontPath, font); !read) {
        printError(read);
        return kRefused;
    }
    // An opened font's identifier is what the editor's identifier field shows.
    const std::string field = font.fontIdentifier;
    int flashBytes = 0;
    if (const Result written =
            exportFont(font, field, target.id, request.options, paths, &flashBytes);
        !written) {
        printError(written);
        return kRefused;
    }
    // A note, not an error: no "zelvik-cli:" in front.
    std::fprintf(stderr, "%s\n", flashSizeText(flashBytes).c_str());
    return kSuccess;
}

int runExport(const Args& args) {
    return runExportWith(args, loadFontFile);
}

std::string exportUsage() {
    return "  export FONT.fnt --target " + targetNames(true) +
           " [--display NAME | --bytes vertical|horizontal OPTIONS] -o OUT\n";
}

} // namespace zelvik::cli
