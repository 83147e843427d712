#pragma once

// The kinds of output an export can write. Each describes itself whole in one
// entry of the registry: its names, save dialog filters, output files,
// messages, writer, which options it takes and the texts the export dialog,
// zelvik-cli's help and the manual show for it. Everything else reads the
// registry instead of asking "which target is this?", so a new target is its
// writer and one entry in ExportRegistry::builtIn().

#include "export/SourceWriter.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace zelvik {

// A target as the registry knows it: by its zelvik-cli name. The name is not
// copied; it is a literal of the registry's entry.
class ExportTarget {
public:
    constexpr ExportTarget() = default;
    constexpr explicit ExportTarget(std::string_view cliName) : name_(cliName) {}
    constexpr std::string_view name() const { return name_; }
    friend constexpr bool operator==(ExportTarget, ExportTarget) = default;
    // A number for traces: the place in the built-in registry, -1 for none.
    explicit operator int() const;

    // The built-in targets, for code that means one of them in particular.
    static const ExportTarget C51, Avr, C, Gfx, U8g2, Lvgl, Bdf;

private:
    std::string_view name_;
};

inline constexpr ExportTarget ExportTarget::C51{"c51"};
inline constexpr ExportTarget ExportTarget::Avr{"avr"};
inline constexpr ExportTarget ExportTarget::C{"c"};
inline constexpr ExportTarget ExportTarget::Gfx{"gfx"};
inline constexpr ExportTarget ExportTarget::U8g2{"u8g2"};
inline constexpr ExportTarget ExportTarget::Lvgl{"lvgl"};
inline constexpr ExportTarget ExportTarget::Bdf{"bdf"};

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

// The choices a target takes besides the file name.
enum class ExportOptionSet {
    None,    // the output has a format of its own
    Packing, // the byte orientation and the five packing boxes
};

enum class ExportKind {
    // Source code for firmware: the identifier field must name the font, the
    // identifier and the labels must compile, and the flash size is told.
    Source,
    // A font file for other programs: written under the font's identifier as
    // it is, with only the writer's own refusals.
    FontFile,
};

// The picture beside the target in the export dialog's list.
enum class ExportIcon {
    Chip,  // an assembler: a chip with pins
    Sheet, // a source file: a sheet of text
};

struct ExportTargetInfo {
    // zelvik-cli export --target NAME, and the registry's key.
    std::string_view cliName;
    // Set by the registry from cliName.
    ExportTarget id = {};
    // The export dialog's list item and page caption, and the manual's name.
    QString title;
    ExportOptionSet options = ExportOptionSet::Packing;
    ExportKind kind = ExportKind::Source;
    // The "Generate source" dialog offers it. A target with a command of its
    // own (BDF has "Export BDF font...") is left out.
    bool inExportDialog = true;
    // The save dialog's filters, in order; filter index 1 is the first.
    std::vector<SaveFilter> filters;
    // A second output beside the source, named after the chosen name with this
    // extension (C/C++: ".h"); empty when the target writes one file.
    QString headerExtension = {};
    // The messages when the output files cannot be written.
    QString sourceFailureMessage;
    QString headerFailureMessage = {};
    // The dialog page's text about the target, under its options; for a
    // display library the line a firmware developer writes to use the font
    // (ID its identifier). Empty for none.
    QString about = {};
    // How zelvik-cli's help names it in a list of targets: "8051 assembler",
    // "an LVGL font".
    std::string_view helpPhrase = {};
    // The manual's table of targets: what files it writes (HTML).
    QString manualFiles = {};
    ExportIcon icon = ExportIcon::Sheet;
    std::uint32_t iconColour = 0x806020;
    std::unique_ptr<SourceWriter> (*makeWriter)() = nullptr;
    // Names the output declares itself; a font identifier equal to one of
    // them would clash with it.
    std::vector<std::string_view> ownNames = {};

    bool hasHeader() const { return !headerExtension.isEmpty(); }
    bool takesPacking() const { return options == ExportOptionSet::Packing; }

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

// The targets there are, in order: the export dialog's list, zelvik-cli's
// names and the manual's table follow it. A copy can take targets of its own,
// which is how the tests bring in a stand-in.
class ExportRegistry {
public:
    // The program's targets: the three of the first editor (8051 and AVR
    // assembler, C/C++), the display libraries, then BDF.
    static ExportRegistry builtIn();

    // Appends a target; a name already taken is left as it was. False then.
    bool add(ExportTargetInfo target);

    std::span<const ExportTargetInfo> targets() const { return targets_; }
    // nullptr for a target this registry does not hold.
    const ExportTargetInfo* find(ExportTarget id) const;
    const ExportTargetInfo* named(std::string_view cliName) const;
    // The export dialog's list, in order.
    std::vector<const ExportTargetInfo*> dialogTargets() const;

    // The rows of the manual's table of source types, one line each.
    QString manualTableRows() const;

private:
    std::vector<ExportTargetInfo> targets_;
};

// The built-in registry, for code that has no registry of its own.
const ExportRegistry& builtInExportRegistry();

// Every built-in target, in order.
std::span<const ExportTargetInfo> exportTargets();

// A built-in target; the program stops on a target that has none.
const ExportTargetInfo& exportTarget(ExportTarget id);

// The built-in target zelvik-cli calls `cliName`; nullptr for an unknown name.
const ExportTargetInfo* exportTargetNamed(std::string_view cliName);

// The built-in export dialog's list.
std::vector<const ExportTargetInfo*> dialogTargets();

} // namespace zelvik
