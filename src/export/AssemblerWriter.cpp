#include "export/AssemblerWriter.h"

#include "export/WriterText.h"

namespace zelvik {

using namespace writer;

void AssemblerWriter::writeTop(Output& out) const {
    out.source += ";compiler: ";
    out.source += compiler_;
    out.source += "\r\n\r\n";
}

void AssemblerWriter::writeTableStart(Output& out) const {
    // The label stands at the start of the first table line.
    out.source += out.id;
    out.source += ':';
}

void AssemblerWriter::writeTableEntry(Output& out, int code, std::string_view name) const {
    std::string& s = out.source;
    s += directive_;
    appendLabel(s, out.id, name);
    s += suffix_;
    s += "\t;";
    appendIntLeft(s, code, 3);
    s += kEol;
    out.stats.compiledSize += 2;
}

void AssemblerWriter::writeTableEnd(Output& out) const {
    out.source += kEol;
}

} // namespace zelvik
