#pragma once

// 8051 assembler (asem51 syntax): a table of 256 "dw" words holding the address
// of each code's data, then each emitted character as "db" lines, one line per
// unit. Undefined codes point at the BlankSlot.

#include "export/AssemblerWriter.h"

namespace zelvik {

class C51Writer final : public AssemblerWriter {
public:
    C51Writer() : AssemblerWriter("asem51", "\tdw\t", "", 10) {}

protected:
    void writeCharacter(Output& out, const Character& c) const override;
    std::string compiledSizeLine(const ExportStatistics& stats, int ySize) const override;
};

} // namespace zelvik
