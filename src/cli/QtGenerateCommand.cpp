// zelvik-cli generate with Qt's painter: a system font by family name, or a
// font file that FreeType alone can't draw as Qt does (see GenerateCommand.cpp).
#include "cli/DrawingCommands.h"
#include "cli/GenerateRequest.h"
#include "font/SystemPath.h"
#include "generator/QtGlyphRasterizer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

namespace zelvik::cli {

namespace {

// The font to draw with, or the message when the font file can't be used.
Result<QFont> chooseFont(const GenerateRequest& request) {
    if (request.fontFile.empty()) {
        QFont font(QString::fromStdString(request.family));
        font.setBold(request.bold);
        font.setItalic(request.italic);
        return font;
    }
    const QString path = pathFromSystem(request.fontFile);
    QFile file;
    const bool readable = openForReading(file, path).isEmpty();
    const QByteArray bytes = readable ? file.readAll() : QByteArray();
    const int id = readable ? QFontDatabase::addApplicationFontFromData(bytes) : -1;
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        const char* why = !systemFileExists(path) ? "no such file"
                          : !readable             ? "not readable"
                                                  : "not a font file Qt can load";
        return Result<>::fail(
            !readable ? Failure::CannotOpen : Failure::InvalidFormat,
            QString::fromStdString("Can't load font file '" + request.fontFile + "': " + why));
    }
    QFont font(families.first());
    if (request.bold || request.italic) {
        font.setBold(request.bold);
        font.setItalic(request.italic);
    } else {
        // The file's own face, not an installed face of the same family
        // that happens to be the family's regular one.
        font.setStyleName(QRawFont(bytes, request.pixelSize).styleName());
    }
    return font;
}

} // namespace

int runQtGenerate(const Args& args) {
    auto read = readGenerateRequest(args);
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const GenerateRequest& request = std::get<GenerateRequest>(read);
    const Result<QFont> chosen = chooseFont(request);
    if (!chosen) {
        printError(chosen);
        return kRefused;
    }
    const QFont font = drawingFont(*chosen, request.pixelSize);
    if (request.fontFile.empty() && !QFontDatabase::hasFamily(font.family())) {
        printError("the font family '" + request.family + "' is not installed; drawing with '" +
                   QFontInfo(font).family().toStdString() + "' instead");
    }
    QtGlyphRasterizer rasterizer(font);
    return writeGeneratedFont(request, rasterizer);
}

} // namespace zelvik::cli
