// zelvik-cli export FONT.fnt --target bdf -o OUT.bdf: the font as a BDF font.
// BDF holds pixels, not packed bytes, so the packing options have no meaning
// here and are refused rather than ignored.
#include "cli/ExportCommand.h"
#include "font/SystemPath.h"

#include "font/BdfFile.h"

#include <QFile>

namespace zelvik::cli {

int runBdfExport(const std::string& fontPath, const std::string& output, const FontLoader& load) {
    if (const auto refused = refuseOutputOverInput("export", fontPath, {pathFromSystem(output)}))
        return *refused;
    FontModel font;
    if (const Result read = load(fontPath, font); !read) {
        printError(read);
        return kRefused;
    }
    if (const Result written = exportBdfFile(pathFromSystem(output), font, font.fontIdentifier);
        !written) {
        printError(written);
        return kRefused;
    }
    return kSuccess;
}

} // namespace zelvik::cli
