// The code, key, name and identifier fields: key filters, selection by code,
// the key field and the automatic name.

#include "support/AppFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class CharacterFields : public AppFixture {
protected:
    QLineEdit* code() { return form().EditCharCode; }
    QLineEdit* key() { return form().EditCharCodeOrd; }
    QLineEdit* name() { return form().EditCharName; }
    QLineEdit* prefix() { return form().EditFontPrefix; }

    void enterCode(const QString& typed) {
        clearField(code());
        type(code(), typed);
        pressEnter(code());
    }
};

} // namespace

TEST_F(CharacterFields, EnterInTheCodeFieldSelectsTheClampedCode) {
    enterCode("65");
    EXPECT_EQ(font().currentIndex, 65);
    EXPECT_EQ(key()->text(), "A");
    EXPECT_EQ(form().ListCharSet->currentRow(), 65);

    enterCode("0065");
    EXPECT_EQ(code()->text(), "65");

    enterCode("300");
    EXPECT_EQ(font().currentIndex, 256);
    EXPECT_EQ(code()->text(), "256");
    EXPECT_EQ(key()->text(), "");
    EXPECT_EQ(form().EditCharName->text(), "blank");

    enterCode("");
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(code()->text(), "0");
}

TEST_F(CharacterFields, CodeFieldTakesOnlyDigitsAndSelectsNothingUntilEnter) {
    clearField(code());
    type(code(), "6x5 ");
    EXPECT_EQ(code()->text(), "65");
    EXPECT_EQ(font().currentIndex, 0);
}

TEST_F(CharacterFields, DecliningAfterEnterKeepsThePreviousCodeCurrent) {
    enterCode("65");
    clickCell(1, 1);
    platform.answer(MessageAnswer::No);
    enterCode("66");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(font().currentIndex, 65);
    EXPECT_EQ(code()->text(), "65");
    EXPECT_EQ(key()->text(), "A");
    EXPECT_EQ(form().ListCharSet->currentRow(), 65);
    EXPECT_TRUE(pixel(1, 1));

    name()->setText("UA");
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    EXPECT_EQ(font().slots[65].name, "UA")
        << "the drawing is stored under the code it was drawn for";
    EXPECT_TRUE(pixelSet(font().slots[65].pixels, 1, 1));
    EXPECT_FALSE(font().slots[66].defined());
}

TEST_F(CharacterFields, KeyFieldShowsTheKeyAndItsCodeWithoutSelecting) {
    type(key(), "A");
    EXPECT_EQ(key()->text(), "A");
    EXPECT_EQ(code()->text(), "65");
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(form().ListCharSet->currentRow(), 0);

    type(key(), QString::fromUtf8("é"));
    EXPECT_EQ(key()->text(), QString::fromUtf8("é"));
    EXPECT_EQ(code()->text(), "233");

    QTest::keyClick(key(), Qt::Key_Backspace);
    type(key(), QString::fromUtf8("Ж")); // no Windows-1250 code
    EXPECT_EQ(key()->text(), QString::fromUtf8("é"));
    EXPECT_EQ(code()->text(), "233");

    pressEnter(code());
    EXPECT_EQ(font().currentIndex, 233);
}

TEST_F(CharacterFields, NameFieldRefusesSpacesAndHighCharacters) {
    type(name(), " ");
    type(name(), QString::fromUtf8("é"));
    EXPECT_EQ(name()->text(), "");
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);

    font().fontModified = true; // refused keys still refresh the status bar
    type(name(), " ");
    EXPECT_EQ(panel(kPanelFile), "  *");

    type(name(), "9-x");
    EXPECT_EQ(name()->text(), "9-x") << "no identifier syntax is checked while typing";
    EXPECT_TRUE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
}

TEST_F(CharacterFields, KeyboardPasteIntoTheNameCountsAsAnAcceptedKey) {
    QApplication::clipboard()->setText("a b");
    QTest::keyClick(name(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name()->text(), "a b") << "pasted text is not filtered";
    EXPECT_TRUE(font().characterModified);
}

TEST_F(CharacterFields, IdentifierFieldMarksOnlyTheFont) {
    type(prefix(), " ");
    EXPECT_FALSE(font().fontModified);
    type(prefix(), "fnt");
    EXPECT_EQ(prefix()->text(), "fnt");
    EXPECT_TRUE(font().fontModified);
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "");
}

TEST_F(CharacterFields, DoubleClickOnTheNamePutsTheAutomaticName) {
    enterCode("65");
    QTest::mouseDClick(name(), Qt::LeftButton);
    EXPECT_EQ(name()->text(), "UA");
    EXPECT_TRUE(font().characterModified);
    EXPECT_TRUE(font().fontModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(font().slots[65].name, "") << "only saving stores the name";

    platform.answer(MessageAnswer::Yes);
    enterCode("256");
    QTest::mouseDClick(name(), Qt::LeftButton);
    EXPECT_EQ(name()->text(), "c256");
}
