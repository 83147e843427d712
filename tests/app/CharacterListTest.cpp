// Selecting, saving and erasing the current character through the list, the
// buttons and the status bar.

#include "editor/ui/PixelGrid.h"
#include "font/Cp1250.h"
#include "support/AppFixture.h"

#include <QListWidget>
#include <QPushButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class CharacterList : public AppFixture {
protected:
    QListWidget* list() { return form().ListCharSet; }
    QString item(int index) { return list()->item(index)->text(); }

    // Selects `code`, draws a pixel, names it and saves it.
    void defineCharacter(int code, const QString& name, int xSize = 8) {
        clickListItem(code);
        if (working().xSize != xSize)
            setSize("EditXres", xSize);
        clickCell(0, 0);
        form().EditCharName->setText(name);
        QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
        ASSERT_EQ(font().slots[code].name, toCp1250Lossy(name));
    }
};

} // namespace

TEST_F(CharacterList, ItemTextsFollowTheSlots) {
    EXPECT_EQ(item(7), "#7   ' ' - <blank>");
    EXPECT_EQ(item(32), "#32  ' ' - <blank>");
    EXPECT_EQ(item(200), QString::fromUtf8("#200 'Č' - <blank>"));
    EXPECT_EQ(item(138), QString::fromUtf8("#138 'Š' - <blank>"));
    EXPECT_EQ(item(256), "#<blank> - blank");
    defineCharacter(65, "UA");
    EXPECT_EQ(item(65), "#65  'A' - UA");
    EXPECT_EQ(list()->currentRow(), 65);
    EXPECT_TRUE(list()->hasFocus()) << "saving hands the focus to the list";
}

TEST_F(CharacterList, ClickingAnItemLoadsItsSlot) {
    defineCharacter(65, "UA", 12);
    font().fontIdentifier = "fnt";
    clickListItem(66);
    clickListItem(65);
    EXPECT_EQ(font().currentIndex, 65);
    EXPECT_EQ(form().EditCharCode->text(), "65");
    EXPECT_EQ(form().EditCharCodeOrd->text(), "A");
    EXPECT_EQ(form().EditCharName->text(), "UA");
    EXPECT_EQ(working().xSize, 12);
    EXPECT_EQ(form().EditXres->text(), "12");
    EXPECT_TRUE(pixel(0, 0));
    EXPECT_EQ(panel(kPanelCharacter), "'A' - fnt_UA");

    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(font().currentIndex, 66);
    EXPECT_EQ(panel(kPanelCharacter), "B");
    EXPECT_EQ(form().EditCharName->text(), "");
}

TEST_F(CharacterList, UndefinedCodeKeepsTheWidthOfTheCharacterBefore) {
    defineCharacter(65, "UA", 12);
    font().slots[70].pixels[pixelIndex(11, 3)] = 1; // ink a font file may leave in an empty slot
    clickListItem(70);
    EXPECT_EQ(working().xSize, 12);
    EXPECT_EQ(form().DrawMatrix->colCount(), 12);
    EXPECT_EQ(form().EditXres->text(), "12");
    EXPECT_EQ(form().EditCharName->text(), "");
    EXPECT_EQ(working().pixels, font().slots[70].pixels);
}

TEST_F(CharacterList, SavingRefusesAMissingOrUsedName) {
    defineCharacter(65, "A");
    clickListItem(66);
    clickCell(2, 2);
    const PixelMatrix drawing = working().pixels;

    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    form().EditCharName->setText("a");
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    form().EditCharName->setText("BLANK");
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);

    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].text, "There is no name for this character!\nCan't save it.");
    EXPECT_EQ(platform.messages[1].text,
              "Character name \"a\" is already used in character #65!\nCan't save this character.");
    EXPECT_EQ(platform.messages[2].text, "Character name \"BLANK\" is already used in character "
                                         "#256!\nCan't save this character.");
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.caption, "Saving character ...");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_FALSE(font().slots[66].defined());
    EXPECT_EQ(working().pixels, drawing);
    EXPECT_EQ(form().EditCharName->text(), "BLANK");
    EXPECT_TRUE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
}

TEST_F(CharacterList, SavingUnderItsOwnNameAgainSucceeds) {
    defineCharacter(65, "UA");
    clickCell(3, 3);
    form().EditCharName->setText("ua");
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(font().slots[65].name, "ua");
    EXPECT_TRUE(pixelSet(font().slots[65].pixels, 3, 3));
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "");
}

TEST_F(CharacterList, SavingTakesANonEmptyIdentifierField) {
    form().EditFontPrefix->setText("big");
    defineCharacter(65, "UA");
    EXPECT_EQ(font().fontIdentifier, "big");
    form().EditFontPrefix->clear();
    defineCharacter(66, "UB");
    EXPECT_EQ(font().fontIdentifier, "big");
    EXPECT_EQ(form().EditFontPrefix->text(), "big");
}

TEST_F(CharacterList, DecliningTheQuestionKeepsTheDrawingAndTheTypedName) {
    defineCharacter(65, "UA");
    clickCell(4, 4);
    type(form().EditCharName, "x");
    platform.answer(MessageAnswer::No);
    clickListItem(90);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Character was modified but not saved.\nDo you want to continue?");
    EXPECT_EQ(platform.messages[0].caption, "Warning ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(font().currentIndex, 65);
    EXPECT_EQ(list()->currentRow(), 65);
    EXPECT_EQ(form().EditCharCode->text(), "65");
    EXPECT_EQ(form().EditCharName->text(), "UAx");
    EXPECT_TRUE(pixel(4, 4));
    EXPECT_TRUE(font().characterModified);

    platform.answer(MessageAnswer::Yes);
    clickListItem(90);
    EXPECT_EQ(font().currentIndex, 90);
    EXPECT_FALSE(pixel(4, 4));
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "");
    EXPECT_FALSE(pixelSet(font().slots[65].pixels, 4, 4)) << "the declined edit never reached 65";
}

// The clicked item used to stay highlighted while the editor showed the old
// character, and "Save character" then stored under a code the user did not see.
TEST_F(CharacterList, DecliningAClickHighlightsTheCurrentCharacterAgain) {
    defineCharacter(65, "UA");
    clickCell(4, 4);
    platform.answer(MessageAnswer::No);
    clickListItem(90);
    EXPECT_EQ(list()->currentRow(), 65);
    const QList<QListWidgetItem*> selected = list()->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(list()->row(selected[0]), 65);
    EXPECT_FALSE(list()->item(90)->isSelected());

    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    EXPECT_TRUE(pixelSet(font().slots[65].pixels, 4, 4));
    EXPECT_FALSE(font().slots[90].defined());
}

TEST_F(CharacterList, ClickingTheCurrentItemSelectsItAgain) {
    defineCharacter(65, "UA");
    clickCell(4, 4);
    platform.answer(MessageAnswer::No);
    clickListItem(65);
    ASSERT_EQ(platform.messages.size(), 1u) << "a modified character asks, also for its own item";
    EXPECT_TRUE(pixel(4, 4));

    platform.answer(MessageAnswer::Yes);
    clickListItem(65);
    EXPECT_FALSE(pixel(4, 4)) << "the stored character is loaded again";
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(list()->currentRow(), 65);
}

TEST_F(CharacterList, ArrowKeysSelectLikeClicks) {
    defineCharacter(65, "UA");
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(font().currentIndex, 66);
    clickCell(1, 1);
    platform.answer(MessageAnswer::No);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(font().currentIndex, 66);
    EXPECT_EQ(list()->currentRow(), 66);
}

TEST_F(CharacterList, BlankSlotCanBeSelectedSavedAndErased) {
    clickListItem(256);
    EXPECT_EQ(form().EditCharCode->text(), "256");
    EXPECT_EQ(form().EditCharCodeOrd->text(), "");
    EXPECT_EQ(form().EditCharName->text(), "blank");
    clickCell(1, 1);
    form().EditCharName->setText("nothing");
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    EXPECT_EQ(font().slots[256].name, "nothing");
    EXPECT_TRUE(pixelSet(font().slots[256].pixels, 1, 1));
    EXPECT_EQ(item(256), "#<blank> - blank");

    platform.answer(MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>("BtnEraseChar"), Qt::LeftButton);
    EXPECT_EQ(font().slots[256].name, "");
    EXPECT_EQ(item(256), "#<blank> - blank");
    EXPECT_EQ(font().currentIndex, 256);
}

TEST_F(CharacterList, EraseAsksAndEmptiesTheSlotWithoutMarkingTheFont) {
    defineCharacter(65, "UA", 12);
    font().fontModified = false;
    form().UpdateStatusBar();

    platform.answer(MessageAnswer::No);
    QTest::mouseClick(control<QPushButton>("BtnEraseChar"), Qt::LeftButton);
    EXPECT_EQ(font().slots[65].name, "UA");

    clickCell(5, 5); // unsaved changes are dropped without a further question
    platform.answer(MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>("BtnEraseChar"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, "Do you realy want to erase this character?");
    EXPECT_EQ(platform.messages[1].caption, "Erasing character ...");
    EXPECT_EQ(platform.messages[1].icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(font().slots[65].defined());
    EXPECT_EQ(font().slots[65].pixels, PixelMatrix{});
    EXPECT_EQ(font().slots[65].xSize, 12);
    EXPECT_EQ(item(65), "#65  'A' - <blank>");
    EXPECT_EQ(working().pixels, PixelMatrix{});
    EXPECT_FALSE(font().characterModified);
    font().fontModified = false; // the click above marked it; erasing itself must not
    platform.answer(MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>("BtnEraseChar"), Qt::LeftButton);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(panel(kPanelFile), " ");
}

TEST_F(CharacterList, NamesAndIdentifiersStayWithinWhatAFontCanStore) {
    QLineEdit* name = form().EditCharName;
    pasteText(name, QString(40, u'n'));
    EXPECT_EQ(name->text().size(), 31);
    pasteText(form().EditFontPrefix, QString(300, u'f'));
    EXPECT_EQ(form().EditFontPrefix->text().size(), 255);

    name->setText("ok");
    pasteText(name, QString::fromUtf8("Жук"));
    EXPECT_EQ(name->text(), "ok") << "text outside Windows-1250 is refused";
    pasteText(name, QString::fromUtf8("Šok"));
    EXPECT_EQ(name->text(), "ok") << "a paste passes the filter of typed keys: ASCII only";

    // A font file may still hold Windows-1250 letters in a name.
    name->setText(QString::fromUtf8("Šok"));
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    EXPECT_EQ(font().slots[0].name, "\x8Aok");
    EXPECT_EQ(item(0), QString::fromUtf8("#0   ' ' - Šok"));
}
