#pragma once

// Fonts of other programs read into a new font: BDF, Adafruit GFX headers and
// u8g2 font sources. Every kind is told apart by its content, never by the
// file's name, and reads from the bytes of the whole file. A file can hold
// several fonts (u8g2's own source holds hundreds); one is picked by its
// array's name.

#include "font/FontModel.h"
#include "font/Result.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zelvik {

// Larger files are refused before they are read; u8g2's source of every one
// of its fonts stays well below it.
constexpr std::size_t kLongestImportFile = 64 * 1024 * 1024;

constexpr const char* kCantOpenImportMessage = "Can't open font file!";
constexpr const char* kImportTooLargeMessage = "Font file is too large!\nThe limit is 64 MB.";
constexpr const char* kUnknownImportMessage =
    "Unknown font file!\nZelvik reads BDF fonts, Adafruit GFX headers and u8g2 font sources.";

struct ImportCounts {
    int taken = 0;   // glyphs that became characters, the cut ones among them
    int cut = 0;     // taken glyphs with ink outside their character's x-size by y-size
    int skipped = 0; // glyphs with no code 0-255, or whose code an earlier glyph took
};

struct FontImport {
    // A new font: the imported characters and the default BlankSlot, the
    // identifier from the font's name, code 0 current, modified and without a
    // file name, as "Save font" expects it.
    std::unique_ptr<FontModel> font;
    ImportCounts counts;
    // The kind that read it; set by importFontBytes and importFontFile.
    const struct FontKind* kind = nullptr;
};

struct FontKind {
    std::string_view name;       // "BDF", for messages and the summary
    std::string_view filterName; // "BDF fonts", for the file dialog
    std::string_view patterns;   // "*.bdf"
    // Whether the bytes look like this kind; only the first kind that says so reads them.
    bool (*recognizes)(std::string_view bytes);
    // The font named `fontName` (any name when empty and the file holds only one).
    Result<FontImport> (*read)(std::string_view bytes, std::string_view fontName);
};

// Every kind, in the order they are tried.
std::span<const FontKind> fontKinds();

// The kind that reads `bytes`, or null.
const FontKind* recognizedKind(std::string_view bytes);

// The font in `bytes`, of whichever kind it is.
Result<FontImport> importFontBytes(std::string_view bytes, std::string_view fontName);

// The font in the file at `path`.
Result<FontImport> importFontFile(const QString& path, std::string_view fontName);

// What an import took, for the status bar and zelvik-cli:
// "u8g2 import: 190 glyphs taken, 2 cut, 4 skipped".
QString importSummary(const FontKind& kind, const ImportCounts& counts);

// The refusal of a file with several fonts when none was named: how many and
// the first few names. `kindName` is the format's name.
Result<> severalFontsRefusal(std::string_view kindName, std::span<const std::string> names);
// The refusal when no font of the file has the name asked for.
Result<> noSuchFontRefusal(std::string_view kindName, std::string_view fontName,
                           std::span<const std::string> names);

// What the readers of the display libraries' fonts share: a new font filled
// glyph by glyph, each placed in the cell by the reader.
class ImportedFontBuilder {
public:
    // `arrayName` becomes the identifier as a C identifier; `ySize` is clamped
    // to 1-32 and `baseline` into the cell.
    ImportedFontBuilder(std::string_view arrayName, int ySize, int baseline);

    // Begins the glyph of `code` with x-size `advance` (clamped to 1-32); false
    // when it is skipped: a code outside 0-255 or one an earlier glyph took.
    bool begin(long long code, int advance);
    // Ink at cell position (x, y) of the glyph begun; outside its x-size by
    // y-size it is cut (and kept where the 32 by 32 matrix holds it).
    void ink(int x, int y);
    // Counts the glyph begun, or a skipped one when none was begun.
    void end();
    int ySize() const { return font_->ySize; }

    FontImport finish();

private:
    std::unique_ptr<FontModel> font_;
    ImportCounts counts_;
    CharSlot* slot_ = nullptr;
    bool cut_ = false;
};

// The kinds' own readers (FontKind::read).
Result<FontImport> readBdfFont(std::string_view bytes, std::string_view fontName);
Result<FontImport> readGfxFont(std::string_view bytes, std::string_view fontName);
Result<FontImport> readU8g2Font(std::string_view bytes, std::string_view fontName);

} // namespace zelvik
