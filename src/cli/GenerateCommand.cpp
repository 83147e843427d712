// zelvik-cli generate: a new font rendered from a system font or a font file,
// exactly as the editor's "Generate font" renders it, written as a font file.
// A font file is drawn here with FreeType when that gives Qt's very pixels;
// everything else goes to the drawing module and Qt's painter.
#include "cli/DrawingModule.h"
#include "cli/GenerateRequest.h"
#include "font/SystemPath.h"
#include "generator/FreeTypeGlyphRasterizer.h"

#include <QFile>

namespace zelvik::cli {

int runGenerate(const Args& args) {
    auto read = readGenerateRequest(args);
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const GenerateRequest& request = std::get<GenerateRequest>(read);
    // Bold and italic ask Qt to pick or synthesise a style: its job.
    if (request.fontFile.empty() || request.bold || request.italic)
        return runInDrawingModule("generate", args);

    const auto rasterizer =
        FreeTypeGlyphRasterizer::open(pathFromSystem(request.fontFile), request.pixelSize);
    if (!rasterizer) {
        printError("Can't load font file '" + request.fontFile +
                   "': " + rasterizer.message.toStdString());
        return kRefused;
    }
    if (!(*rasterizer)->accepts(generationList(request.codes)))
        return runInDrawingModule("generate", args);
    return writeGeneratedFont(request, **rasterizer);
}

} // namespace zelvik::cli
