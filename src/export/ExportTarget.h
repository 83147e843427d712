#pragma once

// The kinds of source an export can write. Everything that differs between
// them (names, save dialog filters, output files, messages, writer) is in one
// description per target, so the export dialog, the common export steps and
// zelvik-cli read it from there instead of asking "which target is this?".

#include "export/SourceWriter.h"

#include <QString>

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace zelvik {

enum class ExportTarget { C51, Avr, C, Gfx, U8g2, Lvgl };

// One entry of the save dialog's filter list.
struct SaveFilter {
    QString description; // "C51 assembler file (*.a51)"
    QString pattern;     // "*.a51"
    QString extension;   // forced onto the chosen name; empty keeps the name unchanged
};

struct ExportPaths {
    QString source; // the assembler file or the C/C++ source
    QString header; // the second file of a target that has one; empty otherwise
};

struct ExportTargetInfo {
    ExportTarget id;
    // zelvik-cli export --target NAME.
    std::string_view cliName;
    // The export dialog's list item and page caption.
    QString title;
    // The byte orientation and the five packing boxes apply. The export
    // dialog's pages are those choices, so it offers exactly these targets.
    bool packingOptions = true;
    // The save dialog's filters, in order; filter index 1 is the first.
    std::vector<SaveFilter> filters;
    // A second output beside the source, named after the chosen name with this
    // extension (C/C++: ".h"); empty when the target writes one file.
    QString headerExtension = {};
    // The messages when the output files cannot be written.
    QString sourceFailureMessage;
    QString headerFailureMessage = {};
    // A display library's page in the export dialog: the library and the
    // line a firmware developer writes to use the font (ID its identifier).
    QString libraryUse = {};
    std::unique_ptr<SourceWriter> (*makeWriter)() = nullptr;
    // Names the output declares itself; a font identifier equal to one of
    // them would clash with it.
    std::vector<std::string_view> ownNames = {};

    bool hasHeader() const { return !headerExtension.isEmpty(); }

    // The filter list as one text, description and pattern joined by "|":
    // "AVR assembler file (*.asm)|*.asm|All files (*.*)|*.*".
    QString filterText() const;

    // The files for the name chosen in the save dialog under filter
    // `filterIndex` (counted from 1): the filter's extension forced onto the
    // name, or the name unchanged where the filter gives none or the index is
    // outside the list. The header is always the chosen name with its extension.
    ExportPaths pathsForChosenName(const QString& chosenName, int filterIndex) const;

    // The files for an output name used as given (zelvik-cli's -o).
    ExportPaths pathsForOutput(const QString& output) const;
};

// Every target, in the order of the export dialog's list.
std::span<const ExportTargetInfo> exportTargets();

const ExportTargetInfo& exportTarget(ExportTarget id);

// The target zelvik-cli calls `cliName`; nullptr for an unknown name.
const ExportTargetInfo* exportTargetNamed(std::string_view cliName);

// The export dialog's list: every target, in order.
std::vector<const ExportTargetInfo*> dialogTargets();

} // namespace zelvik
