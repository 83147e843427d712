// "Import font..." and "Export BDF font..." in the File menu, and taking
// an import or a generated font back with Undo.

#include "export/LibraryFonts.h"
#include "font/BdfFile.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

const std::string kTinyBdf = "STARTFONT 2.1\n"
                             "FONTBOUNDINGBOX 4 6 0 -1\n"
                             "STARTPROPERTIES 3\n"
                             "FAMILY_NAME \"Tiny Font\"\n"
                             "FONT_ASCENT 5\n"
                             "FONT_DESCENT 1\n"
                             "ENDPROPERTIES\n"
                             "CHARS 2\n"
                             "STARTCHAR A\nENCODING 65\nDWIDTH 4 0\nBBX 3 2 0 0\nBITMAP\n"
                             "E0\nA0\nENDCHAR\n"
                             "STARTCHAR arrow\nENCODING 8594\nDWIDTH 4 0\nBBX 1 1 0 0\n"
                             "BITMAP\n80\nENDCHAR\n"
                             "ENDFONT\n";

class BdfMenu : public AppFixture {
protected:
    QString path(const char* name) const {
        return QDir(startupDir.path()).filePath(QString::fromLatin1(name));
    }
    // A font the user has drawn and saved: "UB" in slot 66.
    void savedFont() {
        font().slots[66].name = "UB";
        font().slots[66].pixels[0] = 1;
        font().fontIdentifier = "mine";
        form().RefreshFontView();
    }
};

} // namespace

TEST_F(BdfMenu, FileMenuOffersImportAndExportAfterSaveFont) {
    const QList<QAction*> items = form().menuBar()->actions().front()->menu()->actions();
    const auto at = [&](const char* name) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i]->objectName() == QLatin1String(name))
                return i;
        }
        return qsizetype(-1);
    };
    ASSERT_GE(at("MBtnSaveFont"), 0);
    EXPECT_EQ(at("MBtnImportBdf"), at("MBtnSaveFont") + 1);
    EXPECT_EQ(at("MBtnExportBdf"), at("MBtnSaveFont") + 2);
    EXPECT_EQ(form().MBtnImportBdf->text(), "Import font...");
    EXPECT_EQ(form().MBtnExportBdf->text(), "Export BDF font...");
}

TEST_F(BdfMenu, ImportMakesANewModifiedFontWithoutAFileAndUndoTakesItBack) {
    savedFont();
    writeFileBytes(path("tiny.bdf"), kTinyBdf);
    platform.chooseFile(path("tiny.bdf"));
    form().MBtnImportBdf->trigger();

    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_FALSE(platform.fileDialogs[0].save);
    EXPECT_EQ(platform.fileDialogs[0].request.filter,
              "Fonts (*.bdf *.h *.c)|*.bdf;*.h;*.c|BDF fonts (*.bdf)|*.bdf|Adafruit GFX fonts "
              "(*.h)|*.h|u8g2 fonts (*.c *.h)|*.c;*.h|All files (*.*)|*.*");
    EXPECT_EQ(font().slots['A'].name, "UA");
    EXPECT_FALSE(font().slots[66].defined());
    EXPECT_EQ(font().ySize, 6);
    EXPECT_EQ(font().fontIdentifier, "Tiny_Font");
    EXPECT_EQ(form().EditFontPrefix->text(), "Tiny_Font");
    EXPECT_TRUE(font().fontModified);
    EXPECT_EQ(font().currentFileName, "");
    EXPECT_EQ(panel(kPanelFile), "  *  BDF import: 1 glyphs taken, 0 cut, 1 skipped")
        << "the report follows the file name and its mark";
    EXPECT_EQ(form().folders.bdfPath,
              QDir::toNativeSeparators(startupDir.path()) + QDir::separator());

    EXPECT_EQ(form().MBtnUndo->text(), "Undo Import font");
    form().MBtnUndo->trigger();
    EXPECT_EQ(font().slots[66].name, "UB");
    EXPECT_FALSE(font().slots['A'].defined());
    EXPECT_EQ(font().ySize, 16);
    EXPECT_EQ(form().EditFontPrefix->text(), "mine");
}

TEST_F(BdfMenu, AMalformedFileIsRefusedWithItsLineAndTheFontStays) {
    savedFont();
    std::string broken = kTinyBdf;
    broken.replace(broken.find("A0\n"), 3, "A\n"); // one hex digit short
    writeFileBytes(path("broken.bdf"), broken);
    platform.chooseFile(path("broken.bdf"));
    form().MBtnImportBdf->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Invalid BDF file!\nLine 15:"))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(platform.messages[0].caption, "Importing font ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(font().slots[66].name, "UB");
    EXPECT_FALSE(form().MBtnUndo->isEnabled()) << "nothing happened to take back";
}

TEST_F(BdfMenu, AnImportThatDoesNotHappenAfterNoKeepsTheFontMarked) {
    savedFont();
    clickCell(1, 1);
    ASSERT_EQ(panel(kPanelFile), "  *");
    writeFileBytes(path("broken.bdf"), "STARTFONT 2.1\nSTARTCHR A\n");

    platform.answer(MessageAnswer::No); // do not save the font
    platform.chooseFile(path("broken.bdf"));
    form().MBtnImportBdf->trigger();
    ASSERT_EQ(platform.messages.back().caption, "Importing font ...");
    EXPECT_TRUE(font().fontModified) << "the unsaved font is still the one in memory";
    EXPECT_EQ(panel(kPanelFile), "  *");

    platform.answer(MessageAnswer::No);
    platform.cancelFileDialog();
    form().MBtnImportBdf->trigger();
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_TRUE(pixel(1, 1));
}

TEST_F(BdfMenu, ImportAsksAboutUnsavedWorkLikeOpen) {
    savedFont();
    clickCell(1, 1);
    platform.answer(MessageAnswer::Cancel);
    form().MBtnImportBdf->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Opening font file...");
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_TRUE(pixel(1, 1));
}

TEST_F(BdfMenu, ExportWritesTheStoredCharactersAsBdf) {
    savedFont();
    platform.chooseFile(path("mine"));
    form().MBtnExportBdf->trigger();
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(QFile::exists(path("mine.bdf"))) << "the filter's extension is forced";
    BdfImport back;
    ASSERT_TRUE(parseBdf(readFileBytes(path("mine.bdf")), back));
    EXPECT_TRUE(back.font->slots[66].defined());
    EXPECT_EQ(back.font->slots[66].pixels[0], 1);

    // Nothing defined: refused, nothing written.
    form().BtnNew->click();
    platform.chooseFile(path("empty.bdf"));
    form().MBtnExportBdf->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Exporting BDF font ...");
    EXPECT_FALSE(QFile::exists(path("empty.bdf")));
}

TEST_F(BdfMenu, ImportReadsTheDisplayLibrariesFontsAndRefusesAFileOfSeveral) {
    savedFont();
    const FontModel drawn = drawnLibraryFont();
    const std::string u8g2 = generateLibrary(ExportTarget::U8g2, drawn).source;
    writeFileBytes(path("drawn.c"), u8g2);
    platform.chooseFile(path("drawn.c"));
    form().MBtnImportBdf->trigger();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(panel(kPanelFile), "  *  u8g2 import: 9 glyphs taken, 0 cut, 0 skipped");
    EXPECT_EQ(font().slots['A'].pixels, drawn.slots['A'].pixels);
    EXPECT_EQ(font().fontIdentifier, "drawn");

    writeFileBytes(path("two.c"),
                   u8g2 + generateLibrary(ExportTarget::U8g2, drawnLibraryFont("other")).source);
    platform.chooseFile(path("two.c"));
    platform.answer(MessageAnswer::No); // do not save the imported font
    form().MBtnImportBdf->trigger();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text,
              "The u8g2 file holds 2 fonts!\nName the one to import: drawn, other\n"
              "zelvik-cli import --font NAME reads one of them.");
    EXPECT_EQ(font().fontIdentifier, "drawn");
}
