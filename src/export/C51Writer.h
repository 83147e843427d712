#pragma once

// 8051 assembler (asem51 syntax): a table of 256 "dw" words holding the address
// of each code's data, then each emitted character as "db" lines, one line per
// unit. Undefined codes point at the BlankSlot.

#include "export/SourceWriter.h"

namespace zelvik {

class C51Writer final : public SourceWriter {
public:
    ExportTarget target() const override { return ExportTarget::C51; }
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
