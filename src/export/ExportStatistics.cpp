#include "export/ExportStatistics.h"

namespace zelvik {

double usedPercent8051(const ExportStatistics& s, int ySize) {
    if (s.compiledSize == 0)
        return 0.0;
    return (s.sumXSize * ySize * 0.125 + s.characters + 512) / s.compiledSize * 100;
}

double usedPercentAvr(const ExportStatistics& s) {
    if (s.compiledSize == 0)
        return 0.0;
    return static_cast<double>(s.usedBits) / (s.compiledSize * 8.0) * 100;
}

} // namespace zelvik
