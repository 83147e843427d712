#include "cli/ExportCommand.h"

#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "font/FontFile.h"

#include <QFile>

#include <map>
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

Result usageError(std::string message) {
    return Result::fail(Failure::Refused, QString::fromStdString("export: " + message));
}

// Fills `request` from the arguments; fails with the usage error to print.
Result parse(const Args& args, ExportRequest& request) {
    std::map<std::string, std::string> values; // --target, --bytes, -o
    std::vector<const Flag*> oriented;
    bool commonFlags = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--target" || arg == "--bytes" || arg == "-o") {
            if (i + 1 >= args.size())
                return usageError(arg + " needs a value");
            if (values.count(arg))
                return usageError(arg + " given twice");
            values[arg] = args[++i];
            continue;
        }
        bool known = false;
        for (const Flag& f : kOrientedFlags) {
            if (arg == f.name) {
                oriented.push_back(&f);
                known = true;
            }
        }
        for (const auto& [name, field] : kCommonFlags) {
            if (arg == name) {
                request.options.*field = true;
                commonFlags = known = true;
            }
        }
        if (known)
            continue;
        if (arg.size() > 1 && arg[0] == '-')
            return usageError("unknown option '" + arg + "'");
        if (!request.fontPath.empty())
            return usageError("more than one font file given");
        request.fontPath = arg;
    }

    if (request.fontPath.empty())
        return usageError("no font file given");
    if (!values.count("--target"))
        return usageError("--target " + targetNames(true) + " is required");
    const std::string& targetName = values["--target"];
    request.target = exportTargetNamed(targetName);
    const bool packing = !request.target || request.target->packingOptions;
    if (packing && !values.count("--bytes"))
        return usageError("--bytes vertical|horizontal is required");
    if (!values.count("-o"))
        return usageError("-o OUT is required");
    if (!request.target)
        return usageError("unknown target '" + targetName + "' (" + targetNames(false) + ")");

    if (!packing) {
        if (values.count("--bytes") || commonFlags || !oriented.empty())
            return usageError("--target " + targetName + " takes no byte packing options");
    } else {
        const std::string& bytes = values["--bytes"];
        if (bytes != "vertical" && bytes != "horizontal")
            return usageError("unknown byte orientation '" + bytes + "' (vertical or horizontal)");
        request.options.vertical = bytes == "vertical";
        for (const Flag* f : oriented) {
            if (f->vertical != request.options.vertical)
                return usageError(std::string(f->name) + " needs --bytes " +
                                  (f->vertical ? "vertical" : "horizontal"));
            request.options.*(f->field) = true;
        }
    }

    request.output = values["-o"];
    if (request.output.empty())
        return usageError("-o needs a file name");
    return Result::success();
}

} // namespace

Result loadFontFile(const std::string& path, FontModel& font) {
    return readFontFile(QFile::decodeName(path.c_str()), font);
}

int runExportWith(const Args& args, const FontLoader& load) {
    if (wantsBdfTarget(args))
        return runBdfExport(args, load);
    ExportRequest request;
    if (const Result usage = parse(args, request); !usage) {
        printError(usage);
        return kUsage;
    }
    const ExportTargetInfo& target = *request.target;

    const ExportPaths paths = target.pathsForOutput(QFile::decodeName(request.output.c_str()));
    if (target.hasHeader() && paths.header == paths.source) {
        printError("export: " + request.output + " would be both the source and its header");
        return kUsage;
    }

    FontModel font;
    if (const Result read = load(request.fontPath, font); !read) {
        printError(read);
        return kRefused;
    }
    // An opened font's identifier is what the editor's identifier field shows.
    const std::string field = font.fontIdentifier;
    if (const Result written = exportFont(font, field, target.id, request.options, paths);
        !written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

int runExport(const Args& args) {
    return runExportWith(args, loadFontFile);
}

std::string exportUsage() {
    return "  export FONT.fnt --target " + targetNames(true) +
           " [--bytes vertical|horizontal OPTIONS] -o OUT\n";
}

} // namespace zelvik::cli
