#include "export/ExportTarget.h"

namespace zelvik {

std::string_view exportTargetTitle(ExportTarget target) {
    switch (target) {
    case ExportTarget::C51:
        return "C51 assembler";
    case ExportTarget::Avr:
        return "AVR assembler";
    case ExportTarget::C:
        return "C/C++";
    }
    return {};
}

std::optional<ExportTarget> exportTargetForIndex(int index) {
    if (index < 0 || index >= kExportTargetCount)
        return std::nullopt;
    return static_cast<ExportTarget>(index);
}

std::string createFailureMessage(ExportTarget target) {
    return target == ExportTarget::C ? "Can't create source file!" : "Can't create file!";
}

} // namespace zelvik
