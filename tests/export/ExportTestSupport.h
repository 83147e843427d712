#pragma once

// Fonts and helpers shared by the export tests.

#include "export/ExportTarget.h"
#include "font/FontModel.h"

#include <string>
#include <vector>

namespace zelvik::test {

inline FontModel newExportFont(const std::string& identifier = "fnt") {
    FontModel font;
    WorkingCharacter working;
    resetFont(font, working);
    font.fontIdentifier = identifier;
    return font;
}

inline void defineCharacter(FontModel& font, int index, const std::string& name, int xSize,
                            std::initializer_list<std::pair<int, int>> ink = {}) {
    CharSlot& slot = font.slots[index];
    slot.name = name;
    slot.xSize = xSize;
    slot.pixels.fill(0);
    for (auto [x, y] : ink)
        slot.pixels[pixelIndex(x, y)] = 1;
}

inline GeneratedFiles generateFor(ExportTarget target, const FontModel& font,
                                  const ExportOptions& options = {},
                                  const std::string& guardBase = "fonts") {
    return exportTarget(target).makeWriter()->generate(
        ExportJob{font, font.fontIdentifier, options, guardBase});
}

// The lines of a generated text; every line must end in CR LF.
inline std::vector<std::string> crlfLines(const std::string& text, bool* allCrlf = nullptr) {
    std::vector<std::string> lines;
    bool ok = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(start));
            ok = false;
            break;
        }
        if (lf == start || text[lf - 1] != '\r')
            ok = false;
        const std::size_t end = (lf > start && text[lf - 1] == '\r') ? lf - 1 : lf;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    if (allCrlf)
        *allCrlf = ok;
    return lines;
}

inline int countOf(const std::vector<std::string>& lines, const std::string& line) {
    int n = 0;
    for (const auto& l : lines)
        n += l == line ? 1 : 0;
    return n;
}

} // namespace zelvik::test
