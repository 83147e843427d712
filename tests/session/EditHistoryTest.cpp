// Undo and redo without a window: every kind of step goes back to exactly the
// state before it and forward to exactly the state after it, the flags follow
// the slot and the saved state, and the history is bounded and starts afresh
// with each font.

#include "session/EditingSession.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zelvik::test {
namespace {

using SessionPlatform = Scripted<PlatformServices>;

// Everything a step may change, and everything the user sees of it.
struct Observed {
    int currentIndex;
    WorkingCharacter working;
    int ySize;
    int baseline;
    std::string nameField;
    std::string identifierField;
    std::string fontIdentifier;
    std::array<CharSlot, kSlotCount> slots;
    bool characterModified;
    bool fontModified;

    explicit Observed(const EditingSession& s)
        : currentIndex(s.currentIndex()), working(s.working()), ySize(s.ySize()),
          baseline(s.baseline()), nameField(s.nameField()), identifierField(s.identifierField()),
          fontIdentifier(s.font().fontIdentifier), slots(s.font().slots),
          characterModified(s.characterModified()), fontModified(s.fontModified()) {}
};

// The parts in which two states differ, empty when they are the same.
std::string differences(const Observed& a, const Observed& b) {
    std::ostringstream out;
    auto part = [&](bool same, const char* name) {
        if (!same)
            out << name << ' ';
    };
    part(a.currentIndex == b.currentIndex, "currentIndex");
    part(a.working.pixels == b.working.pixels, "pixels");
    part(a.working.xSize == b.working.xSize, "xSize");
    part(a.ySize == b.ySize, "ySize");
    part(a.baseline == b.baseline, "baseline");
    part(a.nameField == b.nameField, "nameField");
    part(a.identifierField == b.identifierField, "identifierField");
    part(a.fontIdentifier == b.fontIdentifier, "fontIdentifier");
    for (int i = 0; i < kSlotCount; ++i) {
        if (!(a.slots[i] == b.slots[i]))
            out << "slot" << i << ' ';
    }
    part(a.characterModified == b.characterModified, "characterModified");
    part(a.fontModified == b.fontModified, "fontModified");
    return out.str();
}

class HistoryTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    void stroke(std::initializer_list<std::pair<int, int>> cells, bool ink = true) {
        session.beginStroke();
        for (auto [col, row] : cells)
            session.paintCell(col, row, ink, !ink);
        session.endStroke();
    }

    // Slots 65 "UA" (6 wide) and 66 "UB" (5 wide), identifier "fnt", saved
    // to a.fnt: the font is clean.
    void savedFont() {
        session.selectCharacter(65);
        session.setXSize(6);
        stroke({{0, 0}, {1, 1}, {5, 15}});
        session.setNameField("UA");
        session.setIdentifierField("fnt");
        session.saveCharacterCommand();
        session.selectCharacter(66);
        session.setXSize(5);
        stroke({{4, 0}, {4, 1}});
        session.setNameField("UB");
        session.saveCharacterCommand();
        platform.chooseFile(path("a.fnt"));
        session.saveFontCommand();
        ASSERT_FALSE(session.fontModified());
        ASSERT_FALSE(session.characterModified());
    }

    bool ink(int col, int row) const { return pixelSet(session.working().pixels, col, row); }
    QString undoText() const { return session.history().undoText(); }

    QTemporaryDir dir;
    SessionPlatform platform;
    EditingSession session{platform};
};

// --- every kind of step, back and forth

struct StepCase {
    const char* name;     // test name
    const char* undoText; // the step's name in the menu
    std::function<void(EditingSession&, SessionPlatform&)> act;
};

void PrintTo(const StepCase& step, std::ostream* out) {
    *out << step.name;
}

class EveryStep : public HistoryTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(EveryStep, UndoesToTheStateBeforeAndRedoesToTheStateAfter) {
    savedFont();
    // Character 66 with an unsaved stroke: both flags set, the slots differ
    // from the editor, and the history holds steps before this one.
    stroke({{2, 3}, {3, 3}, {3, 4}});
    session.setNameField("UB");
    const Observed before(session);
    ASSERT_TRUE(before.characterModified && before.fontModified);

    GetParam().act(session, platform);
    const Observed after(session);
    ASSERT_FALSE(differences(before, after).empty()) << "the step changed nothing";
    EXPECT_EQ(undoText(), GetParam().undoText);
    const int steps = session.history().index();

    session.undo();
    EXPECT_EQ(differences(Observed(session), before), "") << "after undo";
    EXPECT_EQ(session.history().redoText(), GetParam().undoText);
    session.redo();
    EXPECT_EQ(differences(Observed(session), after), "") << "after redo";
    EXPECT_EQ(session.history().index(), steps);
    session.undo();
    EXPECT_EQ(differences(Observed(session), before), "") << "after the second undo";
    EXPECT_TRUE(platform.servicesUsedUp());
    EXPECT_EQ(platform.messages.size(), GetParam().name == std::string("Erase") ? 1u : 0u)
        << "only the questions of the commands themselves; undo asks nothing";
}

// What the generator does: a new font, filled, the sizes set through the
// session, and the view rebuilt.
void generate(EditingSession& s) {
    FontModel& font = s.font();
    resetFont(font, s.working());
    font.slots[65].name = "UA";
    font.slots[65].xSize = 9;
    font.slots[65].pixels[pixelIndex(8, 31)] = 1;
    s.setXSize(32);
    s.setYSize(32);
    setFontBaseline(font, 25);
    s.refreshFontView();
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EveryStep,
    ::testing::Values(
        StepCase{"Paint", "Paint",
                 [](EditingSession& s, SessionPlatform&) {
                     s.beginStroke();
                     s.paintCell(0, 0, true, false);
                     s.paintCell(7, 9, true, false);
                     s.paintCell(3, 3, false, true);
                     s.paintCell(7, 9, true, true); // both buttons: clear again
                     s.paintCell(4, 12, true, false);
                     s.endStroke();
                 }},
        StepCase{"Clear", "Clear symbol",
                 [](EditingSession& s, SessionPlatform&) { s.clearCharacter(); }},
        StepCase{"ShiftUp", "Move up", [](EditingSession& s, SessionPlatform&) { s.shiftUp(); }},
        StepCase{"ShiftDown", "Move down",
                 [](EditingSession& s, SessionPlatform&) { s.shiftDown(); }},
        StepCase{"ShiftLeft", "Move left",
                 [](EditingSession& s, SessionPlatform&) { s.shiftLeft(); }},
        StepCase{"ShiftRight", "Move right",
                 [](EditingSession& s, SessionPlatform&) { s.shiftRight(); }},
        StepCase{"XSize", "X-size", [](EditingSession& s, SessionPlatform&) { s.setXSize(11); }},
        StepCase{"YSize", "Y-size", [](EditingSession& s, SessionPlatform&) { s.setYSize(20); }},
        StepCase{"Baseline", "Baseline",
                 [](EditingSession& s, SessionPlatform&) { s.setBaseline(11); }},
        StepCase{"Save", "Save character",
                 [](EditingSession& s, SessionPlatform&) { s.saveCharacterCommand(); }},
        StepCase{"Erase", "Erase character",
                 [](EditingSession& s, SessionPlatform& p) {
                     p.answer(MessageAnswer::Yes);
                     s.eraseCharacterCommand();
                 }},
        StepCase{"Identifier", "Font name",
                 [](EditingSession& s, SessionPlatform&) {
                     s.setIdentifierField("fnt2");
                     s.endFieldTyping();
                 }},
        StepCase{"WholeFont", "Generate font",
                 [](EditingSession& s, SessionPlatform&) {
                     s.replaceFontAsOneStep("Generate font", [&s] { generate(s); });
                 }}),
    [](const ::testing::TestParamInfo<StepCase>& c) { return std::string(c.param.name); });

// --- the flags

TEST_F(HistoryTest, TheBaselineMarksTheFontAloneAndAYSizeUndoBringsItBack) {
    savedFont();
    session.setBaseline(40);
    EXPECT_EQ(session.baseline(), 16) << "clamped to the y-size: no change, no step";
    EXPECT_FALSE(session.fontModified());
    session.setBaseline(10);
    EXPECT_TRUE(session.fontModified());
    EXPECT_FALSE(session.characterModified()) << "the baseline is the font's";
    session.setYSize(8);
    EXPECT_EQ(session.baseline(), 8);
    session.undo();
    EXPECT_EQ(session.ySize(), 16);
    EXPECT_EQ(session.baseline(), 10);
    session.undo();
    EXPECT_EQ(session.baseline(), 16);
    EXPECT_FALSE(session.fontModified()) << "back at the saved font";
}

TEST_F(HistoryTest, SavedFontIsModifiedAfterAnUndoAndCleanAgainAfterTheRedo) {
    savedFont();
    session.undo();
    EXPECT_TRUE(session.fontModified());
    EXPECT_EQ(session.font().slots[66].name, "") << "the last save of a character is taken back";
    session.redo();
    EXPECT_FALSE(session.fontModified());
    EXPECT_FALSE(session.characterModified());
    EXPECT_EQ(session.font().slots[66].name, "UB");

    // Undone and edited differently, the saved state is gone for good.
    session.undo();
    session.shiftUp();
    session.undo();
    EXPECT_TRUE(session.fontModified());
}

TEST_F(HistoryTest, SaveCharacterTakesBackTheIdentifierItTookFromTheField) {
    savedFont();
    session.setIdentifierField("font2");
    session.setNameField("UBB");
    session.saveCharacterCommand();
    EXPECT_EQ(session.font().fontIdentifier, "font2");
    EXPECT_EQ(session.font().slots[66].name, "UBB");
    session.undo();
    EXPECT_EQ(session.font().fontIdentifier, "fnt");
    EXPECT_EQ(session.font().slots[66].name, "UB");
    EXPECT_EQ(session.nameField(), "UBB") << "the field as it was when the character was saved";
    EXPECT_TRUE(session.characterModified()) << "its name differs from the slot's";
    EXPECT_EQ(session.identifierField(), "font2");
    session.undo();
    EXPECT_EQ(session.nameField(), "UB") << "the typed name is a step of its own";
    session.undo();
    EXPECT_EQ(session.identifierField(), "fnt");
}

TEST_F(HistoryTest, SavingMarksTheCleanStateAndKeepsTheHistory) {
    savedFont();
    const int steps = session.history().count();
    EXPECT_GT(steps, 0);
    session.shiftDown();
    EXPECT_TRUE(session.fontModified());
    platform.answer(MessageAnswer::No); // leave the character unsaved
    platform.chooseFile(path("b.fnt"));
    session.saveFontCommand();
    EXPECT_EQ(session.history().count(), steps + 1);
    session.undo();
    EXPECT_TRUE(session.fontModified()) << "b.fnt holds the shift";
    session.redo();
    EXPECT_FALSE(session.fontModified());
}

TEST_F(HistoryTest, TheCharacterIsModifiedExactlyWhenItDiffersFromItsSlot) {
    savedFont();
    session.selectCharacter(65);
    stroke({{2, 2}});
    session.setXSize(7);
    EXPECT_TRUE(session.characterModified());
    session.undo();
    EXPECT_TRUE(session.characterModified()) << "the stroke is still there";
    session.undo();
    EXPECT_FALSE(session.characterModified()) << "back to the slot";
    EXPECT_FALSE(session.fontModified());

    // Painting a pixel away and back by hand leaves the character as its slot.
    stroke({{3, 3}});
    stroke({{3, 3}}, false);
    session.undo();
    session.redo();
    EXPECT_FALSE(session.characterModified());
}

TEST_F(HistoryTest, AnUndefinedCodeComparesWithTheWidthItWasShownWith) {
    savedFont();
    session.selectCharacter(65); // 6 wide
    session.selectCharacter(70); // undefined: stays 6 wide
    ASSERT_EQ(session.working().xSize, 6);
    stroke({{1, 1}});
    session.setXSize(10);
    session.undo();
    session.undo();
    EXPECT_EQ(session.working().xSize, 6);
    EXPECT_FALSE(session.characterModified());
    session.redo();
    session.redo();
    EXPECT_EQ(session.working().xSize, 10);
    EXPECT_TRUE(session.characterModified());

    // Moving on to another undefined code carries the new width there; the
    // undo goes back to code 70 and the width it was shown with.
    platform.answer(MessageAnswer::Yes);
    session.selectCharacter(71);
    session.undo();
    EXPECT_EQ(session.currentIndex(), 70);
    EXPECT_EQ(session.working().xSize, 6);
    EXPECT_TRUE(ink(1, 1));
    EXPECT_TRUE(session.characterModified());
    session.undo();
    EXPECT_FALSE(session.characterModified());
}

TEST_F(HistoryTest, EraseOnACleanFontIsUnmarkedButItsRedoShowsTheFontDiffersFromItsFile) {
    savedFont();
    platform.answer(MessageAnswer::Yes);
    session.eraseCharacterCommand();
    EXPECT_FALSE(session.fontModified()) << "the erase itself keeps the flag";
    session.undo();
    EXPECT_FALSE(session.fontModified());
    EXPECT_EQ(session.font().slots[66].name, "UB");
    session.redo();
    EXPECT_TRUE(session.fontModified());
    EXPECT_EQ(session.font().slots[66].name, "");
}

// --- what one step is

TEST_F(HistoryTest, OnePressDragReleaseIsOneStep) {
    stroke({{0, 0}, {1, 0}, {2, 0}});
    stroke({{0, 5}, {1, 5}});
    EXPECT_EQ(session.history().count(), 2);
    session.undo();
    EXPECT_FALSE(ink(0, 5));
    EXPECT_FALSE(ink(1, 5));
    EXPECT_TRUE(ink(2, 0));
    session.undo();
    EXPECT_FALSE(ink(0, 0));
    EXPECT_FALSE(ink(2, 0));
    EXPECT_FALSE(session.history().canUndo());
}

TEST_F(HistoryTest, PaintingWithoutAStrokeOrWithoutChangeRecords) {
    session.paintCell(0, 0, true, false);
    session.paintCell(1, 0, true, false);
    EXPECT_EQ(session.history().count(), 2) << "outside a press and release, a step per pixel";
    stroke({{0, 0}, {1, 0}});
    EXPECT_EQ(session.history().count(), 2) << "ink on ink changes nothing";
    stroke({{5, 5}, {5, 5}});
    session.beginStroke();
    session.paintCell(9, 9, true, false);
    session.paintCell(9, 9, false, true);
    session.endStroke();
    EXPECT_EQ(session.history().count(), 3) << "a stroke that put everything back is no step";
    session.clearCharacter();
    session.clearCharacter();
    session.setXSize(8);
    EXPECT_EQ(session.history().count(), 4) << "a second clear and an unchanged size are none";
    EXPECT_EQ(undoText(), "Clear symbol");
}

TEST_F(HistoryTest, UndoBringsBackTheCharacterTheUserHadLeft) {
    savedFont();
    session.selectCharacter(65);
    stroke({{7, 7}});
    platform.answer(MessageAnswer::Yes); // drop the drawing and go on
    session.selectCharacter(90);
    const size_t asked = platform.messages.size();

    session.undo();
    EXPECT_EQ(session.currentIndex(), 65);
    EXPECT_EQ(session.nameField(), "UA");
    EXPECT_EQ(session.working().xSize, 6);
    EXPECT_FALSE(ink(7, 7));
    session.redo();
    EXPECT_EQ(session.currentIndex(), 65);
    EXPECT_TRUE(ink(7, 7));
    EXPECT_TRUE(session.characterModified());
    EXPECT_EQ(platform.messages.size(), asked) << "undo and redo never ask";
}

TEST_F(HistoryTest, SaveCharacterAnsweredInsideSaveFontIsAStepToo) {
    session.setIdentifierField("fnt");
    session.selectCharacter(66);
    stroke({{1, 1}});
    session.setNameField("UB");
    platform.answer(MessageAnswer::Yes);
    platform.chooseFile(path("c.fnt"));
    session.saveFontCommand();
    EXPECT_EQ(undoText(), "Save character");
    session.undo();
    EXPECT_EQ(session.font().slots[66].name, "");
    EXPECT_TRUE(session.characterModified());
    EXPECT_TRUE(session.fontModified());
}

TEST_F(HistoryTest, ATypedIdentifierIsOneStepInTheOrderItWasMade) {
    session.setIdentifierField("abc");
    stroke({{0, 0}});
    EXPECT_EQ(session.history().count(), 2);
    session.undo();
    EXPECT_EQ(undoText(), "Font name");
    EXPECT_EQ(session.identifierField(), "abc");
    session.undo();
    EXPECT_EQ(session.identifierField(), "");

    // Undo while the typing is not yet recorded takes the typing back.
    session.redo();
    session.redo();
    session.setIdentifierField("abcd");
    session.undo();
    EXPECT_EQ(session.identifierField(), "abc");
    EXPECT_TRUE(ink(0, 0));
    session.redo();
    EXPECT_EQ(session.identifierField(), "abcd");
}

TEST_F(HistoryTest, ANewEditClearsTheRedoSteps) {
    session.selectCharacter(65);
    session.setXSize(3);
    session.undo();
    ASSERT_TRUE(session.history().canRedo());
    session.autoName();
    EXPECT_FALSE(session.history().canRedo()) << "the automatic name is an edit";
    EXPECT_EQ(undoText(), "Symbol name");
    session.redo();
    EXPECT_EQ(session.working().xSize, 8);
    EXPECT_EQ(session.nameField(), "UA");

    session.undo();
    ASSERT_TRUE(session.history().canRedo());
    session.setIdentifierField("f");
    EXPECT_FALSE(session.history().canRedo()) << "so is a typed key";
}

TEST_F(HistoryTest, KeysTypedInOneGoAreOneStepAndAPasteIsOneOfItsOwn) {
    for (const char* text : {"a", "ab", "abc"})
        session.setNameField(text);
    session.setNameField("abc_pasted");
    session.setNameField("abc_paste");
    EXPECT_EQ(session.history().count(), 3);
    session.undo();
    EXPECT_EQ(session.nameField(), "abc_pasted");
    session.undo();
    EXPECT_EQ(session.nameField(), "abc");
    session.undo();
    EXPECT_EQ(session.nameField(), "");
    EXPECT_FALSE(session.history().canUndo());
}

TEST_F(HistoryTest, ReplacingTheWholeFontIsOneStepAndAnUnchangedFontNone) {
    savedFont();
    session.replaceFontAsOneStep("Generate font", [] {});
    EXPECT_NE(undoText(), "Generate font");
    const int steps = session.history().count();
    session.replaceFontAsOneStep("Generate font", [this] { generate(session); });
    EXPECT_EQ(session.history().count(), steps + 1) << "the sizes set inside are part of it";
    EXPECT_EQ(session.font().slots[66].name, "");
    EXPECT_EQ(session.ySize(), 32);
    EXPECT_EQ(session.working().xSize, 32);
    session.undo();
    EXPECT_EQ(session.font().slots[66].name, "UB");
    EXPECT_EQ(session.font().slots[kBlankSlot].name, "blank");
    EXPECT_EQ(session.ySize(), 16);
    EXPECT_EQ(session.currentIndex(), 66);
    EXPECT_FALSE(session.fontModified());
}

// --- the history as a whole

TEST_F(HistoryTest, NewAndOpenStartAnEmptyHistory) {
    savedFont();
    ASSERT_TRUE(session.history().canUndo());
    platform.cancelFileDialog();
    session.openFontCommand();
    EXPECT_TRUE(session.history().canUndo()) << "a cancelled open keeps the font and its history";

    platform.chooseFile(path("a.fnt"));
    session.openFontCommand();
    EXPECT_FALSE(session.history().canUndo());
    EXPECT_FALSE(session.history().canRedo());

    stroke({{1, 1}});
    platform.answer(MessageAnswer::No); // do not save the font
    session.newFontCommand();
    EXPECT_EQ(session.history().count(), 0);
    EXPECT_FALSE(session.fontModified());
    stroke({{1, 1}});
    session.undo();
    EXPECT_FALSE(session.fontModified()) << "the new font is the clean state";
}

TEST_F(HistoryTest, TheLimitDropsTheOldestSteps) {
    for (int i = 0; i <= EditingSession::kHistoryLimit; ++i)
        stroke({{i % 32, (i / 32) % 32}});
    EXPECT_EQ(session.history().count(), EditingSession::kHistoryLimit);
    while (session.history().canUndo())
        session.undo();
    EXPECT_TRUE(ink(0, 0)) << "the first stroke was dropped, so it stays";
    EXPECT_FALSE(ink(1, 0)) << "the second is the oldest that can be taken back";
    EXPECT_TRUE(session.fontModified()) << "the clean state was dropped with it";
}

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
TEST_F(HistoryTest, AThousandStrokesTakeLessThanTwoMebibytes) {
    session.selectCharacter(65);
    session.setNameField("some_symbol_name_longer_than_sso");
    session.setIdentifierField("an_identifier_that_needs_the_heap");
    session.endFieldTyping();
    const size_t start = mallinfo2().uordblks;
    // Twenty pixels each, set and cleared in turn.
    for (int i = 0; i < EditingSession::kHistoryLimit; ++i) {
        session.beginStroke();
        for (int j = 0; j < 20; ++j)
            session.paintCell(j, 3, i % 2 == 0, i % 2 != 0);
        session.endStroke();
    }
    const size_t used = mallinfo2().uordblks - start;
    ASSERT_EQ(session.history().count(), EditingSession::kHistoryLimit);
    RecordProperty("bytes_per_1000_strokes", std::to_string(used));
    std::cout << "1000 strokes: " << used << " bytes\n";
    EXPECT_LT(used, 2u * 1024 * 1024);
}
#endif

} // namespace
} // namespace zelvik::test
