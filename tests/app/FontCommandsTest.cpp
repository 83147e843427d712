// New, Open font, Save font and Exit driven through the main window, with
// every question answered from a script and real font files in temporary
// folders.

#include "app/TFFForm.h"
#include "editor/ui/PixelGrid.h"
#include "font/FontFile.h"
#include "font/SettingsFile.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

const QString kFontQuestion = "Current font was modified!\nDo you want to save it?";
const QString kOpenQuestion = "Current font was modified!\n Do you wont to save it?";
const QString kCharacterQuestionText =
    "Selected character was modified but not saved!\nDo you want to save it?";

bool sameSlots(const FontModel& a, const FontModel& b) {
    for (int i = 0; i < kSlotCount; ++i) {
        const CharSlot& x = a.slots[i];
        const CharSlot& y = b.slots[i];
        if (x.name != y.name || x.xSize != y.xSize || x.pixels != y.pixels)
            return false;
    }
    return true;
}

class FontCommands : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(files.isValid());
    }

    QString file(const QString& name) const { return files.filePath(name); }
    // The folder as the dialogs hold it: native separators, ending in one.
    QString folder() const { return QDir::toNativeSeparators(files.path()) + QDir::separator(); }

    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

    // A font file with code 65 named "UA", 12 wide with ink at (0,0) and
    // (11,19), y-size 20, identifier "fnt".
    QString writeSampleFont(const QString& name) {
        FontModel sample;
        sample.ySize = 20;
        sample.slots[65].name = "UA";
        sample.slots[65].xSize = 12;
        sample.slots[65].pixels[pixelIndex(0, 0)] = 1;
        sample.slots[65].pixels[pixelIndex(11, 19)] = 1;
        const QString path = file(name);
        EXPECT_TRUE(writeFontFile(path, FontFileVersion::V2, "fnt", 20, sample));
        return path;
    }

    // Paints a pixel of the current character: both flags set.
    void drawSomething() {
        clickCell(2, 3);
        ASSERT_TRUE(font().characterModified);
        ASSERT_TRUE(font().fontModified);
    }

    bool configWritten() const { return QFile::exists(startupDir.filePath("config.ini")); }

    void expectQuestion(std::size_t i, const QString& text, const QString& caption,
                        MessageButtons buttons) {
        ASSERT_LT(i, platform.messages.size());
        EXPECT_EQ(platform.messages[i].text, text);
        EXPECT_EQ(platform.messages[i].caption, caption);
        EXPECT_EQ(platform.messages[i].icon, MessageIcon::Question);
        EXPECT_EQ(platform.messages[i].buttons, buttons);
    }

    void expectMessage(std::size_t i, const QString& text, const QString& caption,
                       MessageIcon icon) {
        ASSERT_LT(i, platform.messages.size());
        EXPECT_EQ(platform.messages[i].text, text);
        EXPECT_EQ(platform.messages[i].caption, caption);
        EXPECT_EQ(platform.messages[i].icon, icon);
        EXPECT_EQ(platform.messages[i].buttons, MessageButtons::Ok);
    }

    QTemporaryDir files;
};

} // namespace

TEST_F(FontCommands, OpenReadsTheFontAndNewEmptiesItWithoutAsking) {
    const QString path = writeSampleFont("sample.fnt");
    clickListItem(70);
    platform.chooseFile(path);
    click("BtnLoadCharSet");

    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    const RecordedFileDialog& dialog = platform.fileDialogs[0];
    EXPECT_FALSE(dialog.save);
    EXPECT_EQ(dialog.request.filter, "Font files (*.fnt)|*.fnt");
    EXPECT_EQ(dialog.request.filterIndex, 1);
    EXPECT_EQ(dialog.request.fileName, "");
    EXPECT_EQ(dialog.request.initialFolder, homeFolder()) << "no config.ini: home";

    EXPECT_EQ(font().slots[65].name, "UA");
    EXPECT_EQ(font().ySize, 20);
    EXPECT_EQ(form().EditFontPrefix->text(), "fnt");
    EXPECT_EQ(form().EditYres->text(), "20");
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(form().ListCharSet->currentRow(), 0);
    EXPECT_EQ(form().ListCharSet->item(65)->text(), "#65  'A' - UA");
    EXPECT_EQ(panel(kPanelFile), " sample.fnt");
    EXPECT_EQ(form().folders.fontOpenFolder, folder());
    EXPECT_NE(form().folders.fontSaveFolder, folder()) << "only the open dialog's folder moves";

    clickListItem(65);
    EXPECT_TRUE(pixel(11, 19));
    EXPECT_EQ(form().EditXres->text(), "12");

    click("BtnNew");
    EXPECT_TRUE(platform.messages.empty()) << "an unmodified font is dropped without asking";
    EXPECT_EQ(font().slots[65].name, "");
    EXPECT_EQ(font().slots[kBlankSlot].name, "blank");
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(form().EditXres->text(), "8");
    EXPECT_EQ(form().EditYres->text(), "16");
    EXPECT_EQ(form().DrawMatrix->colCount(), 8);
    EXPECT_EQ(form().EditFontPrefix->text(), "");
    EXPECT_EQ(panel(kPanelFile), " sample.fnt") << "New keeps the file name";
}

TEST_F(FontCommands, NewOnAModifiedFontAsksAndStopsWhereTheUserSays) {
    // Cancel: nothing changes, the drawing is still marked.
    drawSomething();
    platform.answer(MessageAnswer::Cancel);
    click("BtnNew");
    expectQuestion(0, kFontQuestion, "New font ...", MessageButtons::YesNoCancel);
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(panel(kPanelFile), "  *");

    // Yes, No to the character, then Cancel in the save dialog: the font
    // stays, still marked, and the drawing stays in the editor unmarked.
    type(form().EditFontPrefix, "abc");
    platform.messages.clear();
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::No);
    platform.acceptDialog();
    platform.cancelFileDialog();
    click("BtnNew");
    ASSERT_EQ(platform.messages.size(), 2u);
    expectQuestion(0, kFontQuestion, "New font ...", MessageButtons::YesNoCancel);
    expectQuestion(1, kCharacterQuestionText, "Saving font ...", MessageButtons::YesNo);
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_EQ(form().EditFontPrefix->text(), "abc");

    // No: the font is dropped.
    platform.messages.clear();
    platform.answer(MessageAnswer::No);
    click("BtnNew");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(pixel(2, 3));
    EXPECT_EQ(form().EditFontPrefix->text(), "");
    EXPECT_EQ(panel(kPanelFile), " ");
}

TEST_F(FontCommands, NewAnsweredYesSavesCharacterAndFontFirst) {
    type(form().EditFontPrefix, "abc");
    clickListItem(65);
    drawSomething();
    form().EditCharName->setText("UA");
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::Yes);
    platform.rejectDialog(); // the version dialog's Cancel stops the command too
    click("BtnNew");
    EXPECT_EQ(font().slots[65].name, "UA") << "the character was saved before the stop";
    EXPECT_EQ(panel(kPanelFile), "  *");

    platform.answer(MessageAnswer::Yes);
    platform.acceptDialog();
    platform.chooseFile(file("saved"));
    click("BtnNew");
    const Result<FontModel> saved = readFontFile(file("saved.fnt"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->fontIdentifier, "abc");
    EXPECT_EQ(saved->slots[65].name, "UA");
    EXPECT_TRUE(pixelSet(saved->slots[65].pixels, 2, 3));
    EXPECT_EQ(font().slots[65].name, "") << "then the font was emptied";
    EXPECT_EQ(panel(kPanelFile), " saved");
}

TEST_F(FontCommands, OpenAnsweredNoThenCancelledKeepsTheFontUnmarkedAtCodeZero) {
    type(form().EditFontPrefix, "keep");
    clickListItem(5);
    drawSomething();
    platform.answer(MessageAnswer::No);
    platform.cancelFileDialog();
    click("BtnLoadCharSet");
    expectQuestion(0, kOpenQuestion, "Opening font file...", MessageButtons::YesNoCancel);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(font().fontModified);
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(form().ListCharSet->currentRow(), 0);
    EXPECT_EQ(panel(kPanelFile), " ");
    EXPECT_EQ(panel(kPanelModified), "");
}

// Cancel means "leave everything as it is": rebuilding the view would have
// reloaded the slot over the drawing the user had not decided about.
TEST_F(FontCommands, OpenStoppedKeepsTheUnsavedDrawing) {
    clickListItem(5);
    drawSomething();
    platform.answer(MessageAnswer::Cancel);
    click("BtnLoadCharSet");
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_TRUE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(font().currentIndex, 5);

    // Yes to both, but the character has no name: the save is refused and
    // the drawing is still there to be named.
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::Yes);
    click("BtnLoadCharSet");
    ASSERT_EQ(platform.messages.size(), 4u);
    expectQuestion(2, kCharacterQuestionText, "Saving font ...", MessageButtons::YesNo);
    expectMessage(3, "There is no name for this character!\nCan't save it.", "Saving character ...",
                  MessageIcon::Warning);
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_TRUE(font().characterModified);
    EXPECT_TRUE(font().fontModified);
}

TEST_F(FontCommands, RefusedFilesLeaveTheFontAsItWas) {
    const QString good = writeSampleFont("good.fnt");
    platform.chooseFile(good);
    click("BtnLoadCharSet");
    const FontModel before = font();
    const QString openFolder = form().folders.fontOpenFolder;

    // Valid magic, body cut short.
    const std::string bytes = readFileBytes(good);
    writeFileBytes(file("short.fnt"), bytes.substr(0, bytes.size() / 2));
    // Version 2.0 magic with its last character changed.
    std::string badMagic = bytes;
    badMagic[15] = '1';
    writeFileBytes(file("magic.fnt"), badMagic);

    for (const char* name : {"short.fnt", "magic.fnt"}) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        platform.chooseFile(file(name));
        click("BtnLoadCharSet");
        ASSERT_EQ(platform.messages.size(), 1u);
        expectMessage(0, "Invalid font file format or version!", "Opening font file ...",
                      MessageIcon::Warning);
        EXPECT_TRUE(sameSlots(font(), before));
        EXPECT_EQ(font().fontIdentifier, "fnt");
        EXPECT_EQ(font().ySize, 20);
        EXPECT_EQ(font().currentFileName, "");
        EXPECT_EQ(panel(kPanelFile), " ");
        EXPECT_EQ(form().folders.fontOpenFolder, openFolder);
    }

    platform.messages.clear();
    platform.chooseFile(file("missing.fnt"));
    click("BtnLoadCharSet");
    ASSERT_EQ(platform.messages.size(), 1u);
    expectMessage(0, "Can't open font file!", "Opening font file ...", MessageIcon::Error);
    EXPECT_TRUE(sameSlots(font(), before));
}

TEST_F(FontCommands, SaveTakesTheIdentifierFromTheField) {
    platform.chooseFile(writeSampleFont("sample.fnt"));
    click("BtnLoadCharSet");
    clearField(form().EditFontPrefix);
    click("BtnSaveCharSet");
    ASSERT_EQ(platform.messages.size(), 1u);
    expectMessage(0, "Can't save font file!\nThere is no name for this font!",
                  "Saving font file ...", MessageIcon::Error);
    EXPECT_TRUE(platform.dialogTitles.empty());
    EXPECT_EQ(platform.fileDialogs.size(), 1u) << "only the open dialog";
    EXPECT_EQ(font().fontIdentifier, "fnt");
}

TEST_F(FontCommands, SavingABareNameWithTheFirstFilterWritesFnt) {
    type(form().EditFontPrefix, "abc");
    bool rb1Checked = false;
    platform.acceptDialog([&](QDialog& d) {
        auto& dialog = static_cast<TFFForm&>(d);
        rb1Checked = dialog.RB1->isChecked();
        EXPECT_EQ(dialog.RB1->text(), "v1.0 - First version for older SW");
        EXPECT_EQ(dialog.RB2->text(), "v2.0 - New version for characters up to 32x32");
    });
    platform.chooseFile(file("abc"), 1);
    click("BtnSaveCharSet");

    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "Font file version");
    EXPECT_TRUE(rb1Checked) << "version 1.0 is preselected";
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    const RecordedFileDialog& dialog = platform.fileDialogs[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.request.filter, "Font files (*.fnt)|*.fnt|All files (*.*)|*.*");
    EXPECT_EQ(dialog.request.filterIndex, 1);
    EXPECT_EQ(dialog.request.fileName, "");

    EXPECT_EQ(readFileBytes(file("abc.fnt")).size(), 33436u) << "version 1.0, new font";
    EXPECT_FALSE(QFile::exists(file("abc")));
    EXPECT_EQ(panel(kPanelFile), " abc");
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(form().folders.fontSaveFolder, folder());

    // Version 2.0 chosen, "All files" filter: the name is written as typed,
    // and the dialog is offered again with version 1.0 checked.
    bool rb1CheckedAgain = false;
    platform.acceptDialog([&](QDialog& d) {
        auto& versions = static_cast<TFFForm&>(d);
        rb1CheckedAgain = versions.RB1->isChecked();
        versions.RB2->setChecked(true);
    });
    platform.chooseFile(file("abc.txt"), 2);
    click("BtnSaveCharSet");
    EXPECT_TRUE(rb1CheckedAgain);
    EXPECT_EQ(readFileBytes(file("abc.txt")).size(), 263708u);
    EXPECT_EQ(panel(kPanelFile), " abc.txt");
}

TEST_F(FontCommands, WideOrTallFontsAreSavedAsVersionTwoWithoutAsking) {
    type(form().EditFontPrefix, "w");
    clickListItem(65);
    setSize("EditXres", 9);
    form().EditCharName->setText("A9");
    click("BtnSaveChar");
    platform.chooseFile(file("wide.fnt"));
    click("BtnSaveCharSet");
    EXPECT_TRUE(platform.dialogTitles.empty());
    EXPECT_EQ(readFileBytes(file("wide.fnt")).substr(0, 16), "Zelvik_glyphV2.0");

    click("BtnNew");
    type(form().EditFontPrefix, "t");
    setSize("EditYres", 17);
    platform.answer(MessageAnswer::No); // the y-size change marked the character
    platform.chooseFile(file("tall.fnt"));
    click("BtnSaveCharSet");
    expectQuestion(0, kCharacterQuestionText, "Saving font ...", MessageButtons::YesNo);
    EXPECT_TRUE(platform.dialogTitles.empty());
    const std::string tall = readFileBytes(file("tall.fnt"));
    EXPECT_EQ(tall.substr(0, 16), "Zelvik_glyphV2.0");
    EXPECT_EQ(tall[18], 17) << "the y-size after the identifier t and its 0";
}

TEST_F(FontCommands, FailedWriteIsReportedAndKeepsTheFontMarked) {
    type(form().EditFontPrefix, "abc");
    platform.acceptDialog();
    const QString missing = file("no-such-folder/abc.fnt");
    platform.chooseFile(missing);
    click("BtnSaveCharSet");
    ASSERT_EQ(platform.messages.size(), 1u);
    expectMessage(0, "Can't create font file!", "Saving font file ...", MessageIcon::Error);
    EXPECT_TRUE(font().fontModified);
    EXPECT_EQ(font().currentFileName, "");
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_EQ(form().folders.fontSaveFolder,
              QDir::toNativeSeparators(file("no-such-folder")) + QDir::separator())
        << "the save dialog's folder moves as soon as a name is chosen";
}

TEST_F(FontCommands, ExitWithAnUnnamedCharacterStaysOpenAndWritesNoSettings) {
    drawSomething();
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::Yes);
    form().MBtnExitClick();
    ASSERT_EQ(platform.messages.size(), 3u);
    expectQuestion(0, kFontQuestion, "Exit ...", MessageButtons::YesNoCancel);
    expectQuestion(1, kCharacterQuestionText, "Exit ...", MessageButtons::YesNo);
    expectMessage(2, "There is no name for this character!\nCan't save it.", "Saving character ...",
                  MessageIcon::Warning);
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_FALSE(configWritten());
    EXPECT_TRUE(pixel(2, 3));

    // Cancel, and a cancelled save, keep it open too.
    platform.answer(MessageAnswer::Cancel);
    form().MBtnExitClick();
    EXPECT_TRUE(form().isVisible());
    type(form().EditFontPrefix, "abc");
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::No);
    platform.acceptDialog();
    platform.cancelFileDialog();
    form().MBtnExitClick();
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(configWritten());

    // No drops the font and closes.
    platform.answer(MessageAnswer::No);
    form().MBtnExitClick();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(configWritten());
}

TEST_F(FontCommands, ShortcutsRunTheCommands) {
    QTest::keyClick(&form(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Saving font file ...");

    platform.cancelFileDialog();
    QTest::keyClick(&form(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.fileDialogs.size(), 1u);

    drawSomething();
    platform.answer(MessageAnswer::No);
    QTest::keyClick(&form(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(pixel(2, 3));
}
