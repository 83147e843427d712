#include "export/SourceWriter.h"

#include "export/AvrWriter.h"
#include "export/C51Writer.h"
#include "export/CWriter.h"

namespace zelvik {

std::unique_ptr<SourceWriter> makeSourceWriter(ExportTarget target) {
    switch (target) {
    case ExportTarget::C51:
        return std::make_unique<C51Writer>();
    case ExportTarget::Avr:
        return std::make_unique<AvrWriter>();
    case ExportTarget::C:
        return std::make_unique<CWriter>();
    }
    return nullptr;
}

} // namespace zelvik
