#pragma once

// LVGL: a C source defining an lv_font_t in the form the LVGL font converter
// writes for 1 bit per pixel without compression, for LVGL 8 and 9.

#include "export/SourceWriter.h"

namespace zelvik {

class LvglWriter final : public SourceWriter {
public:
    Result<> check(const ExportJob& job) const override;
    GeneratedFiles generate(const ExportJob& job) const override;
};

} // namespace zelvik
