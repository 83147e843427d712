// zelvik-cli image FONT.fnt -o chars.bmp: the editor's "Generate charset image".
// zelvik-cli sample FONT.fnt --text TEXT [--scale N] -o strip.png: the sample
// strip under the editor, as a PNG picture.
// Both draw with Qt Gui on the offscreen platform, in the drawing module.
#include "cli/DrawingCommands.h"

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
#include <memory>
#include <optional>

namespace zelvik::cli {

namespace {

constexpr int kMaxScale = 16;

struct PreviewArgs {
    std::string input;
    std::string output;
    std::optional<std::string> text;
    std::optional<std::string> scale;
};

// The words of `args`, or nothing after a usage message. Only "sample"
// takes --text and --scale.
std::optional<PreviewArgs> parseArgs(const std::string& command, const Args& args, bool takesText) {
    PreviewArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<std::string>* slot = nullptr;
        if (word == "-o") {
            if (!hasValue || !parsed.output.empty()) {
                printError(command + ": -o needs one file name");
                return std::nullopt;
            }
            parsed.output = args[++i];
            continue;
        }
        if (takesText && word == "--text")
            slot = &parsed.text;
        else if (takesText && word == "--scale")
            slot = &parsed.scale;
        if (slot) {
            if (!hasValue || *slot) {
                printError(command + ": " + word + " needs one value");
                return std::nullopt;
            }
            *slot = args[++i];
        } else if (word.starts_with('-') || !parsed.input.empty()) {
            printError(command + ": unexpected argument '" + word + "'");
            return std::nullopt;
        } else {
            parsed.input = word;
        }
    }
    if (parsed.input.empty() || parsed.output.empty() || (takesText && !parsed.text)) {
        printError(takesText ? "sample: usage: zelvik-cli sample FONT.fnt --text TEXT "
                               "[--scale N] -o STRIP.png"
                             : "image: usage: zelvik-cli image FONT.fnt -o CHARS.bmp");
        return std::nullopt;
    }
    return parsed;
}

std::unique_ptr<FontModel> readFont(const std::string& path) {
    auto font = std::make_unique<FontModel>();
    const Result read = readFontFile(QFile::decodeName(path.c_str()), *font);
    if (!read) {
        printError(read);
        return nullptr;
    }
    return font;
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
    const auto parsed = parseArgs("image", args, false);
    if (!parsed)
        return kUsage;
    const auto font = readFont(parsed->input);
    if (!font)
        return kRefused;
    const QString path =
        forceExtension(QFile::decodeName(parsed->output.c_str()), kCharsetImageExtension);
    const Result written = writeCharsetImage(*font, path);
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

int runSample(const Args& args) {
    const auto parsed = parseArgs("sample", args, true);
    if (!parsed)
        return kUsage;
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
    const auto font = readFont(parsed->input);
    if (!font)
        return kRefused;
    const QByteArray png = pngBytes(scaleUp(renderSampleStrip(*font, *text), scale));
    if (png.isEmpty()) {
        printError("sample: the picture could not be encoded as PNG");
        return kRefused;
    }
    const QString path = QFile::decodeName(parsed->output.c_str());
    const Result written = replaceFile(
        path, png,
        QStringLiteral("Can't create picture file!\n%1").arg(QDir::toNativeSeparators(path)));
    if (!written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
