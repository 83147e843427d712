#include "font/FontModel.h"

#include <gtest/gtest.h>

using namespace zelvik;

namespace {

FontModel newFont() {
    FontModel font;
    WorkingCharacter working;
    resetFont(font, working);
    return font;
}

} // namespace

TEST(FontModel, NewFontHasOnlyTheBlankSlotDefined) {
    FontModel font;
    WorkingCharacter working;
    font.slots[65].name = "UA";
    font.slots[65].xSize = 12;
    font.slots[65].pixels[5] = 1;
    font.fontIdentifier = "fnt";
    font.ySize = 20;
    font.currentIndex = 70;
    font.fontModified = font.characterModified = true;
    font.currentFileName = "a.fnt";
    working.xSize = 3;
    resetFont(font, working);

    for (int code = 0; code < kCodeCount; ++code) {
        EXPECT_FALSE(font.slots[code].defined()) << code;
        EXPECT_EQ(font.slots[code].xSize, 8);
        EXPECT_EQ(font.slots[code].pixels, PixelMatrix{});
    }
    EXPECT_EQ(font.slots[kBlankSlot].name, "blank");
    EXPECT_EQ(font.slots[kBlankSlot].xSize, 8);
    EXPECT_EQ(font.ySize, 16);
    EXPECT_EQ(font.fontIdentifier, "");
    EXPECT_EQ(font.currentIndex, 0);
    EXPECT_FALSE(font.fontModified);
    EXPECT_FALSE(font.characterModified);
    EXPECT_EQ(font.currentFileName, "a.fnt");
    EXPECT_EQ(working.xSize, 8);
    EXPECT_EQ(font.ySize, 16);
}

TEST(FontModel, PixelsLieColumnByColumn) {
    EXPECT_EQ(pixelIndex(3, 5), 101);
    EXPECT_EQ(pixelIndex(3, 0), 96);
    EXPECT_EQ(pixelIndex(3, 31), 127);
}

TEST(FontModel, MaxDefinedXSizeIgnoresUndefinedSlotsAndCountsTheBlankSlot) {
    FontModel font = newFont();
    EXPECT_EQ(maxDefinedXSize(font), 8); // the BlankSlot
    font.slots[10].xSize = 30;           // undefined: does not count
    font.slots[kBlankSlot].name.clear();
    EXPECT_EQ(maxDefinedXSize(font), 0);
    font.slots[11].name = "x";
    font.slots[11].xSize = 9;
    EXPECT_EQ(maxDefinedXSize(font), 9);
}

TEST(FontModel, NamesCompareWithoutCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(namesEqual("Ab", "aB"));
    EXPECT_TRUE(namesEqual("Space", "space"));
    EXPECT_FALSE(namesEqual("a", "ab"));
    EXPECT_FALSE(namesEqual("\x8A", "\x9A")); // S and s with caron are different bytes
    EXPECT_FALSE(namesEqual("[", "{"));       // 0x5B and 0x7B differ by 32 but are no letters
}

TEST(FontModel, ListItemTexts) {
    FontModel font = newFont();
    font.slots[65].name = "UA";
    EXPECT_EQ(listItemText(font, 65), "#65  'A' - UA");
    EXPECT_EQ(listItemText(font, 7), "#7   ' ' - <blank>");
    EXPECT_EQ(listItemText(font, 32), "#32  ' ' - <blank>");
    EXPECT_EQ(listItemText(font, 200), "#200 '\xC8' - <blank>");
    EXPECT_EQ(listItemText(font, kBlankSlot), "#<blank> - blank");
    font.slots[kBlankSlot].name = "other";
    EXPECT_EQ(listItemText(font, kBlankSlot), "#<blank> - blank");
}

TEST(FontModel, CurrentCharacterText) {
    FontModel font = newFont();
    EXPECT_EQ(currentCharacterText(font, 65), "A");
    EXPECT_EQ(currentCharacterText(font, 0), "");
    font.fontIdentifier = "fnt";
    font.slots[65].name = "UA";
    EXPECT_EQ(currentCharacterText(font, 65), "'A' - fnt_UA");
}

TEST(SaveCharacter, RefusesAMissingName) {
    FontModel font = newFont();
    WorkingCharacter working;
    working.pixels[3] = 1;
    const auto result = saveCharacter(font, working, "", "fnt");
    EXPECT_EQ(result.outcome, SaveCharacterOutcome::NoName);
    EXPECT_FALSE(font.slots[0].defined());
    EXPECT_EQ(font.fontIdentifier, "");
    EXPECT_EQ(font.slots[0].pixels, PixelMatrix{});
}

TEST(SaveCharacter, ReportsTheFirstClashIgnoringCase) {
    FontModel font = newFont();
    font.slots[65].name = "A";
    font.slots[70].name = "a";
    font.currentIndex = 66;
    const auto result = saveCharacter(font, WorkingCharacter{}, "a", "");
    EXPECT_EQ(result.outcome, SaveCharacterOutcome::NameInUse);
    EXPECT_EQ(result.clashIndex, 65);
    EXPECT_FALSE(font.slots[66].defined());
}

TEST(SaveCharacter, SameSlotUnderItsOwnNameSucceeds) {
    FontModel font = newFont();
    font.slots[65].name = "UA";
    font.currentIndex = 65;
    WorkingCharacter working;
    working.xSize = 5;
    working.pixels[pixelIndex(4, 4)] = 1;
    const auto result = saveCharacter(font, working, "ua", "fnt");
    EXPECT_EQ(result.outcome, SaveCharacterOutcome::Success);
    EXPECT_EQ(font.slots[65].name, "ua");
    EXPECT_EQ(font.slots[65].xSize, 5);
    EXPECT_EQ(font.slots[65].pixels, working.pixels);
    EXPECT_EQ(font.fontIdentifier, "fnt");
}

TEST(SaveCharacter, BlankSlotNameIsRefusedForEveryOtherSlot) {
    FontModel font = newFont();
    for (int code = 0; code < kCodeCount; ++code) {
        font.currentIndex = code;
        const auto result = saveCharacter(font, WorkingCharacter{}, "BLANK", "");
        ASSERT_EQ(result.outcome, SaveCharacterOutcome::NameInUse) << code;
        ASSERT_EQ(result.clashIndex, kBlankSlot);
    }
    font.currentIndex = kBlankSlot;
    EXPECT_EQ(saveCharacter(font, WorkingCharacter{}, "blank", "").outcome,
              SaveCharacterOutcome::Success);
}

TEST(SaveCharacter, EmptyIdentifierFieldKeepsTheIdentifierAndLongTextIsCut) {
    FontModel font = newFont();
    font.fontIdentifier = "old";
    const std::string longName(40, 'n');
    const std::string longIdentifier(300, 'i');
    ASSERT_EQ(saveCharacter(font, WorkingCharacter{}, longName, "").outcome,
              SaveCharacterOutcome::Success);
    EXPECT_EQ(font.fontIdentifier, "old");
    EXPECT_EQ(font.slots[0].name, std::string(31, 'n'));
    ASSERT_EQ(saveCharacter(font, WorkingCharacter{}, "x", longIdentifier).outcome,
              SaveCharacterOutcome::Success);
    EXPECT_EQ(font.fontIdentifier.size(), 255u);
}

TEST(EraseCharacter, EmptiesTheSlotButKeepsItsXSize) {
    FontModel font = newFont();
    font.slots[9].name = "nine";
    font.slots[9].xSize = 12;
    font.slots[9].pixels[0] = 1;
    eraseCharacter(font, 9);
    EXPECT_FALSE(font.slots[9].defined());
    EXPECT_EQ(font.slots[9].xSize, 12);
    EXPECT_EQ(font.slots[9].pixels, PixelMatrix{});
    eraseCharacter(font, kBlankSlot);
    EXPECT_FALSE(font.slots[kBlankSlot].defined());
}

TEST(FontModel, BaselineStaysUnderTheBottomRowUntilSetThenInsideTheCell) {
    FontModel font = newFont();
    EXPECT_EQ(fontBaseline(font), 16);
    font.ySize = 20; // a font without a baseline of its own follows its cell
    EXPECT_EQ(fontBaseline(font), 20);

    setFontBaseline(font, 40);
    EXPECT_EQ(fontBaseline(font), 20);
    setFontBaseline(font, 0);
    EXPECT_EQ(fontBaseline(font), 1);
    setFontBaseline(font, 14);
    setFontYSize(font, 10);
    EXPECT_EQ(fontBaseline(font), 10);
    setFontYSize(font, 24);
    EXPECT_EQ(fontBaseline(font), 10) << "a set baseline is kept, not moved";

    WorkingCharacter working;
    resetFont(font, working);
    EXPECT_EQ(fontBaseline(font), 16);
}
