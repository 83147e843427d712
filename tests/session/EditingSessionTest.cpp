// The editing workflows without a window: the session, its questions answered
// from a script, and the files it reads and writes.

#include "session/EditingSession.h"
#include "font/FontFile.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

using SessionPlatform = Scripted<PlatformServices>;

class SessionTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // Draws a pixel: the character and the font become modified.
    void draw() { session.paintCell(1, 2, true, false); }

    // A font with "UA" stored in slot 65 and identifier "fnt", saved to a.fnt.
    void savedFont() {
        session.selectCharacter(65);
        draw();
        session.setNameField("UA");
        session.setIdentifierField("fnt");
        session.saveCharacterCommand();
        platform.chooseFile(path("a.fnt"));
        session.saveFontCommand();
        ASSERT_FALSE(session.fontModified());
        ASSERT_TRUE(QFile::exists(path("a.fnt")));
    }

    QTemporaryDir dir;
    SessionPlatform platform;
    EditingSession session{platform};
};

TEST_F(SessionTest, StartsAsANewFont) {
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_EQ(session.working().xSize, 8);
    EXPECT_EQ(session.ySize(), 16);
    EXPECT_FALSE(session.characterModified());
    EXPECT_FALSE(session.fontModified());
    EXPECT_EQ(session.font().slots[kBlankSlot].name, "blank");
}

TEST_F(SessionTest, EditsMarkBothFlagsAndTheIdentifierOnlyTheFont) {
    QSignalSpy flags(&session, &EditingSession::flagsChanged);
    session.markFontEdited();
    EXPECT_FALSE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
    draw();
    EXPECT_TRUE(session.characterModified());
    EXPECT_EQ(flags.count(), 2) << "the status bar hears each change of a flag once";
    draw();
    EXPECT_EQ(flags.count(), 2) << "no news, no repaint of the status bar";
}

TEST_F(SessionTest, PaintingSetsWithLeftAndClearsWithRightOrBoth) {
    EXPECT_TRUE(session.paintCell(3, 4, true, false));
    EXPECT_TRUE(pixelSet(session.working().pixels, 3, 4));
    EXPECT_TRUE(session.paintCell(3, 4, true, true));
    EXPECT_FALSE(pixelSet(session.working().pixels, 3, 4)) << "both buttons end clear";
    EXPECT_FALSE(session.paintCell(3, 4, false, false));
    EXPECT_FALSE(session.paintCell(32, 0, true, false)) << "outside the matrix";
    EXPECT_FALSE(session.paintCell(-1, 0, true, false));
}

TEST_F(SessionTest, SizesAreClampedAndTheYSizeIsTheFonts) {
    session.setXSize(40);
    EXPECT_EQ(session.working().xSize, 32);
    session.setYSize(0);
    EXPECT_EQ(session.ySize(), 1);
    EXPECT_EQ(session.font().ySize, 1);
    EXPECT_TRUE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
}

TEST_F(SessionTest, SelectLoadsTheSlotAndAsksOnlyForAModifiedCharacter) {
    FontModel& font = session.font();
    font.slots[66].name = "UB";
    font.slots[66].xSize = 5;
    font.slots[66].pixels[pixelIndex(0, 0)] = 1;
    QSignalSpy current(&session, &EditingSession::currentCharacterChanged);

    EXPECT_TRUE(session.selectCharacter(66));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(session.currentIndex(), 66);
    EXPECT_EQ(session.nameField(), "UB");
    EXPECT_EQ(session.working().xSize, 5);
    EXPECT_TRUE(pixelSet(session.working().pixels, 0, 0));
    EXPECT_EQ(current.count(), 1);

    // An undefined code keeps the width shown before it.
    EXPECT_TRUE(session.selectCharacter(70));
    EXPECT_EQ(session.working().xSize, 5);
    EXPECT_EQ(session.nameField(), "");

    draw();
    QSignalSpy kept(&session, &EditingSession::selectionKept);
    platform.answer(MessageAnswer::No);
    EXPECT_FALSE(session.selectCharacter(66));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Character was modified but not saved.\nDo you want to continue?");
    EXPECT_EQ(platform.messages[0].caption, "Warning ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(session.currentIndex(), 70) << "No keeps the current character";
    EXPECT_TRUE(session.characterModified());
    ASSERT_EQ(kept.count(), 1);
    EXPECT_EQ(kept[0][0].toInt(), 70);

    platform.answer(MessageAnswer::Yes);
    EXPECT_TRUE(session.selectCharacter(70)) << "the current code itself reloads too";
    EXPECT_FALSE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
    EXPECT_FALSE(pixelSet(session.working().pixels, 1, 2)) << "the stored character is back";
}

TEST_F(SessionTest, SaveCharacterChecksTheName) {
    session.selectCharacter(65);
    draw();
    session.saveCharacterCommand();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "There is no name for this character!\nCan't save it.");
    EXPECT_EQ(platform.messages[0].caption, "Saving character ...");
    EXPECT_FALSE(session.font().slots[65].defined());
    EXPECT_TRUE(session.characterModified()) << "a refused save keeps the drawing marked";

    session.font().slots[66].name = "UB";
    session.setNameField("ub");
    session.saveCharacterCommand();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text,
              "Character name \"ub\" is already used in character #66!\nCan't save this "
              "character.");

    session.setNameField("UA");
    session.setIdentifierField("fnt");
    QSignalSpy stored(&session, &EditingSession::characterStored);
    session.saveCharacterCommand();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(session.font().slots[65].name, "UA");
    EXPECT_TRUE(pixelSet(session.font().slots[65].pixels, 1, 2));
    EXPECT_EQ(session.font().fontIdentifier, "fnt");
    EXPECT_FALSE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
    EXPECT_EQ(stored.count(), 1);
}

TEST_F(SessionTest, EraseAsksAndEmptiesTheCurrentSlot) {
    session.font().slots[65].name = "UA";
    session.font().slots[65].pixels[0] = 1;
    session.selectCharacter(65);
    platform.answer(MessageAnswer::No);
    session.eraseCharacterCommand();
    EXPECT_TRUE(session.font().slots[65].defined());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Do you realy want to erase this character?");
    EXPECT_EQ(platform.messages[0].caption, "Erasing character ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Question);

    platform.answer(MessageAnswer::Yes);
    session.eraseCharacterCommand();
    EXPECT_FALSE(session.font().slots[65].defined());
    EXPECT_EQ(session.font().slots[65].pixels[0], 0);
    EXPECT_EQ(session.nameField(), "");
    EXPECT_EQ(session.currentIndex(), 65);
}

TEST_F(SessionTest, AutoNameFillsTheNameFieldAndMarks) {
    session.selectCharacter(0x8A);
    QSignalSpy name(&session, &EditingSession::nameFieldChanged);
    session.autoName();
    EXPECT_EQ(session.nameField(), "USh");
    EXPECT_EQ(name.count(), 1);
    EXPECT_TRUE(session.characterModified());
}

// --- the unsaved-changes sequence of New, Open and Exit

TEST_F(SessionTest, NewWithoutChangesAsksNothing) {
    session.font().slots[65].name = "UA";
    session.newFontCommand();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(session.font().slots[65].defined());
}

TEST_F(SessionTest, NewCancelledKeepsEverything) {
    session.font().slots[65].name = "UA";
    draw();
    platform.answer(MessageAnswer::Cancel);
    session.newFontCommand();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Current font was modified!\nDo you want to save it?");
    EXPECT_EQ(platform.messages[0].caption, "New font ...");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(session.font().slots[65].defined());
    EXPECT_TRUE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
}

TEST_F(SessionTest, NewAnsweredNoDropsTheFont) {
    session.font().slots[65].name = "UA";
    draw();
    platform.answer(MessageAnswer::No);
    session.newFontCommand();
    EXPECT_EQ(platform.messages.size(), 1u) << "No to the font asks nothing of the character";
    EXPECT_FALSE(session.font().slots[65].defined());
    EXPECT_FALSE(session.characterModified());
    EXPECT_FALSE(session.fontModified());
    EXPECT_EQ(session.working().xSize, 8);
    EXPECT_EQ(session.ySize(), 16);
}

TEST_F(SessionTest, NewAnsweredYesSavesTheCharacterAndTheFontFirst) {
    session.selectCharacter(65);
    draw();
    session.setNameField("UA");
    session.setIdentifierField("fnt");
    platform.answer(MessageAnswer::Yes); // save the font
    platform.answer(MessageAnswer::Yes); // save the character
    platform.chooseFile(path("new.fnt"));
    session.newFontCommand();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text,
              "Selected character was modified but not saved!\nDo you want to save it?");
    EXPECT_EQ(platform.messages[1].caption, "Saving font ...");
    const Result<FontFileData> stored = loadFontFile(path("new.fnt"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->slots[65].name, "UA");
    EXPECT_TRUE(pixelSet(stored->slots[65].pixels, 1, 2)) << "the character went in first";
    EXPECT_FALSE(session.font().slots[65].defined()) << "then the new font";
    EXPECT_FALSE(session.fontModified());
}

TEST_F(SessionTest, NewStopsWhenTheCharacterCannotBeSaved) {
    session.selectCharacter(65);
    draw(); // no name
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::Yes);
    session.newFontCommand();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[2].caption, "Saving character ...");
    EXPECT_TRUE(platform.fileDialogs.empty()) << "no save dialog after the refusal";
    EXPECT_TRUE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
    EXPECT_TRUE(pixelSet(session.working().pixels, 1, 2));
}

TEST_F(SessionTest, NewStopsWhenTheFontSaveIsCancelledOrHasNoIdentifier) {
    draw();
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::No); // keep the character unsaved
    session.newFontCommand();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[2].text, "Can't save font file!\nThere is no name for this font!");
    EXPECT_EQ(platform.messages[2].caption, "Saving font file ...");
    EXPECT_EQ(platform.messages[2].icon, MessageIcon::Error);
    EXPECT_TRUE(session.fontModified());

    session.setIdentifierField("fnt");
    platform.answer(MessageAnswer::Yes);
    platform.cancelFileDialog();
    session.newFontCommand();
    EXPECT_TRUE(session.fontModified()) << "a cancelled save dialog stops New";
    EXPECT_TRUE(pixelSet(session.working().pixels, 1, 2));
}

TEST_F(SessionTest, OpenReadsAFontAtCodeZeroAndRefusesADamagedOne) {
    savedFont();
    session.newFontCommand();
    ASSERT_FALSE(session.font().slots[65].defined());

    platform.chooseFile(path("a.fnt"));
    session.openFontCommand();
    EXPECT_EQ(session.font().slots[65].name, "UA");
    EXPECT_EQ(session.font().fontIdentifier, "fnt");
    EXPECT_EQ(session.identifierField(), "fnt");
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_EQ(session.font().currentFileName, "a.fnt");
    EXPECT_FALSE(session.fontModified());

    QFile damaged(path("bad.fnt"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Zelvik_glyphV2.0 broken");
    damaged.close();
    platform.chooseFile(path("bad.fnt"));
    session.openFontCommand();
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().text, "Invalid font file format or version!");
    EXPECT_EQ(platform.messages.back().caption, "Opening font file ...");
    EXPECT_EQ(session.font().slots[65].name, "UA") << "the font in memory stays";
    EXPECT_EQ(session.font().currentFileName, "");

    platform.chooseFile(path("missing.fnt"));
    session.openFontCommand();
    EXPECT_EQ(platform.messages.back().text, "Can't open font file!");
    EXPECT_EQ(platform.messages.back().icon, MessageIcon::Error);
    EXPECT_EQ(session.font().slots[65].name, "UA");
}

TEST_F(SessionTest, OpenCancelledAtTheQuestionKeepsAnUndecidedDrawing) {
    savedFont();
    draw();
    session.shiftRight();
    platform.answer(MessageAnswer::Cancel);
    session.openFontCommand();
    EXPECT_TRUE(platform.fileDialogs.size() == 1u) << "only the earlier save dialog";
    EXPECT_TRUE(session.characterModified());
    EXPECT_TRUE(pixelSet(session.working().pixels, 2, 2)) << "the drawing stays as drawn";
}

TEST_F(SessionTest, OpenAnsweredNoToTheFontOpensWithoutSaving) {
    savedFont();
    session.font().slots[66].name = "UB";
    session.markFontEdited();
    platform.answer(MessageAnswer::No);
    platform.chooseFile(path("a.fnt"));
    session.openFontCommand();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Current font was modified!\n Do you wont to save it?");
    EXPECT_EQ(platform.messages[0].caption, "Opening font file...");
    EXPECT_FALSE(session.font().slots[66].defined()) << "the file's font replaced it";
}

TEST_F(SessionTest, ExitAsksAndStaysOpenOnCancel) {
    EXPECT_TRUE(session.queryClose()) << "nothing to save";
    draw();
    platform.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(session.queryClose());
    EXPECT_EQ(platform.messages.back().caption, "Exit ...");
    EXPECT_TRUE(session.fontModified());

    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::No);
    EXPECT_FALSE(session.queryClose()) << "no identifier: the save fails and the close stops";

    platform.answer(MessageAnswer::No);
    EXPECT_TRUE(session.queryClose());
}

TEST_F(SessionTest, ExitAnsweredYesSavesThenCloses) {
    savedFont();
    session.font().slots[66].name = "UB";
    session.markFontEdited();
    platform.answer(MessageAnswer::Yes);
    platform.chooseFile(path("a.fnt"));
    EXPECT_TRUE(session.queryClose());
    const Result<FontFileData> stored = loadFontFile(path("a.fnt"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->slots[66].name, "UB");
}

TEST_F(SessionTest, SaveFontAsksTheVersionOnlyWhenVersionOneCanHoldIt) {
    int asked = 0;
    session.chooseFontFileVersion = [&] {
        ++asked;
        return std::optional(FontFileVersion::V1);
    };
    savedFont();
    EXPECT_EQ(asked, 1);
    const Result<FontFileData> first = loadFontFile(path("a.fnt"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->version, FontFileVersion::V1);

    session.setYSize(20);
    platform.answer(MessageAnswer::No); // leave the character unsaved
    platform.chooseFile(path("b.fnt"));
    session.saveFontCommand();
    EXPECT_EQ(asked, 1) << "20 rows need version 2.0";
    const Result<FontFileData> second = loadFontFile(path("b.fnt"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->version, FontFileVersion::V2);

    session.chooseFontFileVersion = [&] { return std::optional<FontFileVersion>(); };
    session.setYSize(16);
    platform.answer(MessageAnswer::No);
    session.saveFontCommand();
    EXPECT_TRUE(session.fontModified()) << "a cancelled version dialog saves nothing";
}

TEST_F(SessionTest, SaveFontIntoAMissingFolderReportsAndKeepsTheFontModified) {
    session.setIdentifierField("fnt");
    draw();
    session.markFontEdited();
    platform.answer(MessageAnswer::No); // the character question
    platform.chooseFile(path("no/such/folder/a.fnt"));
    session.saveFontCommand();
    EXPECT_EQ(platform.messages.back().text, "Can't create font file!");
    EXPECT_EQ(platform.messages.back().caption, "Saving font file ...");
    EXPECT_TRUE(session.fontModified());
    EXPECT_EQ(session.font().currentFileName, "");
}

} // namespace
} // namespace zelvik::test
