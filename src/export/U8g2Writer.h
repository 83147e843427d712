#pragma once

// u8g2: a C source holding the font as one byte array in the library's font
// format (a 23-byte header, then run-length encoded glyph records keyed by
// Unicode), and a header declaring it.

#include "export/SourceWriter.h"

namespace zelvik {

class U8g2Writer final : public SourceWriter {
public:
    Result<> check(const ExportJob& job) const override;
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
