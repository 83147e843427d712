#include "cli/GenerateRequest.h"
#include "font/SystemPath.h"

#include "cli/CommandLine.h"

#include "font/FileReplacement.h"
#include "font/FontFile.h"

#include <QFile>

#include <charconv>
#include <memory>

namespace zelvik::cli {

namespace {

constexpr int kMaxPixelSize = 255;

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

// "letters,digits,specials,high" in any order and number.
Result<CodeSelection> parseCodeList(const std::string& list) {
    CodeSelection codes;
    codes.letters = codes.digits = codes.specials = codes.high = false;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string word = list.substr(start, comma - start);
        if (word == "letters")
            codes.letters = true;
        else if (word == "digits")
            codes.digits = true;
        else if (word == "specials")
            codes.specials = true;
        else if (word == "high")
            codes.high = true;
        else
            return Result<>::fail(
                Failure::Refused,
                QString::fromStdString("--codes takes a comma list of letters, digits, specials "
                                       "and high, not '" +
                                       word + "'"));
        if (comma == std::string::npos)
            return codes;
        start = comma + 1;
    }
}

} // namespace

std::variant<GenerateRequest, int> readGenerateRequest(const Args& args) {
    CommandLine line("generate",
                     "(--family NAME | --font-file FILE.ttf|.otf) --pixel-size N [OPTIONS] "
                     "--identifier ID [--version 2.0] -o OUT.fnt",
                     QStringLiteral("Render a font into a new font file, as the editor's "
                                    "\"Generate font\" does."));
    const auto value = [&line](const char* name, const char* valueName,
                               const char* help) -> const QCommandLineOption& {
        return line.addValue({QString::fromLatin1(name)}, QString::fromLatin1(valueName),
                             QString::fromLatin1(help));
    };
    const auto& family = value("family", "NAME", "An installed font family to draw with.");
    const auto& fontFile =
        value("font-file", "FILE", "A font file (TrueType, OpenType) to draw with.");
    const auto& pixelSize = value("pixel-size", "N", "The size to draw at, in pixels (1-255).");
    const auto& codes = value("codes", "LIST",
                              "Comma list of letters, digits, specials, high (default "
                              "letters,digits,specials: 0x20-0x7F).");
    const auto& highCodes =
        value("high-codes", "all|czech", "Which of 0x80-0xFF 'high' renders (default all).");
    const auto& yOffset =
        value("y-offset", "N", "Move the characters down by N pixels (-32..32, default 0).");
    const auto& identifier = value("identifier", "ID", "The font's identifier.");
    const auto& version = value("version", "2.0", "The file version to write (default 2.0).");
    const auto& output =
        line.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.fnt"),
                      QStringLiteral("The file to write."));
    const auto& bold =
        line.addFlag(QStringLiteral("bold"), QStringLiteral("The face's bold style."));
    const auto& italic =
        line.addFlag(QStringLiteral("italic"), QStringLiteral("The face's italic style."));
    const auto& noAlign = line.addFlag(QStringLiteral("no-align"),
                                       QStringLiteral("Keep every character's left bearing."));
    const auto& alignDigits = line.addFlag(QStringLiteral("align-digits"),
                                           QStringLiteral("Align 0-9 left like the rest."));
    const auto& noMinXSize = line.addFlag(QStringLiteral("no-min-x-size"),
                                          QStringLiteral("Every character 32 pixels wide."));
    if (const auto status = line.parse(args))
        return *status;
    if (const auto extra = line.arguments(); !extra.empty())
        return line.usageError("unexpected argument '" + extra.front() + "'");

    GenerateRequest request;
    request.bold = line.isSet(bold);
    request.italic = line.isSet(italic);
    request.post.alignLeft = !line.isSet(noAlign);
    request.post.keepDigitBearing = !line.isSet(alignDigits);
    request.post.minimumXSize = !line.isSet(noMinXSize);
    request.family = line.value(family).value_or(std::string());
    request.fontFile = line.value(fontFile).value_or(std::string());
    if (const auto v = line.value(pixelSize)) {
        const auto n = wholeNumber(*v);
        if (!n || *n < 1 || *n > kMaxPixelSize)
            return line.usageError("--pixel-size must be a whole number from 1 to " +
                                   std::to_string(kMaxPixelSize) + ", not '" + *v + "'");
        request.pixelSize = *n;
    }
    const auto codeList = line.value(codes);
    if (codeList) {
        const Result<CodeSelection> parsedCodes = parseCodeList(*codeList);
        if (!parsedCodes)
            return line.usageError(parsedCodes.message.toStdString());
        request.codes = *parsedCodes;
    }
    if (const auto v = line.value(highCodes)) {
        if (*v == "all")
            request.highPreset = HighCodePreset::All;
        else if (*v == "czech")
            request.highPreset = HighCodePreset::Czech;
        else
            return line.usageError("--high-codes must be all or czech, not '" + *v + "'");
    }
    if (const auto v = line.value(yOffset)) {
        const auto n = wholeNumber(*v);
        if (!n || *n < kMinYOffset || *n > kMaxYOffset)
            return line.usageError("--y-offset must be a whole number from -32 to 32, not '" + *v +
                                   "'");
        request.yOffset = *n;
    }
    if (const auto status = line.readIdentifier(identifier, request.identifier))
        return *status;
    if (const auto status = line.readFileVersion(version, request.version))
        return *status;
    request.output = line.value(output).value_or(std::string());

    if (request.family.empty() == request.fontFile.empty())
        return line.usageError("give either --family NAME or --font-file FILE");
    if (request.pixelSize == 0)
        return line.usageError("--pixel-size N is required");
    if (request.identifier.empty())
        return line.usageError("--identifier ID is required");
    if (request.output.empty())
        return line.usageError("-o OUT.fnt is required");
    if (request.highPreset) {
        if (codeList && !request.codes.high)
            return line.usageError("--high-codes needs 'high' in --codes");
        request.codes.highCodes = presetSelection(*request.highPreset);
    }
    if (request.version == FontFileVersion::V1) {
        printError("Version 1.0 can't hold a generated font: generated fonts are 32 pixels high "
                   "and version 1.0 holds at most 16. Use --version 2.0.");
        return kRefused;
    }
    return request;
}

int writeGeneratedFont(const GenerateRequest& request, GlyphRasterizer& rasterizer) {
    if (!request.fontFile.empty()) {
        if (const auto refused = refuseOutputOverInput("generate", request.fontFile,
                                                       {pathFromSystem(request.output)}))
            return *refused;
    }
    auto model = std::make_unique<FontModel>();
    WorkingCharacter working;
    resetFont(*model, working);
    generateCharacters(*model, generationList(request.codes), request.post, request.yOffset,
                       rasterizer);

    const std::string bytes =
        serializeFontFile(request.version, request.identifier, model->ySize, *model);
    const Result<> written =
        replaceFile(pathFromSystem(request.output),
                    QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                    QString::fromLatin1(kCantCreateFontFileMessage));
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
