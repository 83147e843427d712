#pragma once

// One writer per family of generated source. A writer turns the stored slots
// of a font into the exact bytes of its file(s) in memory, CR LF line ends and
// statistics included; putting them on disk is ExportFiles' job.

#include "export/ExportOptions.h"
#include "export/ExportStatistics.h"
#include "export/StatisticsBlock.h"
#include "font/FontModel.h"
#include "font/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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
    // Bytes the font takes in the controller's flash: the data of the
    // statistics block, or everything a display library's arrays hold.
    int flashBytes = 0;
};

class SourceWriter {
public:
    virtual ~SourceWriter() = default;
    // The refusals of a font the output cannot hold beyond those every
    // export runs (checkExportable), before anything is generated;
    // generate() may assume they passed.
    virtual Result<> check(const ExportJob&) const { return Result<>::success(); }
    virtual GeneratedFiles generate(const ExportJob& job) const = 0;
};

// The walk every writer of a pointer table takes: the statistics block, one
// table entry per code 0-255 (an undefined code names the BlankSlot), each
// emitted character packed into bytes (the defined codes ascending, then the
// BlankSlot when it has a name), and the statistics written into the block
// last. It counts the statistics all writers share; a writer supplies only
// its text, through the hooks below, and counts what only it reports.
class PointerTableWriter : public SourceWriter {
public:
    GeneratedFiles generate(const ExportJob& job) const final;

protected:
    // Where the hooks write.
    struct Output {
        const ExportJob& job;
        std::string_view id; // the identifier to print
        int ySize;           // the font's, kept in 1-32
        std::string& source;
        std::string& header;
        ExportStatistics& stats;
    };

    struct Character {
        int index; // 0-255, or kBlankSlot
        std::string_view name;
        int xSize;                          // kept in 1-32
        int bytesPerUnit;                   // bytes of one column (vertical) or row (horizontal)
        std::span<const std::uint8_t> data; // PackCharacter's bytes, unit after unit
    };

    // `charsPerDataByte` sizes the source up front so that it is built
    // without reallocations.
    PointerTableWriter(BlockStyle style, int charsPerDataByte)
        : style_(style), charsPerDataByte_(charsPerDataByte) {}

    // The text before the statistics block.
    virtual void writeTop(Output&) const {}
    // The text between the statistics block and the first table entry.
    virtual void writeTableStart(Output& out) const = 0;
    // The entry of `code`, naming `name`.
    virtual void writeTableEntry(Output& out, int code, std::string_view name) const = 0;
    // The text between the last table entry and the first character.
    virtual void writeTableEnd(Output& out) const = 0;
    virtual void writeCharacter(Output& out, const Character& character) const = 0;
    // The text after the last character.
    virtual void writeEnd(Output&) const {}
    // The statistics block's line after the y-size; empty for none.
    virtual std::string compiledSizeLine(const ExportStatistics&, int /*ySize*/) const {
        return {};
    }

private:
    BlockStyle style_;
    int charsPerDataByte_;
};

} // namespace zelvik
