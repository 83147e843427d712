// "Generate source" from the main window: the export dialog, the refusals,
// the save dialog and the files it leaves, through the scripted platform.

#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "export/ExportTestSupport.h"
#include "export/ui/TFormE.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>

#ifdef Q_OS_LINUX
#include "font/PrivateTmpfs.h"
#endif

using namespace zelvik;
using namespace zelvik::test;

namespace {

class SourceExport : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
        form().folders.sourceFolder = folder;
        // Two characters besides the BlankSlot.
        defineCharacter(font(), 'A', "A", 3, {{0, 0}, {1, 1}, {2, 9}});
        defineCharacter(font(), '1', "one", 2, {{1, 0}, {1, 5}});
    }

    // Answers the export dialog as a person would: it is shown, `choose`
    // works its controls, and "Generate source" closes it.
    void generateWith(std::function<void(TFormE&)> choose = {}) {
        platform.dialogAnswers.push_back([choose](QDialog& d) {
            auto& e = static_cast<TFormE&>(d);
            e.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&e));
            if (choose)
                choose(e);
            QTest::mouseClick(e.BtnSrcGen, Qt::LeftButton);
            return e.result();
        });
    }
    static void clickTab(TFormE& e, int index) {
        QTabBar* bar = e.PCsrc->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    static void click(TFormE& e, const char* name) {
        auto* button = e.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void setIdentifierField(const QString& text) {
        auto* field = control<QLineEdit>("EditFontPrefix");
        clearField(field);
        type(field, text);
    }
    void clickGenerateSource() { QTest::mouseClick(form().BtnGenSource, Qt::LeftButton); }
    QStringList filesIn(const QString& path) const {
        return QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    std::string expected(ExportTarget target, const ExportOptions& options,
                         const std::string& guardBase = {}, bool header = false) {
        const GeneratedFiles files = generateFor(target, font(), options, guardBase);
        return header ? files.header : files.source;
    }
    const RecordedMessage& onlyMessage() {
        static const RecordedMessage none{
            "<no message>", {}, MessageIcon::Error, MessageButtons::Ok};
        EXPECT_EQ(platform.messages.size(), 1u);
        return platform.messages.empty() ? none : platform.messages.front();
    }

    QTemporaryDir dir;
    QString folder; // with a trailing separator, as remembered folders are
};

} // namespace

TEST_F(SourceExport, WritesWhatTheWriterGeneratesForTheSelectedPage) {
    setIdentifierField("fnt");
    font().fontIdentifier = "fnt";
    // The AVR page: horizontal bytes, bottom side first and inverted colours;
    // the unread vertical boxes are set too.
    generateWith([](TFormE& e) {
        clickTab(e, 1);
        click(e, "RBavrHorizontal");
        click(e, "CBavrHbsFirst");
        click(e, "CBavrHinv");
        click(e, "CBavrVtsMSB");
    });
    platform.chooseFile(folder + "avr", 1);
    clickGenerateSource();
    EXPECT_TRUE(platform.messages.empty());
    ExportOptions options;
    options.vertical = false;
    options.bottomSideFirst = true;
    options.invertColors = true;
    EXPECT_EQ(readFileBytes(folder + "avr.asm"), expected(ExportTarget::Avr, options));

    // The C/C++ page, vertical bytes: source and header, the guard from the chosen name.
    generateWith([](TFormE& e) {
        clickTab(e, 2);
        click(e, "CBcVrsFirst");
        click(e, "CBcVbe");
    });
    platform.chooseFile(folder + "lcd", 2);
    form().Generatesourcecode1->trigger(); // the menu item does the same
    EXPECT_TRUE(platform.messages.empty());
    ExportOptions c;
    c.rightSideFirst = true;
    c.bigEndian = true;
    EXPECT_EQ(readFileBytes(folder + "lcd.cpp"), expected(ExportTarget::C, c, "lcd"));
    EXPECT_EQ(readFileBytes(folder + "lcd.h"), expected(ExportTarget::C, c, "lcd", true));
    EXPECT_EQ(filesIn(folder), (QStringList{"avr.asm", "lcd.cpp", "lcd.h"}));
}

TEST_F(SourceExport, OnlyThePageOfTheSelectedItemCounts) {
    setIdentifierField("fnt");
    font().fontIdentifier = "fnt";
    generateWith([](TFormE& e) {
        clickTab(e, 2);
        click(e, "RBcHorizontal");
        click(e, "CBcHaMSB");
        clickTab(e, 0); // C51 selected again; its page untouched
    });
    platform.chooseFile(folder + "fonts", 1);
    clickGenerateSource();
    EXPECT_EQ(readFileBytes(folder + "fonts.a51"), expected(ExportTarget::C51, {}));
    EXPECT_TRUE(windows.FormE->findChild<QRadioButton*>("RBcHorizontal")->isChecked())
        << "the other page keeps its choice";
}

TEST_F(SourceExport, OutputNamesFollowTheFilterIndex) {
    setIdentifierField("fnt");
    QDir(dir.path()).mkdir("old.fonts");
    const QString oldFonts = folder + "old.fonts" + QDir::separator();
    struct Case {
        int item;
        QString chosen;
        int filter;
        QStringList written;
    } cases[] = {
        {0, folder + "fonts", 1, {folder + "fonts.a51"}},
        {0, folder + "fonts.asm", 1, {folder + "fonts.a51"}},
        {0, folder + "fonts.txt", 3, {folder + "fonts.txt"}},
        {1, oldFonts + "data", 1, {oldFonts + "data.asm"}},
        {2, folder + "my.font", 1, {folder + "my.c", folder + "my.h"}},
        {2, folder + "fonts", 2, {folder + "fonts.cpp", folder + "fonts.h"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        const QString rememberedBefore = form().folders.sourceFolder;
        generateWith([item = c.item](TFormE& e) { clickTab(e, item); });
        platform.chooseFile(c.chosen, c.filter);
        platform.fileDialogs.clear();
        clickGenerateSource();
        EXPECT_TRUE(platform.messages.empty());
        ASSERT_EQ(platform.fileDialogs.size(), 1u);
        const RecordedFileDialog& asked = platform.fileDialogs.front();
        EXPECT_TRUE(asked.save);
        EXPECT_EQ(asked.request.filter, dialogTargets()[c.item]->filterText());
        EXPECT_EQ(asked.request.filterIndex, 1);
        EXPECT_EQ(asked.request.fileName, "");
        EXPECT_EQ(asked.request.initialFolder, rememberedBefore);
        EXPECT_EQ(form().folders.sourceFolder, c.chosen.left(c.chosen.lastIndexOf('/') + 1))
            << "the next export opens where this one went";
        for (const QString& path : c.written)
            EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
    // fonts.a51 written twice; my.h and fonts.h beside fonts.txt.
    EXPECT_EQ(filesIn(folder),
              (QStringList{"fonts.a51", "fonts.cpp", "fonts.h", "fonts.txt", "my.c", "my.h"}));
    EXPECT_EQ(filesIn(oldFonts), QStringList{"data.asm"});
    EXPECT_EQ(font().fontIdentifier, "fnt");
}

TEST_F(SourceExport, ClosedDialogOrCancelledFileDialogDoesNothing) {
    setIdentifierField("fnt");
    platform.dialogAnswers.push_back([](QDialog& d) {
        d.show();
        d.close(); // the close box
        return d.result();
    });
    clickGenerateSource();
    EXPECT_TRUE(platform.fileDialogs.empty());

    generateWith();
    platform.cancelFileDialog();
    clickGenerateSource();
    EXPECT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form().folders.sourceFolder, folder) << "a cancelled dialog keeps the folder";
    EXPECT_TRUE(filesIn(folder).isEmpty());
    EXPECT_EQ(font().fontIdentifier, "");
}

TEST_F(SourceExport, EmptyIdentifierFieldIsRefusedEvenWhenTheFontHasOne) {
    font().fontIdentifier = "saved";
    generateWith();
    clickGenerateSource();
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.text, "Can't generate source file!\nThere is no name for this font!");
    EXPECT_EQ(m.caption, "Generating source ...");
    EXPECT_EQ(m.icon, MessageIcon::Warning);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_TRUE(platform.fileDialogs.empty()) << "refused before any file dialog";
}

TEST_F(SourceExport, FontWithoutIdentifierTakesTheFieldsText) {
    setIdentifierField("lcd_font");
    ASSERT_EQ(font().fontIdentifier, "");
    generateWith();
    platform.chooseFile(folder + "out", 1);
    clickGenerateSource();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(font().fontIdentifier, "lcd_font");
    EXPECT_EQ(readFileBytes(folder + "out.a51"), expected(ExportTarget::C51, {}));

    // From now on the font's own identifier is used, whatever the field says.
    setIdentifierField("other");
    generateWith();
    platform.chooseFile(folder + "again", 1);
    clickGenerateSource();
    EXPECT_EQ(readFileBytes(folder + "again.a51"), readFileBytes(folder + "out.a51"));
}

TEST_F(SourceExport, NamelessBlankSlotIsRefusedWhileSomeCodeIsUndefined) {
    setIdentifierField("fnt");
    font().slots[kBlankSlot].name.clear();
    generateWith();
    clickGenerateSource();
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.text, "Can't generate source file!\nThe blank character #256 has no name!");
    EXPECT_EQ(m.caption, "Generating source ...");
    EXPECT_EQ(m.icon, MessageIcon::Warning);
    EXPECT_TRUE(platform.fileDialogs.empty());

    // With every code defined nothing points at the BlankSlot: the export goes ahead.
    for (int code = 0; code < kCodeCount; ++code)
        defineCharacter(font(), code, "c" + std::to_string(code), 1, {{0, code % 16}});
    platform.messages.clear();
    generateWith();
    platform.chooseFile(folder + "full", 1);
    clickGenerateSource();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(readFileBytes(folder + "full.a51"), expected(ExportTarget::C51, {}));
}

TEST_F(SourceExport, UnsavedEditsAreNotExportedAndNotAskedAbout) {
    setIdentifierField("fnt");
    clickListItem('A');
    clickCell(2, 2);
    ASSERT_TRUE(font().characterModified);
    generateWith();
    platform.chooseFile(folder + "fonts", 1);
    clickGenerateSource();
    EXPECT_TRUE(platform.messages.empty()) << "no question about unsaved work";
    EXPECT_EQ(readFileBytes(folder + "fonts.a51"), expected(ExportTarget::C51, {}));
    EXPECT_TRUE(font().characterModified) << "the edit is still there to be saved";
}

TEST_F(SourceExport, FolderThatCannotHoldTheFileShowsTheWritersMessage) {
    setIdentifierField("fnt");
    const QString missing = folder + "missing" + QDir::separator();
    const struct {
        int item;
        const char* message;
    } cases[] = {
        {0, "Can't create file!"}, {1, "Can't create file!"}, {2, "Can't create source file!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        platform.messages.clear();
        generateWith([item = c.item](TFormE& e) { clickTab(e, item); });
        platform.chooseFile(missing + "fonts", 1);
        clickGenerateSource();
        const RecordedMessage& m = onlyMessage();
        EXPECT_EQ(m.text, c.message);
        EXPECT_EQ(m.caption, "Generating source ...");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
    }
    EXPECT_TRUE(filesIn(folder).isEmpty());
    EXPECT_EQ(font().fontIdentifier, "") << "a failed export leaves the font as it was";
}

#ifdef Q_OS_LINUX
// Root ignores permission bits, so the read-only folder is a private tmpfs
// mounted read-only in a child process.
TEST_F(SourceExport, ReadOnlyFolderShowsTheWritersMessageAndLeavesNoFile) {
    setIdentifierField("fnt");
    for (int item : {0, 2}) {
        QTemporaryDir mountPoint;
        ASSERT_TRUE(mountPoint.isValid());
        const QString target = mountPoint.path();
        TFormE& dialog = *windows.FormE;
        dialog.ComboSrcList->setCurrentIndex(item);
        platform.acceptDialog();
        platform.chooseFile(target + "/fonts", 1);
        platform.messages.clear();
        const int status = runOnPrivateTmpfs(target, 64 * 1024, [&] {
            if (!remountReadOnly(target))
                return kCannotSetUp;
            form().BtnGenSourceClick();
            if (platform.messages.size() != 1)
                return 1;
            const QString expected = item == 2 ? "Can't create source file!" : "Can't create file!";
            if (platform.messages.front().text != expected ||
                platform.messages.front().caption != "Generating source ...")
                return 2;
            if (!QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty())
                return 3;
            if (!font().fontIdentifier.empty())
                return 4;
            return 0;
        });
        if (status == kCannotSetUp)
            GTEST_SKIP() << "cannot mount a private read-only tmpfs here";
        EXPECT_EQ(status, 0) << "item " << item << ": failed check " << status;
        // The child used the answers; the parent's copy still holds them.
        platform.dialogAnswers.clear();
        platform.fileAnswers.clear();
    }
}
#endif
