#pragma once

// BDF as an export target: the font file that other programs read, with the
// text and refusals of "Export BDF font...".

#include "export/SourceWriter.h"

namespace zelvik {

class BdfFontWriter final : public SourceWriter {
public:
    // A font without any defined code 0-255 has nothing to write.
    Result<> check(const ExportJob& job) const override;
    // The BDF text goes in `source`; it takes no flash.
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
