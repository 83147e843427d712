#include "cli/ExportCommand.h"

#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "font/FontFile.h"

#include <QFile>

#include <map>
#include <variant>
#include <vector>

namespace zelvik::cli {

namespace {

struct ExportRequest {
    std::string fontPath;
    ExportTarget target = ExportTarget::C;
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

// The parsed request, or the usage error to print.
std::variant<ExportRequest, std::string> parse(const Args& args) {
    ExportRequest request;
    std::map<std::string, std::string> values; // --target, --bytes, -o
    std::vector<const Flag*> oriented;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--target" || arg == "--bytes" || arg == "-o") {
            if (i + 1 >= args.size())
                return "export: " + arg + " needs a value";
            if (values.count(arg))
                return "export: " + arg + " given twice";
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
                known = true;
            }
        }
        if (known)
            continue;
        if (arg.size() > 1 && arg[0] == '-')
            return "export: unknown option '" + arg + "'";
        if (!request.fontPath.empty())
            return "export: more than one font file given";
        request.fontPath = arg;
    }

    if (request.fontPath.empty())
        return std::string("export: no font file given");
    if (!values.count("--target"))
        return std::string("export: --target c51|avr|c|bdf is required");
    if (!values.count("--bytes"))
        return std::string("export: --bytes vertical|horizontal is required");
    if (!values.count("-o"))
        return std::string("export: -o OUT is required");

    const std::string& target = values["--target"];
    if (target == "c51")
        request.target = ExportTarget::C51;
    else if (target == "avr")
        request.target = ExportTarget::Avr;
    else if (target == "c")
        request.target = ExportTarget::C;
    else
        return "export: unknown target '" + target + "' (c51, avr, c or bdf)";

    const std::string& bytes = values["--bytes"];
    if (bytes != "vertical" && bytes != "horizontal")
        return "export: unknown byte orientation '" + bytes + "' (vertical or horizontal)";
    request.options.vertical = bytes == "vertical";
    for (const Flag* f : oriented) {
        if (f->vertical != request.options.vertical)
            return std::string("export: ") + f->name + " needs --bytes " +
                   (f->vertical ? "vertical" : "horizontal");
        request.options.*(f->field) = true;
    }

    request.output = values["-o"];
    if (request.output.empty())
        return std::string("export: -o needs a file name");
    return request;
}

} // namespace

std::optional<std::string> loadFontFile(const std::string& path, FontModel& font) {
    const ReadFontOutcome outcome = readFontFile(QFile::decodeName(path.c_str()), font);
    if (outcome == ReadFontOutcome::Success)
        return std::nullopt;
    return std::string(fontFileMessage(outcome));
}

int runExportWith(const Args& args, const FontLoader& load) {
    if (wantsBdfTarget(args))
        return runBdfExport(args, load);
    const auto parsed = parse(args);
    if (const auto* usage = std::get_if<std::string>(&parsed)) {
        printError(*usage);
        return kUsage;
    }
    const ExportRequest& request = std::get<ExportRequest>(parsed);

    const ExportPaths paths =
        exportPathsForOutput(request.target, QFile::decodeName(request.output.c_str()));
    if (request.target == ExportTarget::C && paths.header == paths.source) {
        printError("export: " + request.output + " would be both the source and its header");
        return kUsage;
    }

    FontModel font;
    if (auto failure = load(request.fontPath, font)) {
        printError(*failure);
        return kRefused;
    }
    // An opened font's identifier is what the editor's identifier field shows.
    const std::string field = font.fontIdentifier;
    if (auto failure = exportFont(font, field, request.target, request.options, paths)) {
        printError(*failure);
        return kRefused;
    }
    return kSuccess;
}

int runExport(const Args& args) {
    return runExportWith(args, loadFontFile);
}

} // namespace zelvik::cli
