#pragma once

// The comment block at the top of every generated source: reserved lines of
// spaces written first, overwritten with the statistics once everything else
// is out. Every line of the block is 80 characters plus CR LF.

#include "export/ExportStatistics.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvik {

enum class BlockStyle {
    Assembler, // ";" lines, five reserved lines, a text starts after "; "
    C,         // "/* ... */" lines, four reserved lines, a text starts after "/* "
};

constexpr std::size_t kBlockLineBytes = 82;

// Room for one text in a reserved line: 78 (assembler) or 75 (C) characters.
int statisticsRoom(BlockStyle style);

// Appends the opening rule, the reserved lines and the closing rule (and, in
// C style, one empty line). Returns the offset of the first reserved line.
std::size_t appendStatisticsBlock(std::string& out, BlockStyle style);

// Writes texts[k] over reserved line k, starting at its text column; the rest
// of the line keeps its spaces. A text longer than the room is cut and ends in
// "...", so the block never grows past its lines. Extra texts are ignored.
void fillStatisticsBlock(std::string& out, std::size_t firstLine, BlockStyle style,
                         const std::vector<std::string>& texts);

// The texts of the block in order: font name, characters, maximal x-size,
// y-size and, when `compiledSizeLine` is not empty, that line last.
std::vector<std::string> statisticsTexts(std::string_view identifier, const ExportStatistics& s,
                                         int ySize, std::string compiledSizeLine = {});

// "Compiled file size: %dB, %0.1f%c used".
std::string compiledSizeText(int compiledSize, double usedPercent);

} // namespace zelvik
