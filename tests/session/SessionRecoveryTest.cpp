// The recovery copy without a window: when it is written and removed, what it
// holds, and what the next start makes of it. A SessionRecovery destroyed
// without sessionEnded() is an editor that died.

#include "session/SessionRecovery.h"
#include "session/EditingSession.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

using SessionPlatform = Scripted<PlatformServices>;

// One editor: its session and its recovery, over a folder shared with others.
struct Editor {
    explicit Editor(const QString& folder) : recovery(session, folder) {}
    SessionPlatform platform;
    EditingSession session{platform};
    SessionRecovery recovery;
};

class RecoveryTest : public ::testing::Test {
protected:
    QStringList copies(const QString& pattern = QStringLiteral("*.zelvik-recovery")) const {
        return QDir(folder()).entryList({pattern}, QDir::Files);
    }
    QString folder() const { return dir.filePath(QStringLiteral("recovery")); }

    // Draws in slot 65, names and stores it, and types a name for the next
    // character and an identifier; leaves a copy and dies.
    void crashWithWork() {
        Editor editor(folder());
        EditingSession& s = editor.session;
        s.selectCharacter(65);
        s.paintCell(1, 2, true, false);
        s.setNameField("UA");
        s.setIdentifierField("fnt");
        s.saveCharacterCommand();
        s.selectCharacter(66);
        s.setXSize(12);
        s.paintCell(3, 4, true, false);
        s.setNameField("UB");
        ASSERT_TRUE(editor.recovery.writeNow());
    }

    QTemporaryDir dir;
};

TEST(RecoveryCopyFormat, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    auto copy = std::make_unique<RecoveryCopy>();
    copy->font.fontIdentifier = "fnt";
    copy->font.ySize = 20;
    copy->font.slots[65].name = "UA";
    copy->font.slots[65].xSize = 30;
    copy->font.slots[65].pixels[pixelIndex(29, 19)] = 1;
    copy->font.currentIndex = 256;
    copy->font.characterModified = true;
    copy->font.fontModified = true;
    copy->font.currentFileName = "my font.fnt";
    copy->working.xSize = 5;
    copy->working.pixels[pixelIndex(31, 31)] = 1;
    copy->selectedXSize = 7;
    copy->nameField = "typed";
    copy->identifierField = "newer";
    copy->lastChanged = 1765200000123;
    const std::string bytes = serializeRecoveryCopy(*copy);

    const auto back = parseRecoveryCopy(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->font.fontIdentifier, "fnt");
    EXPECT_EQ(back->font.ySize, 20);
    EXPECT_EQ(back->font.slots, copy->font.slots);
    EXPECT_EQ(back->font.currentIndex, 256);
    EXPECT_TRUE(back->font.characterModified);
    EXPECT_TRUE(back->font.fontModified);
    EXPECT_EQ(back->font.currentFileName, "my font.fnt");
    EXPECT_EQ(back->working, copy->working);
    EXPECT_EQ(back->selectedXSize, 7);
    EXPECT_EQ(back->nameField, "typed");
    EXPECT_EQ(back->identifierField, "newer");
    EXPECT_EQ(back->lastChanged, 1765200000123);

    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{15}, std::size_t{100}, bytes.size() - 9, bytes.size() - 1})
        EXPECT_FALSE(parseRecoveryCopy(std::string_view(bytes).substr(0, cut))) << cut;
    EXPECT_FALSE(parseRecoveryCopy(bytes + '\0')) << "nothing may follow";
    for (const std::size_t at : {std::size_t{3}, std::size_t{40}, bytes.size() / 2}) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
        EXPECT_FALSE(parseRecoveryCopy(damaged)) << at;
    }
}

TEST(RecoveryCopyFormat, KeepsASetBaselineAndReadsCopiesFromBeforeBaselines) {
    auto copy = std::make_unique<RecoveryCopy>();
    copy->font.ySize = 20;
    const std::string without = serializeRecoveryCopy(*copy);
    EXPECT_TRUE(without.starts_with("Zelvik_recovery1")) << "the layout older copies have";
    auto back = parseRecoveryCopy(without);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->font.baseline, 0);

    setFontBaseline(copy->font, 14);
    const std::string with = serializeRecoveryCopy(*copy);
    back = parseRecoveryCopy(with);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->font.baseline, 14);
    EXPECT_EQ(back->font.ySize, 20);
    EXPECT_EQ(with.size(), without.size() + 1);
}

TEST_F(RecoveryTest, WrittenAfterAPauseInTheEditingAndOnlyWhileSomethingIsUnsaved) {
    Editor editor(folder());
    editor.session.setNameField("UA");
    editor.session.selectCharacter(1);
    QTest::qWait(SessionRecovery::kDelayMs + 300);
    EXPECT_TRUE(copies().isEmpty()) << "nothing was unsaved";

    editor.session.paintCell(1, 1, true, false);
    QTest::qWait(SessionRecovery::kDelayMs / 2);
    editor.session.paintCell(2, 1, true, false);
    QTest::qWait(SessionRecovery::kDelayMs * 3 / 4);
    EXPECT_TRUE(copies().isEmpty()) << "the editing had no pause yet";
    QTest::qWait(SessionRecovery::kDelayMs / 2);
    EXPECT_EQ(copies().size(), 1);
}

TEST_F(RecoveryTest, GoesWhenNothingIsUnsavedAndAtANormalClose) {
    Editor editor(folder());
    EditingSession& s = editor.session;
    s.paintCell(1, 1, true, false);
    ASSERT_TRUE(editor.recovery.writeNow());
    ASSERT_EQ(copies().size(), 1);

    editor.platform.answer(MessageAnswer::No); // the font question of New
    s.newFontCommand();
    EXPECT_TRUE(copies().isEmpty()) << "New after its questions";

    s.paintCell(1, 1, true, false);
    s.setNameField("A");
    s.setIdentifierField("fnt");
    s.saveCharacterCommand();
    ASSERT_TRUE(editor.recovery.writeNow());
    editor.platform.answer(MessageAnswer::Ok);
    editor.platform.chooseFile(dir.filePath(QStringLiteral("a.fnt")), 2);
    s.saveFontCommand();
    ASSERT_FALSE(s.fontModified());
    EXPECT_TRUE(copies().isEmpty()) << "Save font left nothing unsaved";

    s.paintCell(2, 2, true, false);
    ASSERT_TRUE(editor.recovery.writeNow());
    editor.recovery.sessionEnded();
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_TRUE(copies(QStringLiteral("*.lock")).isEmpty());
}

TEST_F(RecoveryTest, YesRestoresTheSessionAsItWasMarkedModified) {
    crashWithWork();
    Editor next(folder());
    next.platform.answer(MessageAnswer::Yes);
    next.recovery.offerRecovery();

    ASSERT_EQ(next.platform.messages.size(), 1u);
    const RecordedMessage& asked = next.platform.messages[0];
    EXPECT_TRUE(asked.text.startsWith(
        QStringLiteral("Zelvik was closed without saving the font\nuntitled, last changed ")));
    EXPECT_TRUE(asked.text.endsWith(QStringLiteral(".\nRecover it?")));
    EXPECT_EQ(asked.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(asked.icon, MessageIcon::Question);

    const EditingSession& s = next.session;
    EXPECT_EQ(s.font().slots[65].name, "UA");
    EXPECT_TRUE(pixelSet(s.font().slots[65].pixels, 1, 2));
    EXPECT_EQ(s.font().fontIdentifier, "fnt");
    EXPECT_EQ(s.currentIndex(), 66);
    EXPECT_EQ(s.working().xSize, 12);
    EXPECT_TRUE(pixelSet(s.working().pixels, 3, 4));
    EXPECT_EQ(s.nameField(), "UB");
    EXPECT_EQ(s.identifierField(), "fnt");
    EXPECT_TRUE(s.characterModified());
    EXPECT_TRUE(s.fontModified());
    EXPECT_EQ(next.recovery.copyPath(), QDir(folder()).filePath(copies().value(0)))
        << "the copy stays, now this editor's";
}

TEST_F(RecoveryTest, ARestoredFontStaysModifiedWhenItsEditsAreTakenBack) {
    crashWithWork();
    Editor next(folder());
    next.platform.answer(MessageAnswer::Yes);
    next.recovery.offerRecovery();
    next.session.paintCell(9, 9, true, false);
    next.session.undo();
    EXPECT_TRUE(next.session.fontModified());
}

TEST_F(RecoveryTest, NoDeletesTheCopyAndCancelKeepsItForTheNextStart) {
    crashWithWork();
    {
        Editor cancelled(folder());
        cancelled.platform.answer(MessageAnswer::Cancel);
        cancelled.recovery.offerRecovery();
        EXPECT_FALSE(cancelled.session.fontModified());
        EXPECT_EQ(copies().size(), 1);
    }
    Editor refused(folder());
    refused.platform.answer(MessageAnswer::No);
    refused.recovery.offerRecovery();
    EXPECT_EQ(refused.platform.messages.size(), 1u);
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_FALSE(refused.session.fontModified());
}

TEST_F(RecoveryTest, TheCopyOfAnEditorStillRunningIsNotOffered) {
    Editor running(folder());
    running.session.paintCell(1, 1, true, false);
    ASSERT_TRUE(running.recovery.writeNow());
    Editor second(folder());
    second.recovery.offerRecovery();
    EXPECT_TRUE(second.platform.messages.empty());
    second.session.paintCell(1, 1, true, false);
    ASSERT_TRUE(second.recovery.writeNow());
    EXPECT_EQ(copies().size(), 2) << "one copy each";
}

TEST_F(RecoveryTest, ADamagedCopyIsSetAsideWithoutAQuestion) {
    crashWithWork();
    const QString path = QDir(folder()).filePath(copies().value(0));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
    }
    Editor next(folder());
    next.recovery.offerRecovery();
    EXPECT_TRUE(next.platform.messages.empty());
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".damaged")));
}

TEST_F(RecoveryTest, AFailedWriteIsReportedOnceAndTriedAgainAfterTheNextEdit) {
    // A file where the folder should be: nothing can be written into it.
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Editor editor(folder());
    editor.session.paintCell(1, 1, true, false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(editor.recovery.writeNow());
    EXPECT_FALSE(editor.recovery.writeNow());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("recovery copy"), std::string::npos) << said;
    EXPECT_EQ(said.find("recovery copy"), said.rfind("recovery copy")) << "said once";
    EXPECT_TRUE(editor.platform.messages.empty());

    ASSERT_TRUE(QFile::remove(folder()));
    editor.session.paintCell(2, 1, true, false);
    QTest::qWait(SessionRecovery::kDelayMs + 300);
    EXPECT_EQ(copies().size(), 1);
}

} // namespace
} // namespace zelvik::test
