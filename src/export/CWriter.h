#pragma once

// C/C++: a source file with the 256-entry pointer table and one byte array per
// emitted character (element 0 the x-size, then the data bytes as b2b() calls,
// one unit per line), and a header declaring both with the types and the
// byte macro they need. The header's base name B names the include guard.

#include "export/SourceWriter.h"

namespace zelvik {

class CWriter final : public PointerTableWriter {
public:
    CWriter() : PointerTableWriter(BlockStyle::C, 24) {}

protected:
    void writeTableStart(Output& out) const override;
    void writeTableEntry(Output& out, int code, std::string_view name) const override;
    void writeTableEnd(Output& out) const override;
    void writeCharacter(Output& out, const Character& c) const override;
    void writeEnd(Output& out) const override;
};

} // namespace zelvik
