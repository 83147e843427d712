#include "export/StatisticsBlock.h"

#include <algorithm>
#include <cstdio>

namespace zelvik {

namespace {

int reservedLines(BlockStyle style) {
    return style == BlockStyle::Assembler ? 5 : 4;
}

std::size_t textColumn(BlockStyle style) {
    return style == BlockStyle::Assembler ? 2 : 3;
}

void appendRule(std::string& out, BlockStyle style, char fill) {
    if (style == BlockStyle::Assembler) {
        out += ';';
        out.append(79, fill);
    } else {
        out += "/*";
        out.append(76, fill);
        out += "*/";
    }
    out += "\r\n";
}

} // namespace

int statisticsRoom(BlockStyle style) {
    return style == BlockStyle::Assembler ? 78 : 75;
}

std::size_t appendStatisticsBlock(std::string& out, BlockStyle style) {
    appendRule(out, style, '=');
    const std::size_t first = out.size();
    for (int k = 0; k < reservedLines(style); ++k)
        appendRule(out, style, ' ');
    appendRule(out, style, '=');
    if (style == BlockStyle::C)
        out += "\r\n";
    return first;
}

void fillStatisticsBlock(std::string& out, std::size_t firstLine, BlockStyle style,
                         const std::vector<std::string>& texts) {
    const std::size_t room = static_cast<std::size_t>(statisticsRoom(style));
    const int lines = std::min<int>(reservedLines(style), static_cast<int>(texts.size()));
    for (int k = 0; k < lines; ++k) {
        std::string text = texts[k];
        if (text.size() > room)
            text = text.substr(0, room - 3) + "...";
        const std::size_t at = firstLine + textColumn(style) + kBlockLineBytes * k;
        if (at + text.size() <= out.size())
            out.replace(at, text.size(), text);
    }
}

std::vector<std::string> statisticsTexts(std::string_view identifier, const ExportStatistics& s,
                                         int ySize, std::string compiledSizeLine) {
    std::vector<std::string> texts;
    texts.push_back("Font name: " + std::string(identifier));
    texts.push_back("Characters: " + std::to_string(s.characters));
    texts.push_back("Maximal character x-size: " + std::to_string(s.maxXSize));
    texts.push_back("Characters y-size: " + std::to_string(ySize));
    if (!compiledSizeLine.empty())
        texts.push_back(std::move(compiledSizeLine));
    return texts;
}

std::string compiledSizeText(int compiledSize, double usedPercent) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "Compiled file size: %dB, %0.1f%c used", compiledSize,
                  usedPercent, '%');
    return buffer;
}

} // namespace zelvik
