#include "export/ExportTarget.h"

#include "export/AvrWriter.h"
#include "export/BdfFontWriter.h"
#include "export/C51Writer.h"
#include "export/CWriter.h"
#include "export/GfxWriter.h"
#include "export/LvglWriter.h"
#include "export/U8g2Writer.h"
#include "font/ForceExtension.h"

#include <QStringList>

#include <algorithm>

namespace zelvik {

namespace {

template <class Writer> std::unique_ptr<SourceWriter> make() {
    return std::make_unique<Writer>();
}

const SaveFilter kAllFiles{"All files (*.*)", "*.*", ""};

ExportRegistry makeBuiltIn() {
    ExportRegistry registry;
    // The first three keep their places: the dialog selects the first at
    // every showing of the main window.
    registry.add({.cliName = "c51",
                  .title = "C51 assembler",
                  .filters = {{"C51 assembler file (*.a51)", "*.a51", ".a51"},
                              {"C51 assembler file (*.asm)", "*.asm", ".asm"},
                              kAllFiles},
                  .sourceFailureMessage = "Can't create file!",
                  .helpPhrase = "8051 assembler",
                  .manualFiles = "one source for the asem51 assembler",
                  .icon = ExportIcon::Chip,
                  .iconColour = 0x202020,
                  .makeWriter = &make<C51Writer>});
    registry.add({.cliName = "avr",
                  .title = "AVR assembler",
                  .filters = {{"AVR assembler file (*.asm)", "*.asm", ".asm"}, kAllFiles},
                  .sourceFailureMessage = "Can't create file!",
                  .helpPhrase = "AVR assembler",
                  .manualFiles = "one source for the avrasm assembler",
                  .icon = ExportIcon::Chip,
                  .iconColour = 0x107040,
                  .makeWriter = &make<AvrWriter>});
    registry.add({.cliName = "c",
                  .title = "C/C++",
                  .filters = {{"C source file (*.c)", "*.c", ".c"},
                              {"C++ source file (*.cpp)", "*.cpp", ".cpp"}},
                  .headerExtension = ".h",
                  .sourceFailureMessage = "Can't create source file!",
                  .headerFailureMessage = "Can't create header file!",
                  .helpPhrase = "C with its header",
                  .manualFiles = "a source file and its header <code>.h</code> beside it",
                  .iconColour = 0x3060b0,
                  .makeWriter = &make<CWriter>,
                  .ownNames = {"TCDATA", "TCLISTP", "ZelvikTypes"}});
    // The display libraries' own font formats: no packing choices.
    registry.add({.cliName = "gfx",
                  .title = "Adafruit GFX",
                  .options = ExportOptionSet::None,
                  .filters = {{"Adafruit GFX font header (*.h)", "*.h", ".h"}},
                  .sourceFailureMessage = "Can't create file!",
                  .about = "A font header for the Adafruit GFX library.\n\nIn the sketch: #include "
                           "\"font.h\"\nthen display.setFont(&ID);",
                  .helpPhrase = "an Adafruit GFX font",
                  .manualFiles = "one header (see <a href=\"#lib-gfx\">Adafruit GFX</a>)",
                  .makeWriter = &make<GfxWriter>});
    registry.add({.cliName = "u8g2",
                  .title = "u8g2",
                  .options = ExportOptionSet::None,
                  .filters = {{"C source file (*.c)", "*.c", ".c"}},
                  .headerExtension = ".h",
                  .sourceFailureMessage = "Can't create source file!",
                  .headerFailureMessage = "Can't create header file!",
                  .about = "A font array for the u8g2 library, with its header.\n\nIn the "
                           "firmware: #include \"font.h\"\nthen u8g2.setFont(ID);",
                  .helpPhrase = "a u8g2 font",
                  .manualFiles = "a source file and its header <code>.h</code> beside it (see "
                                 "<a href=\"#lib-u8g2\">u8g2</a>)",
                  .makeWriter = &make<U8g2Writer>});
    registry.add({.cliName = "lvgl",
                  .title = "LVGL",
                  .options = ExportOptionSet::None,
                  .filters = {{"C source file (*.c)", "*.c", ".c"}},
                  .sourceFailureMessage = "Can't create file!",
                  .about = "An lv_font_t for LVGL 8 and 9.\n\nIn the firmware: "
                           "LV_FONT_DECLARE(ID);\nthen lv_obj_set_style_text_font(label, &ID, 0);",
                  .helpPhrase = "an LVGL font",
                  .manualFiles = "one source (see <a href=\"#lib-lvgl\">LVGL</a>)",
                  .makeWriter = &make<LvglWriter>,
                  .ownNames = {"glyph_bitmap", "glyph_dsc", "cmaps", "font_dsc", "cache"}});
    // Pixels, not packed bytes; the editor exports it with a command of its own.
    registry.add({.cliName = "bdf",
                  .title = "BDF font",
                  .options = ExportOptionSet::None,
                  .kind = ExportKind::FontFile,
                  .inExportDialog = false,
                  .filters = {{"BDF fonts (*.bdf)", "*.bdf", ".bdf"}, kAllFiles},
                  .sourceFailureMessage = "Can't create BDF file!",
                  .helpPhrase = "a BDF font",
                  .makeWriter = &make<BdfFontWriter>});
    return registry;
}

// ".a51", ".asm" -> "<code>.a51</code> or <code>.asm</code>".
QString endingsCell(const ExportTargetInfo& target) {
    QStringList endings;
    for (const SaveFilter& f : target.filters) {
        if (!f.extension.isEmpty())
            endings << QStringLiteral("<code>%1</code>").arg(f.extension.toHtmlEscaped());
    }
    if (endings.size() < 2)
        return endings.join(QString());
    const QString last = endings.takeLast();
    return endings.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace

ExportTarget::operator int() const {
    const auto targets = exportTargets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].id == *this)
            return static_cast<int>(i);
    }
    return -1;
}

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

ExportRegistry ExportRegistry::builtIn() {
    return builtInExportRegistry();
}

bool ExportRegistry::add(ExportTargetInfo target) {
    if (named(target.cliName))
        return false;
    target.id = ExportTarget(target.cliName);
    targets_.push_back(std::move(target));
    return true;
}

const ExportTargetInfo* ExportRegistry::find(ExportTarget id) const {
    return named(id.name());
}

const ExportTargetInfo* ExportRegistry::named(std::string_view cliName) const {
    const auto found =
        std::find_if(targets_.begin(), targets_.end(),
                     [&](const ExportTargetInfo& t) { return t.cliName == cliName; });
    return found == targets_.end() ? nullptr : &*found;
}

std::vector<const ExportTargetInfo*> ExportRegistry::dialogTargets() const {
    std::vector<const ExportTargetInfo*> list;
    for (const ExportTargetInfo& target : targets_) {
        if (target.inExportDialog)
            list.push_back(&target);
    }
    return list;
}

QString ExportRegistry::manualTableRows() const {
    QString rows;
    for (const ExportTargetInfo* target : dialogTargets())
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(target->title.toHtmlEscaped(), target->manualFiles, endingsCell(*target));
    return rows;
}

const ExportRegistry& builtInExportRegistry() {
    static const ExportRegistry registry = makeBuiltIn();
    return registry;
}

std::span<const ExportTargetInfo> exportTargets() {
    return builtInExportRegistry().targets();
}

const ExportTargetInfo& exportTarget(ExportTarget id) {
    const ExportTargetInfo* found = builtInExportRegistry().find(id);
    if (!found)
        qFatal("export target '%.*s' has no description", static_cast<int>(id.name().size()),
               id.name().data());
    return *found;
}

const ExportTargetInfo* exportTargetNamed(std::string_view cliName) {
    return builtInExportRegistry().named(cliName);
}

std::vector<const ExportTargetInfo*> dialogTargets() {
    return builtInExportRegistry().dialogTargets();
}

} // namespace zelvik
