#include "export/BdfFontWriter.h"

#include "font/BdfFile.h"

namespace zelvik {

Result<> BdfFontWriter::check(const ExportJob& job) const {
    for (int code = 0; code < kCodeCount; ++code) {
        if (job.font.slots[code].defined())
            return Result<>::success();
    }
    return Result<>::fail(Failure::Refused, kNothingToExportBdfMessage);
}

GeneratedFiles BdfFontWriter::generate(const ExportJob& job) const {
    GeneratedFiles files;
    files.source = serializeBdf(job.font, job.identifier);
    return files;
}

} // namespace zelvik
