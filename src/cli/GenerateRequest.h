#pragma once

// zelvik-cli generate's arguments, and the font it writes: one parser and
// one writer whether the glyphs come from FreeType (a font file, in the
// program itself) or from Qt's painter (a system font, in the drawing module).

#include "cli/CliCommands.h"
#include "generator/CodeSelection.h"
#include "generator/FontGenerator.h"
#include "generator/GlyphRasterizer.h"

#include <optional>
#include <string>
#include <variant>

namespace zelvik::cli {

struct GenerateRequest {
    std::string family;
    std::string fontFile;
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
    CodeSelection codes;
    std::optional<HighCodePreset> highPreset;
    PostProcessing post;
    int yOffset = 0;
    std::string identifier;
    FontFileVersion version = FontFileVersion::V2;
    std::string output;
};

// The parsed request, or the exit status after --help, or after printing why
// there is none (a usage error, or a file version that can't hold a
// generated font).
std::variant<GenerateRequest, int> readGenerateRequest(const Args& args);

// Renders the request's codes with `rasterizer` into a new font and writes
// it; returns the exit status.
int writeGeneratedFont(const GenerateRequest& request, GlyphRasterizer& rasterizer);

} // namespace zelvik::cli
