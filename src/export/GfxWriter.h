#pragma once

// Adafruit GFX: one header in the form of the fonts that ship with the
// library: the bitmaps, the glyph table and the GFXfont, all in PROGMEM.

#include "export/SourceWriter.h"

namespace zelvik {

class GfxWriter final : public SourceWriter {
public:
    Result<> check(const ExportJob& job) const override;
    // The header is the one output file, so it goes in `source`.
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
