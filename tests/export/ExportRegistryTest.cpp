// A target is its writer and one entry in the registry: a stand-in added to a
// copy of the built-in registry shows in the export dialog, in both helps of
// zelvik-cli and in the manual's table, with no other change.

#include "cli/ExportCommand.h"
#include "export/AvrWriter.h"
#include "export/ExportTarget.h"
#include "export/ui/TFormE.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

using namespace zelvik;

namespace {

ExportTargetInfo standIn() {
    return {.cliName = "z80",
            .title = "Z80 assembler",
            .filters = {{"Z80 assembler file (*.z80)", "*.z80", ".z80"},
                        {"Z80 assembler file (*.asm)", "*.asm", ".asm"}},
            .sourceFailureMessage = "Can't create file!",
            .about = "For the z80asm assembler.",
            .helpPhrase = "Z80 assembler",
            .manualFiles = "one source for the z80asm assembler",
            .icon = ExportIcon::Chip,
            .makeWriter = []() -> std::unique_ptr<SourceWriter> {
                return std::make_unique<AvrWriter>();
            }};
}

} // namespace

TEST(ExportRegistry, AStandInTargetShowsInTheDialogBothHelpsAndTheManual) {
    ExportRegistry registry = ExportRegistry::builtIn();
    ASSERT_TRUE(registry.add(standIn()));
    ExportTargetInfo other = standIn();
    other.cliName = "c";
    EXPECT_FALSE(registry.add(other)) << "a name stays with the target that has it";
    EXPECT_EQ(ExportRegistry::builtIn().named("z80"), nullptr)
        << "the copy took it, not the program";

    SourceExportChoices choices(registry);
    TFormE dialog(choices, nullptr);
    const int item = dialog.ComboSrcList->count() - 1;
    ASSERT_EQ(item, static_cast<int>(dialogTargets().size()));
    EXPECT_EQ(dialog.ComboSrcList->itemText(item), "Z80 assembler");
    EXPECT_EQ(dialog.ComboSrcList->itemText(0), "C51 assembler") << "the first item stays first";
    EXPECT_EQ(dialog.PCsrc->tabText(item), "Z80 assembler");
    QWidget* page = dialog.PCsrc->widget(item);
    EXPECT_NE(page->findChild<QRadioButton*>("RBz80Horizontal"), nullptr);
    EXPECT_EQ(page->findChildren<QCheckBox*>().size(), 10) << "it takes the packing options";
    auto* about = page->findChild<QLabel*>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "For the z80asm assembler.");

    const std::string help = cli::exportHelp(registry);
    EXPECT_NE(help.find("--target <c51|avr|c|gfx|u8g2|lvgl|bdf|z80>"), std::string::npos) << help;
    EXPECT_NE(help.find("C with its header or Z80 assembler (these need --bytes"),
              std::string::npos)
        << help;
    const std::string usage = cli::exportUsage(registry);
    EXPECT_NE(usage.find("--target c51|avr|c|gfx|u8g2|lvgl|bdf|z80 "), std::string::npos) << usage;
    EXPECT_NE(usage.find("Z80"), std::string::npos) << usage;

    EXPECT_TRUE(registry.manualTableRows().endsWith(
        "<tr><td>Z80 assembler</td><td>one source for the z80asm assembler</td>"
        "<td><code>.z80</code> or <code>.asm</code></td></tr>\n"));
}

// The library pages show what they take: no packing controls, their line.
TEST(ExportRegistry, ATargetWithoutPackingOptionsHasAPageWithItsTextAlone) {
    ExportRegistry registry = ExportRegistry::builtIn();
    ExportTargetInfo plain = standIn();
    plain.options = ExportOptionSet::None;
    ASSERT_TRUE(registry.add(plain));
    SourceExportChoices choices(registry);
    TFormE dialog(choices, nullptr);
    QWidget* page = dialog.PCsrc->widget(dialog.PCsrc->count() - 1);
    EXPECT_TRUE(page->findChildren<QCheckBox*>().isEmpty());
    EXPECT_TRUE(page->findChildren<QRadioButton*>().isEmpty());
    ASSERT_NE(page->findChild<QLabel*>(), nullptr);
    EXPECT_NE(cli::exportHelp(registry).find("a BDF font or Z80 assembler (no packing options)"),
              std::string::npos);
}
