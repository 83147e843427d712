// "Generate font" and the generator group driven through the main window:
// the questions, the font dialog's answers from a script, the code choice
// with the custom characters dialog, the y-offset field, and the saved result
// compared with zelvik-cli generate.

#include "editor/ui/PixelGrid.h"
#include "font/Cp1250.h"
#include "font/FontFile.h"
#include "generator/QtGlyphRasterizer.h"
#include "generator/ui/TCCForm.h"
#include "support/AppFixture.h"
#include "support/DejaVuSans.h"
#include "support/TestFiles.h"
#include "ui/UpDown.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <functional>

using namespace zelvik;
using namespace zelvik::test;

namespace {

const QString kGenerateQuestion = "Current font was modified!\n Do you want to save it?";

int definedCodes(const FontModel& font) {
    int n = 0;
    for (int code = 0; code < kCodeCount; ++code)
        n += font.slots[code].defined();
    return n;
}

int firstInkedRow(const PixelMatrix& m) {
    for (int y = 0; y < kMatrixEdge; ++y)
        for (int x = 0; x < kMatrixEdge; ++x)
            if (pixelSet(m, x, y))
                return y;
    return -1;
}

class GenerateFont : public AppFixture {
protected:
    // The font the dialog answers: `family` at a point size that is `pixels`
    // high on this screen, as a person picks it in the dialog.
    QFont chosenFont(const QString& family, int pixels) {
        QFont font(family);
        font.setPointSizeF(pointSizeFor(pixels, form().logicalDpiY()));
        return font;
    }
    void acceptFont(const QFont& font) { platform.fontAnswers.push_back(font); }
    void cancelFont() { platform.fontAnswers.push_back(std::nullopt); }
    void clickGenerate() { QTest::mouseClick(form().BtnGenfont, Qt::LeftButton); }
    void setCodes(bool letters, bool digits, bool specials, bool high) {
        form().CBgc_AZaz->setChecked(letters);
        form().CBgc_09->setChecked(digits);
        form().CBgc_sx20x7F->setChecked(specials);
        form().CBgc_Sx80xFF->setChecked(high);
    }
    // Opens the custom characters dialog through its button; `inside` acts on
    // the shown dialog before it is closed with OK.
    void customise(const std::function<void(TCCForm&)>& inside) {
        platform.dialogAnswers.push_back([inside](QDialog& d) {
            auto& dialog = static_cast<TCCForm&>(d);
            dialog.show();
            inside(dialog);
            QTest::mouseClick(dialog.BtnOk, Qt::LeftButton);
            return dialog.result();
        });
        QTest::mouseClick(form().BtnSpecCustom, Qt::LeftButton);
    }
};

std::vector<int> checkedCodes(const TCCForm& dialog) {
    std::vector<int> codes;
    for (int i = 0; i < dialog.CListBoxChars->count(); ++i) {
        if (dialog.CListBoxChars->item(i)->checkState() == Qt::Checked)
            codes.push_back(0x80 + i);
    }
    return codes;
}

// On its indicator: a radio button takes clicks only on the indicator and its text.
void clickRadio(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

bool contains(const std::vector<int>& v, int code) {
    return std::find(v.begin(), v.end(), code) != v.end();
}

} // namespace

TEST_F(GenerateFont, TheButtonRendersTheCheckedCodesAndShowsCode0At32By32) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    acceptFont(chosenFont(family, 16));
    clickGenerate();

    // The dialog starts from Tahoma, 11 pixels high on this screen.
    ASSERT_EQ(platform.fontDialogs.size(), 1u);
    EXPECT_EQ(platform.fontDialogs[0].family(), "Tahoma");
    EXPECT_EQ(pixelSizeOn(platform.fontDialogs[0], form().logicalDpiY()), 11);
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_EQ(definedCodes(font()), 96);
    EXPECT_TRUE(font().slots[0x20].defined());
    EXPECT_TRUE(font().slots[0x7F].defined());
    EXPECT_FALSE(font().slots[0x80].defined());
    EXPECT_EQ(font().slots['A'].name, "UA");
    EXPECT_EQ(font().slots[' '].xSize, 4);
    EXPECT_EQ(font().ySize, 32);
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_TRUE(font().fontModified);
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(working().xSize, 32);
    EXPECT_EQ(working().pixels, PixelMatrix{});
    EXPECT_EQ(form().EditXres->text(), "32");
    EXPECT_EQ(form().EditYres->text(), "32");
    EXPECT_EQ(form().DrawMatrix->colCount(), 32);
    EXPECT_EQ(form().DrawMatrix->rowCount(), 32);
    EXPECT_EQ(form().EditCharCode->text(), "0");
    EXPECT_EQ(form().EditFontPrefix->text(), "");
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_EQ(panel(kPanelModified), "");
    EXPECT_EQ(form().ListCharSet->item('A')->text(), fromCp1250(listItemText(font(), 'A')));
}

TEST_F(GenerateFont, MenuAndCtrlGAskFirstAndStartFromTheLastAcceptedFont) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    QFont first = chosenFont(family, 14);
    first.setBold(true);
    acceptFont(first);
    form().MBtnGenFont->trigger();
    EXPECT_EQ(definedCodes(font()), 96);

    // Every accepted run leaves the font modified, so the next one asks.
    platform.answer(MessageAnswer::No);
    cancelFont();
    QTest::keyClick(&form(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kGenerateQuestion);
    EXPECT_EQ(platform.messages[0].caption, "Generating font...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
    ASSERT_EQ(platform.fontDialogs.size(), 2u);
    EXPECT_EQ(platform.fontDialogs[1], first);
}

TEST_F(GenerateFont, CancelInTheQuestionChangesNothingAndAsksForNoFont) {
    font().slots[65].name = "UA";
    form().RefreshFontView();
    form().MarkEdited();
    platform.answer(MessageAnswer::Cancel);
    clickGenerate();
    EXPECT_TRUE(platform.fontDialogs.empty());
    EXPECT_EQ(font().slots[65].name, "UA");
    EXPECT_TRUE(font().fontModified);
    EXPECT_TRUE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
}

TEST_F(GenerateFont, YesAsksAboutTheCharacterWithTheGeneratorsCaptionAndStopsOnAFailedSave) {
    form().MarkEdited(); // a drawn character without a name
    platform.answer(MessageAnswer::Yes);
    platform.answer(MessageAnswer::Yes);
    clickGenerate();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[1].caption, "Generating font ...");
    EXPECT_EQ(platform.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(platform.messages[2].text, "There is no name for this character!\nCan't save it.");
    EXPECT_TRUE(platform.fontDialogs.empty());
    EXPECT_TRUE(font().fontModified);
}

TEST_F(GenerateFont, CancelInTheFontDialogLeavesTheResetFont) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    acceptFont(chosenFont(family, 12));
    clickGenerate();
    platform.answer(MessageAnswer::No);
    cancelFont();
    clickGenerate();

    EXPECT_EQ(definedCodes(font()), 0);
    EXPECT_EQ(font().slots[kBlankSlot].name, "blank");
    EXPECT_EQ(font().ySize, 16);
    EXPECT_FALSE(font().fontModified);
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(working().xSize, 8);
    EXPECT_EQ(form().EditXres->text(), "8");
    EXPECT_EQ(form().EditYres->text(), "16");
    EXPECT_EQ(form().DrawMatrix->colCount(), 8);
    EXPECT_EQ(form().DrawMatrix->rowCount(), 16);
    EXPECT_EQ(panel(kPanelFile), " ");
}

TEST_F(GenerateFont, ARunNormalisesTheYOffsetFieldEvenWhenTheFontDialogIsCancelled) {
    const std::pair<QString, QString> cases[] = {{"40", "32"}, {"-40", "-32"}, {"abc", "0"},
                                                 {"", "0"},    {"-", "0"},     {"007", "7"}};
    for (const auto& [typed, shown] : cases) {
        // Set directly: a paste of letters no longer gets past the field's filter.
        form().EgfYofs->setText(typed);
        cancelFont();
        clickGenerate();
        EXPECT_EQ(form().EgfYofs->text(), shown) << typed.toStdString();
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GenerateFont, TheYOffsetMovesGlyphsDownOnlyWhileItsBoxIsChecked) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    setCodes(true, false, false, false);
    const QFont chosen = chosenFont(family, 16);
    acceptFont(chosen);
    clickGenerate();
    const int top = firstInkedRow(font().slots['H'].pixels);
    ASSERT_GT(top, 0);

    pasteText(form().EgfYofs, "7");
    platform.answer(MessageAnswer::No);
    acceptFont(chosen);
    clickGenerate();
    EXPECT_EQ(firstInkedRow(font().slots['H'].pixels), top + 7);

    form().CBgfYofs->setChecked(false);
    platform.answer(MessageAnswer::No);
    acceptFont(chosen);
    clickGenerate();
    EXPECT_EQ(firstInkedRow(font().slots['H'].pixels), top);
    EXPECT_EQ(form().EgfYofs->text(), "7");
}

TEST_F(GenerateFont, PostProcessingBoxesReachTheGenerator) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    setCodes(false, true, false, false);
    form().CBalign->setChecked(false);
    form().CBcut->setChecked(false);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    EXPECT_EQ(definedCodes(font()), 10);
    for (int code = '0'; code <= '9'; ++code)
        EXPECT_EQ(font().slots[code].xSize, 32) << code;

    // Digits aligned like the rest: every one starts at column 0.
    form().CBalign->setChecked(true);
    form().CBnotalign09->setChecked(false);
    form().CBcut->setChecked(true);
    platform.answer(MessageAnswer::No);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    for (int code = '0'; code <= '9'; ++code) {
        const PixelMatrix& m = font().slots[code].pixels;
        bool column0 = false;
        for (int y = 0; y < kMatrixEdge; ++y)
            column0 |= pixelSet(m, 0, y);
        EXPECT_TRUE(column0) << code;
        EXPECT_LT(font().slots[code].xSize, 32);
    }
}

TEST_F(GenerateFont, WithNothingCheckedTheFontIsEmpty32HighAndModified) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    setCodes(false, false, false, false);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    EXPECT_EQ(platform.fontDialogs.size(), 1u);
    EXPECT_EQ(definedCodes(font()), 0);
    EXPECT_EQ(font().ySize, 32);
    EXPECT_TRUE(font().fontModified);
    EXPECT_EQ(panel(kPanelFile), "  *");
}

TEST_F(GenerateFont, HighCodesBeforeTheDialogWasEverShownAreAllOfThem) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    setCodes(true, true, true, true);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    EXPECT_EQ(definedCodes(font()), 224);
    EXPECT_TRUE(platform.dialogTitles.empty());
}

TEST_F(GenerateFont, CustomCharactersDialogPresetsAndSingleChoices) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    customise([](TCCForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Customize characters 0x80-0xFF");
        ASSERT_EQ(dialog.CListBoxChars->count(), 128);
        EXPECT_EQ(dialog.CListBoxChars->item(0x0A)->text(), QString::fromUtf8(" 0x8A - 'Š' - USh"));
        EXPECT_EQ(dialog.CListBoxChars->item(0)->text(), " 0x80 - '\u20AC' - c128");
        EXPECT_TRUE(dialog.RBall->isChecked());
        EXPECT_EQ(checkedCodes(dialog).size(), 128u);

        clickRadio(dialog.RBczech);
        const std::vector<int> czech = checkedCodes(dialog);
        EXPECT_EQ(czech.size(), 34u);
        EXPECT_TRUE(contains(czech, 0xFF));
        EXPECT_FALSE(contains(czech, 0xA0));
        // A single change, then OK.
        dialog.CListBoxChars->item(0x0A)->setCheckState(Qt::Unchecked);
    });
    EXPECT_EQ(platform.dialogTitles.size(), 1u);

    setCodes(false, false, false, true);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    EXPECT_EQ(definedCodes(font()), 33);
    EXPECT_FALSE(font().slots[0x8A].defined());
    EXPECT_TRUE(font().slots[0xFF].defined());
    EXPECT_TRUE(font().slots[0xC8].defined());

    // Shown again, the dialog restores the preset of the radio button kept.
    customise([](TCCForm& dialog) {
        EXPECT_TRUE(dialog.RBczech->isChecked());
        EXPECT_EQ(checkedCodes(dialog).size(), 34u);
        EXPECT_TRUE(contains(checkedCodes(dialog), 0x8A));
        clickRadio(dialog.RBall);
        EXPECT_EQ(checkedCodes(dialog).size(), 128u);
    });

    // With its box unchecked the dialog's marks have no effect.
    setCodes(false, true, false, false);
    platform.answer(MessageAnswer::No);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    EXPECT_EQ(definedCodes(font()), 10);
}

TEST_F(GenerateFont, YOffsetFieldTakesDigitsAndMinusAndNormalisesOnEnter) {
    QLineEdit* field = form().EgfYofs;
    clearField(field);
    type(field, "a-1 b2x");
    EXPECT_EQ(field->text(), "-12");
    pressEnter(field);
    EXPECT_EQ(field->text(), "-12");

    clearField(field);
    type(field, "40");
    pressEnter(field);
    EXPECT_EQ(field->text(), "32");

    clearField(field);
    pressEnter(field);
    EXPECT_EQ(field->text(), "0");

    clearField(field);
    type(field, "-");
    pressEnter(field);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "'-' is not a valid integer value");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(field->text(), "-");
    // Nothing else changes.
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(panel(kPanelFile), " ");

    // The spinner steps from the number the field shows, within -32..32.
    clearField(field);
    type(field, "31");
    pressEnter(field);
    form().UpDown3->setPosition(32);
    EXPECT_EQ(field->text(), "32");
}

// Also run in a real X server (tests/app/generate_in_xvfb.sh).
TEST_F(GenerateFont, GeneratedThroughTheButtonAndSavedItEqualsZelvikCliGenerate) {
    ZELVIK_REQUIRE_DEJAVU_SANS(family);
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    setCodes(true, true, true, true);
    acceptFont(chosenFont(family, 16));
    clickGenerate();
    ASSERT_EQ(definedCodes(font()), 224);

    type(form().EditFontPrefix, "dv16");
    platform.chooseFile(files.filePath("gui.fnt"));
    QTest::mouseClick(form().BtnSaveCharSet, Qt::LeftButton);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(panel(kPanelFile), " gui.fnt");
    // 32 high: version 2.0 without asking.
    EXPECT_TRUE(platform.dialogTitles.empty());

    QProcess cli;
    cli.start(QStringLiteral(ZELVIK_CLI_PATH),
              {"generate", "--font-file", kDejaVuSansPath, "--pixel-size", "16", "--codes",
               "letters,digits,specials,high", "--identifier", "dv16", "-o",
               files.filePath("cli.fnt")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const std::string gui = readFileBytes(files.filePath("gui.fnt"));
    ASSERT_GT(gui.size(), 1000u);
    EXPECT_TRUE(gui == readFileBytes(files.filePath("cli.fnt")));
}

TEST_F(GenerateFont, UndoTakesBackAWholeRun) {
    font().slots[66].name = "UB";
    font().slots[66].pixels[0] = 1;
    form().RefreshFontView();
    cancelFont(); // even a cancelled run has reset the font
    clickGenerate();
    ASSERT_FALSE(font().slots[66].defined());
    EXPECT_EQ(form().MBtnUndo->text(), "Undo Generate font");
    form().MBtnUndo->trigger();
    EXPECT_EQ(font().slots[66].name, "UB");
    EXPECT_EQ(font().slots[66].pixels[0], 1);
    form().MBtnRedo->trigger();
    EXPECT_FALSE(font().slots[66].defined());
}
