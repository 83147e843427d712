#pragma once

// One writer per family of generated source. A writer turns the stored slots
// of a font into the exact bytes of its file(s) in memory, CR LF line ends and
// statistics included; putting them on disk is ExportFiles' job.

#include "export/ExportOptions.h"
#include "export/ExportStatistics.h"
#include "export/ExportTarget.h"
#include "font/FontModel.h"

#include <memory>
#include <string>

namespace zelvik {

struct ExportJob {
    const FontModel& font;
    std::string identifier; // the font identifier to print (after the field fallback)
    ExportOptions options;
    std::string guardBase; // C/C++: the header's base name B, for "#include" and the guard
};

struct GeneratedFiles {
    std::string source; // the assembler file, or the C/C++ source
    std::string header; // C/C++ only
    ExportStatistics statistics;
};

class SourceWriter {
public:
    virtual ~SourceWriter() = default;
    virtual ExportTarget target() const = 0;
    virtual GeneratedFiles generate(const ExportJob& job) const = 0;
};

std::unique_ptr<SourceWriter> makeSourceWriter(ExportTarget target);

} // namespace zelvik
