#pragma once

// AVR assembler (avrasm syntax): a table of 256 ".dw" words holding the byte
// address (label * 2) of each code's data in program memory, then each emitted
// character as ".db" lines of two bytes each. The assembler pads an odd byte
// count per line with a zero, which the compiled size counts.

#include "export/AssemblerWriter.h"

namespace zelvik {

class AvrWriter final : public AssemblerWriter {
public:
    AvrWriter() : AssemblerWriter("avrasm", "\t.dw\t", "*2", 11) {}

protected:
    void writeTableEntry(Output& out, int code, std::string_view name) const override;
    void writeCharacter(Output& out, const Character& c) const override;
    std::string compiledSizeLine(const ExportStatistics& stats, int ySize) const override;
};

} // namespace zelvik
