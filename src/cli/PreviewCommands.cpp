// zelvik-cli image FONT.fnt -o chars.bmp: the editor's "Generate charset image".
// zelvik-cli sample FONT.fnt --text TEXT [--scale N] -o strip.png: the sample
// strip under the editor, as a PNG picture.
// Both draw with Qt Gui on the offscreen platform, in the drawing module.
#include "cli/CommandLine.h"
#include "cli/DrawingCommands.h"
#include "font/SystemPath.h"

#include "font/Cp1250.h"
#include "font/FileReplacement.h"
#include "font/FontFile.h"
#include "font/ForceExtension.h"
#include "preview/CharsetImage.h"
#include "preview/SampleStrip.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <charconv>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace zelvik::cli {

namespace {

constexpr int kMaxScale = 16;

struct PreviewArgs {
    std::string input;
    std::string output;
    std::optional<std::string> text;
    std::optional<std::string> scale;
};

// The arguments, or the exit status after --help or a usage error. Only
// "sample" takes --text and --scale.
std::variant<PreviewArgs, int> parseArgs(const Args& args, bool takesText) {
    CommandLine line(takesText ? "sample" : "image",
                     takesText ? "FONT.fnt --text TEXT [--scale N] -o STRIP.png"
                               : "FONT.fnt -o CHARS.bmp",
                     takesText ? QStringLiteral("Write the sample strip for TEXT as a PNG picture "
                                                "of 762 by 50 pixels, as the editor shows it.")
                               : QStringLiteral("Write the picture of all 256 codes, 640 by 640, "
                                                "1 bit per pixel, as \"Generate charset image\" "
                                                "does."));
    const auto& output =
        line.addValue({QStringLiteral("o"), QStringLiteral("output")},
                      takesText ? QStringLiteral("STRIP.png") : QStringLiteral("CHARS.bmp"),
                      QStringLiteral("The picture to write."));
    std::optional<std::reference_wrapper<const QCommandLineOption>> text;
    std::optional<std::reference_wrapper<const QCommandLineOption>> scale;
    if (takesText) {
        text = line.addValue({QStringLiteral("text")}, QStringLiteral("TEXT"),
                             QStringLiteral("The sample text: Windows-1250, at most 128 "
                                            "characters."));
        scale = line.addValue({QStringLiteral("scale")}, QStringLiteral("N"),
                              QStringLiteral("Each pixel N by N (1-16, default 1)."));
    }
    line.addArgument(QStringLiteral("FONT.fnt"), QStringLiteral("The font file to draw."));
    if (const auto status = line.parse(args))
        return *status;
    const std::vector<std::string> files = line.arguments();
    if (files.size() > 1)
        return line.usageError("unexpected argument '" + files[1] + "'");
    PreviewArgs parsed;
    parsed.output = line.value(output).value_or(std::string());
    if (takesText) {
        parsed.text = line.value(*text);
        parsed.scale = line.value(*scale);
    }
    if (files.empty() || parsed.output.empty() || (takesText && !parsed.text))
        return line.usageError(takesText
                                   ? "usage: zelvik-cli sample FONT.fnt --text TEXT [--scale N] "
                                     "-o STRIP.png"
                                   : "usage: zelvik-cli image FONT.fnt -o CHARS.bmp");
    parsed.input = files[0];
    return parsed;
}

std::unique_ptr<FontModel> readFont(const std::string& path) {
    Result<FontModel> read = readFontFile(pathFromSystem(path));
    if (!read) {
        printError(read);
        return nullptr;
    }
    return std::make_unique<FontModel>(read.takeValue());
}

std::optional<int> scaleNamed(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxScale)
        return std::nullopt;
    return value;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace

int runImage(const Args& args) {
    const auto outcome = parseArgs(args, false);
    if (const int* status = std::get_if<int>(&outcome))
        return *status;
    const auto* parsed = &std::get<PreviewArgs>(outcome);
    const QString path = forceExtension(pathFromSystem(parsed->output), kCharsetImageExtension);
    if (const auto refused = refuseOutputOverInput("image", parsed->input, {path}))
        return *refused;
    const auto font = readFont(parsed->input);
    if (!font)
        return kRefused;
    const Result<> written = writeCharsetImage(*font, path);
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

int runSample(const Args& args) {
    const auto outcome = parseArgs(args, true);
    if (const int* status = std::get_if<int>(&outcome))
        return *status;
    const auto* parsed = &std::get<PreviewArgs>(outcome);
    int scale = 1;
    if (parsed->scale) {
        const auto value = scaleNamed(*parsed->scale);
        if (!value) {
            printError("sample: --scale must be a whole number from 1 to " +
                       std::to_string(kMaxScale) + ", not '" + *parsed->scale + "'");
            return kUsage;
        }
        scale = *value;
    }
    // The terminal's text, as the editor's field would hold it.
    const QString typed = QString::fromLocal8Bit(*parsed->text);
    const std::optional<std::string> text = toCp1250(typed);
    if (!text) {
        printError("sample: --text holds characters that Windows-1250 has no code for");
        return kUsage;
    }
    if (typed.size() > kMaxSampleTextLength) {
        printError("sample: --text holds " + std::to_string(typed.size()) +
                   " characters; the sample text holds at most " +
                   std::to_string(kMaxSampleTextLength));
        return kUsage;
    }
    const QString path = pathFromSystem(parsed->output);
    if (const auto refused = refuseOutputOverInput("sample", parsed->input, {path}))
        return *refused;
    const auto font = readFont(parsed->input);
    if (!font)
        return kRefused;
    const QByteArray png = pngBytes(scaleUp(renderSampleStrip(*font, *text), scale));
    if (png.isEmpty()) {
        printError("sample: the picture could not be encoded as PNG");
        return kRefused;
    }
    const Result<> written = replaceFile(
        path, png,
        QStringLiteral("Can't create picture file!\n%1").arg(QDir::toNativeSeparators(path)));
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
