#pragma once

// The three kinds of source the export dialog offers, in the order of its
// list and pages.

#include <optional>
#include <string>
#include <string_view>

namespace zelvik {

enum class ExportTarget { C51 = 0, Avr = 1, C = 2 };

constexpr int kExportTargetCount = 3;

// The list item and page caption: "C51 assembler", "AVR assembler", "C/C++".
std::string_view exportTargetTitle(ExportTarget target);
// The target of list item `index`, nothing for an index outside the list.
std::optional<ExportTarget> exportTargetForIndex(int index);

// The message when the output cannot be written: "Can't create file!" for the
// assembler targets, "Can't create source file!" for C/C++.
std::string createFailureMessage(ExportTarget target);

} // namespace zelvik
