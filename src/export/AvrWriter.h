#pragma once

// AVR assembler (avrasm syntax): a table of 256 ".dw" words holding the byte
// address (label * 2) of each code's data in program memory, then each emitted
// character as ".db" lines of two bytes each. The assembler pads an odd byte
// count per line with a zero, which the compiled size counts.

#include "export/SourceWriter.h"

namespace zelvik {

class AvrWriter final : public SourceWriter {
public:
    ExportTarget target() const override { return ExportTarget::Avr; }
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
