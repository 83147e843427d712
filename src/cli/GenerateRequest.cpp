#include "cli/GenerateRequest.h"

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
std::optional<std::string> parseCodeList(const std::string& list, CodeSelection& codes) {
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
            return "generate: --codes takes a comma list of letters, digits, specials and high, "
                   "not '" +
                   word + "'";
        if (comma == std::string::npos)
            return std::nullopt;
        start = comma + 1;
    }
}

// What the editor's identifier field takes from the keyboard: no spaces and no
// characters beyond ASCII.
bool validIdentifier(const std::string& id) {
    if (id.empty() || id.size() > static_cast<std::size_t>(kMaxIdentifierLength))
        return false;
    for (unsigned char c : id) {
        if (c <= 0x20 || c >= 0x7F)
            return false;
    }
    return true;
}

} // namespace

std::variant<GenerateRequest, std::string> parseGenerateRequest(const Args& args) {
    GenerateRequest request;
    bool haveCodes = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (arg == "--bold") {
            request.bold = true;
        } else if (arg == "--italic") {
            request.italic = true;
        } else if (arg == "--no-align") {
            request.post.alignLeft = false;
        } else if (arg == "--align-digits") {
            request.post.keepDigitBearing = false;
        } else if (arg == "--no-min-x-size") {
            request.post.minimumXSize = false;
        } else if (arg == "--family" || arg == "--font-file" || arg == "--pixel-size" ||
                   arg == "--codes" || arg == "--high-codes" || arg == "--y-offset" ||
                   arg == "--identifier" || arg == "--version" || arg == "-o") {
            const std::string* v = value();
            if (!v)
                return "generate: " + arg + " needs a value";
            if (arg == "--family") {
                request.family = *v;
            } else if (arg == "--font-file") {
                request.fontFile = *v;
            } else if (arg == "--pixel-size") {
                const auto n = wholeNumber(*v);
                if (!n || *n < 1 || *n > kMaxPixelSize)
                    return "generate: --pixel-size must be a whole number from 1 to " +
                           std::to_string(kMaxPixelSize) + ", not '" + *v + "'";
                request.pixelSize = *n;
            } else if (arg == "--codes") {
                if (auto error = parseCodeList(*v, request.codes))
                    return *error;
                haveCodes = true;
            } else if (arg == "--high-codes") {
                if (*v == "all")
                    request.highPreset = HighCodePreset::All;
                else if (*v == "czech")
                    request.highPreset = HighCodePreset::Czech;
                else
                    return "generate: --high-codes must be all or czech, not '" + *v + "'";
            } else if (arg == "--y-offset") {
                const auto n = wholeNumber(*v);
                if (!n || *n < kMinYOffset || *n > kMaxYOffset)
                    return "generate: --y-offset must be a whole number from -32 to 32, not '" +
                           *v + "'";
                request.yOffset = *n;
            } else if (arg == "--identifier") {
                if (!validIdentifier(*v))
                    return "generate: --identifier must be 1 to 255 ASCII characters without "
                           "spaces, not '" +
                           *v + "'";
                request.identifier = *v;
            } else if (arg == "--version") {
                if (*v == "1.0" || *v == "1")
                    request.version = FontFileVersion::V1;
                else if (*v == "2.0" || *v == "2")
                    request.version = FontFileVersion::V2;
                else
                    return "generate: --version must be 1.0 or 2.0, not '" + *v + "'";
            } else {
                request.output = *v;
            }
        } else {
            return "generate: unexpected argument '" + arg + "'";
        }
    }
    if (request.family.empty() == request.fontFile.empty())
        return std::string("generate: give either --family NAME or --font-file FILE");
    if (request.pixelSize == 0)
        return std::string("generate: --pixel-size N is required");
    if (request.identifier.empty())
        return std::string("generate: --identifier ID is required");
    if (request.output.empty())
        return std::string("generate: -o OUT.fnt is required");
    if (request.highPreset) {
        if (haveCodes && !request.codes.high)
            return std::string("generate: --high-codes needs 'high' in --codes");
        request.codes.highCodes = presetSelection(*request.highPreset);
    }
    return request;
}

std::variant<GenerateRequest, int> readGenerateRequest(const Args& args) {
    auto parsed = parseGenerateRequest(args);
    if (const auto* usage = std::get_if<std::string>(&parsed)) {
        printError(*usage);
        return kUsage;
    }
    if (std::get<GenerateRequest>(parsed).version == FontFileVersion::V1) {
        printError("Version 1.0 can't hold a generated font: generated fonts are 32 pixels high "
                   "and version 1.0 holds at most 16. Use --version 2.0.");
        return kRefused;
    }
    return std::move(std::get<GenerateRequest>(parsed));
}

int writeGeneratedFont(const GenerateRequest& request, GlyphRasterizer& rasterizer) {
    auto model = std::make_unique<FontModel>();
    WorkingCharacter working;
    resetFont(*model, working);
    generateCharacters(*model, generationList(request.codes), request.post, request.yOffset,
                       rasterizer);

    const std::string bytes =
        serializeFontFile(request.version, request.identifier, model->ySize, *model);
    const Result written =
        replaceFile(QFile::decodeName(request.output.c_str()),
                    QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                    QString::fromLatin1(kCantCreateFontFileMessage));
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
