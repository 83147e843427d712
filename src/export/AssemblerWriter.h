#pragma once

// What the 8051 and AVR writers share: a line naming the assembler, the
// assembler-style statistics block, and a pointer table of one word per code
// ("I:" on the first line, then "<directive>I_N<suffix>\t;code"), followed by
// an empty line. Each word counts two bytes of the compiled font.

#include "export/SourceWriter.h"

#include <string_view>

namespace zelvik {

class AssemblerWriter : public PointerTableWriter {
protected:
    AssemblerWriter(std::string_view compiler, std::string_view directive, std::string_view suffix,
                    int charsPerDataByte)
        : PointerTableWriter(BlockStyle::Assembler, charsPerDataByte), compiler_(compiler),
          directive_(directive), suffix_(suffix) {}

    void writeTop(Output& out) const override;
    void writeTableStart(Output& out) const override;
    void writeTableEntry(Output& out, int code, std::string_view name) const override;
    void writeTableEnd(Output& out) const override;

private:
    std::string_view compiler_;
    std::string_view directive_;
    std::string_view suffix_;
};

} // namespace zelvik
