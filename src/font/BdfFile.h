#pragma once

// BDF (Glyph Bitmap Distribution Format 2.1), the interchange format of bitmap
// fonts, read into a new font and written from one.
//
// Reading: the character cell is FONT_ASCENT + FONT_DESCENT rows (or the
// FONTBOUNDINGBOX where those properties are missing) with row 0 at the ascent
// line and the baseline FONT_ASCENT rows below it; every glyph lands at its BBX offsets, its DWIDTH
// (clamped to 1-32) becomes the x-size and its automatic symbol name the name. Which code a glyph
// takes depends on CHARSET_REGISTRY: ISO10646 and ISO8859-1 ENCODINGs are Unicode, ISO8859-2 goes
// through its own table, and both reach codes 0x80-0xFF through Windows-1250; any other registry,
// or none, takes ENCODING as the code itself. A file with a syntax fault anywhere is refused whole,
// with its line number.
//
// Writing: one glyph per defined code 0-255 (the BlankSlot is ours alone), as
// ISO10646 with each code's Windows-1250 character, in a cell of the y-size
// standing on the font's baseline, so that reading our own file gives back
// every defined character's pixels and x-size, the y-size and the baseline.

#include "font/FontImport.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zelvik {

// Larger files are refused before they are read: real BDF fonts with every
// Unicode glyph stay well below it.
constexpr std::size_t kLongestBdfFile = 64 * 1024 * 1024;

constexpr const char* kCantOpenBdfMessage = "Can't open BDF file!";
constexpr const char* kBdfTooLargeMessage = "BDF file is too large!\nThe limit is 64 MB.";
constexpr const char* kCantCreateBdfMessage = "Can't create BDF file!";
constexpr const char* kNothingToExportBdfMessage =
    "Can't export BDF file!\nThe font has no characters to export.";
// Syntax faults: "Invalid BDF file!\nLine 12: " and what is wrong there.
constexpr const char* kInvalidBdfMessage = "Invalid BDF file!";

using BdfImportCounts = ImportCounts;
using BdfImport = FontImport;

// The font in `bytes`. `imported` is set only on success.
Result parseBdf(std::string_view bytes, BdfImport& imported);

// The font in the file at `path`. `imported` is set only on success.
Result importBdfFile(const QString& path, BdfImport& imported);

// What an import took, for the status bar and zelvik-cli:
// "BDF import: 190 glyphs taken, 2 cut, 4587 skipped".
QString bdfImportSummary(const BdfImportCounts& counts);

// FAMILY_NAME as a font identifier: letters, digits and '_', every other run
// one '_', none at either end, "font_" before a leading digit; at most 255 bytes.
std::string identifierFromFamilyName(std::string_view familyName);

// The BDF text of the font's defined codes 0-255, named after `identifier`.
std::string serializeBdf(const FontModel& font, std::string_view identifier);

// Writes serializeBdf(...) to `path` through replaceFile. A font without any
// defined code 0-255 is refused (kNothingToExportBdfMessage, Failure::Refused).
Result exportBdfFile(const QString& path, const FontModel& font, std::string_view identifier);

} // namespace zelvik
