#include "export/ExportTarget.h"

#include "export/AvrWriter.h"
#include "export/C51Writer.h"
#include "export/CWriter.h"
#include "export/GfxWriter.h"
#include "export/LvglWriter.h"
#include "export/U8g2Writer.h"
#include "font/ForceExtension.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace zelvik {

namespace {

template <class Writer> std::unique_ptr<SourceWriter> make() {
    return std::make_unique<Writer>();
}

const SaveFilter kAllFiles{"All files (*.*)", "*.*", ""};

const std::array<ExportTargetInfo, 6>& registry() {
    static const std::array<ExportTargetInfo, 6> targets = {{
        {.id = ExportTarget::C51,
         .cliName = "c51",
         .title = "C51 assembler",
         .filters = {{"C51 assembler file (*.a51)", "*.a51", ".a51"},
                     {"C51 assembler file (*.asm)", "*.asm", ".asm"},
                     kAllFiles},
         .sourceFailureMessage = "Can't create file!",
         .makeWriter = &make<C51Writer>},
        {.id = ExportTarget::Avr,
         .cliName = "avr",
         .title = "AVR assembler",
         .filters = {{"AVR assembler file (*.asm)", "*.asm", ".asm"}, kAllFiles},
         .sourceFailureMessage = "Can't create file!",
         .makeWriter = &make<AvrWriter>},
        {.id = ExportTarget::C,
         .cliName = "c",
         .title = "C/C++",
         .filters = {{"C source file (*.c)", "*.c", ".c"},
                     {"C++ source file (*.cpp)", "*.cpp", ".cpp"}},
         .headerExtension = ".h",
         .sourceFailureMessage = "Can't create source file!",
         .headerFailureMessage = "Can't create header file!",
         .makeWriter = &make<CWriter>,
         .ownNames = {"TCDATA", "TCLISTP", "ZelvikTypes"}},
        // The display libraries' own font formats: no packing choices.
        {.id = ExportTarget::Gfx,
         .cliName = "gfx",
         .title = "Adafruit GFX",
         .packingOptions = false,
         .filters = {{"Adafruit GFX font header (*.h)", "*.h", ".h"}},
         .sourceFailureMessage = "Can't create file!",
         .libraryUse = "A font header for the Adafruit GFX library.\n\nIn the sketch: #include "
                       "\"font.h\"\nthen display.setFont(&ID);",
         .makeWriter = &make<GfxWriter>},
        {.id = ExportTarget::U8g2,
         .cliName = "u8g2",
         .title = "u8g2",
         .packingOptions = false,
         .filters = {{"C source file (*.c)", "*.c", ".c"}},
         .headerExtension = ".h",
         .sourceFailureMessage = "Can't create source file!",
         .headerFailureMessage = "Can't create header file!",
         .libraryUse = "A font array for the u8g2 library, with its header.\n\nIn the firmware: "
                       "#include \"font.h\"\nthen u8g2.setFont(ID);",
         .makeWriter = &make<U8g2Writer>},
        {.id = ExportTarget::Lvgl,
         .cliName = "lvgl",
         .title = "LVGL",
         .packingOptions = false,
         .filters = {{"C source file (*.c)", "*.c", ".c"}},
         .sourceFailureMessage = "Can't create file!",
         .libraryUse = "An lv_font_t for LVGL 8 and 9.\n\nIn the firmware: "
                       "LV_FONT_DECLARE(ID);\nthen lv_obj_set_style_text_font(label, &ID, 0);",
         .makeWriter = &make<LvglWriter>,
         .ownNames = {"glyph_bitmap", "glyph_dsc", "cmaps", "font_dsc", "cache"}},
    }};
    return targets;
}

} // namespace

QString ExportTargetInfo::filterText() const {
    QStringList parts;
    for (const SaveFilter& f : filters)
        parts << f.description << f.pattern;
    return parts.join(u'|');
}

ExportPaths ExportTargetInfo::pathsForChosenName(const QString& chosenName, int filterIndex) const {
    ExportPaths paths = pathsForOutput(chosenName);
    if (filterIndex >= 1 && filterIndex <= static_cast<int>(filters.size())) {
        const QString& extension = filters[filterIndex - 1].extension;
        if (!extension.isEmpty())
            paths.source = forceExtension(chosenName, extension);
    }
    return paths;
}

ExportPaths ExportTargetInfo::pathsForOutput(const QString& output) const {
    ExportPaths paths{output, {}};
    if (hasHeader())
        paths.header = forceExtension(output, headerExtension);
    return paths;
}

std::span<const ExportTargetInfo> exportTargets() {
    return registry();
}

const ExportTargetInfo& exportTarget(ExportTarget id) {
    const auto targets = exportTargets();
    const auto found = std::find_if(targets.begin(), targets.end(),
                                    [id](const ExportTargetInfo& t) { return t.id == id; });
    if (found == targets.end())
        qFatal("export target %d has no description", static_cast<int>(id));
    return *found;
}

const ExportTargetInfo* exportTargetNamed(std::string_view cliName) {
    for (const ExportTargetInfo& target : exportTargets()) {
        if (target.cliName == cliName)
            return &target;
    }
    return nullptr;
}

std::vector<const ExportTargetInfo*> dialogTargets() {
    std::vector<const ExportTargetInfo*> targets;
    for (const ExportTargetInfo& target : exportTargets())
        targets.push_back(&target);
    return targets;
}

} // namespace zelvik
