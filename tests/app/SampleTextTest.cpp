// The sample strip in the main window and the dialog that changes its text,
// driven as a person would: double-click, type, Enter, Cancel, paste.

#include "preview/SampleStrip.h"
#include "preview/ui/SampleStripView.h"
#include "preview/ui/TTxtForm.h"
#include "support/AppFixture.h"
#include "ui/Cp1250Validator.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <functional>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class SampleText : public AppFixture {
protected:
    // The strip as it is on the screen.
    QImage shownStrip() {
        QApplication::processEvents();
        return form().ImgTxt->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage expectedStrip(std::string_view text) {
        return renderSampleStrip(font(), text).convertToFormat(QImage::Format_RGB32);
    }
    static bool black(const QImage& strip, int x, int y) {
        return strip.pixel(x, y) == qRgb(0, 0, 0);
    }

    // Draws and saves a character of width 8 with ink in two corners.
    void saveCornersCharacter(int code, const char* name) {
        clickListItem(code);
        clickCell(0, 0);
        clickCell(7, 15);
        auto* field = control<QLineEdit>("EditCharName");
        clearField(field);
        type(field, name);
        QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
        ASSERT_TRUE(font().slots[code].defined());
    }

    // Answers the next showing of the dialog: it is shown, `act` works it,
    // and the queued events run, as the dialog's own loop would.
    void answerDialog(std::function<void(TTxtForm&)> act) {
        platform.dialogAnswers.push_back([this, act](QDialog& d) {
            auto& dialog = static_cast<TTxtForm&>(d);
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            fieldOnShow = dialog.EditText->text();
            selectedOnShow = dialog.EditText->selectedText();
            act(dialog);
            QApplication::processEvents();
            EXPECT_FALSE(dialog.isVisible()) << "the dialog did not close";
            dialog.hide();
            return dialog.result();
        });
    }
    void doubleClickStrip() { QTest::mouseDClick(form().ImgTxt, Qt::LeftButton); }
    void typeInto(TTxtForm& dialog, const QString& text) { type(dialog.EditText, text); }

    QString fieldOnShow;
    QString selectedOnShow;
};

} // namespace

TEST_F(SampleText, DialogControlsAndSize) {
    TTxtForm& dialog = *windows.TxtForm;
    EXPECT_EQ(dialog.windowTitle(), "Sample text");
    EXPECT_EQ(dialog.size(), QSize(460, 84));
    EXPECT_EQ(dialog.Label1->text(), "Type in sample text:");
    EXPECT_EQ(dialog.EditText->width(), 444);
    EXPECT_EQ(dialog.BtnOk->text(), "OK");
    EXPECT_EQ(dialog.BtnCancel->text(), "Cancel");
    EXPECT_EQ(dialog.Bevel1->frameShape(), QFrame::HLine);
    for (const char* name : {"Label1", "EditText", "Bevel1", "BtnOk", "BtnCancel"})
        EXPECT_NE(dialog.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(form().ImgTxt->toolTip(), "Double-click here to enter sample text");
}

TEST_F(SampleText, TheStripShowsStoredCharactersOfTheTextChosenInTheDialog) {
    // An empty font: the frame alone.
    EXPECT_EQ(shownStrip(), expectedStrip(""));
    saveCornersCharacter('A', "UA");
    // The starting text holds no 'A'.
    EXPECT_EQ(shownStrip(), expectedStrip(""));

    answerDialog([this](TTxtForm& dialog) {
        typeInto(dialog, "AA"); // replaces the selected text
        QTest::keyClick(dialog.EditText, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter's click is queued";
    });
    doubleClickStrip();
    EXPECT_EQ(platform.dialogTitles, std::vector<QString>{"Sample text"});
    EXPECT_EQ(fieldOnShow, ">>> double-click to enter sample text <<<");
    EXPECT_EQ(selectedOnShow, fieldOnShow);
    EXPECT_EQ(form().sampleText, "AA");

    // Total 18: x = 372; two characters of width 8 with ink in their corners.
    const QImage strip = shownStrip();
    EXPECT_EQ(strip, expectedStrip("AA"));
    for (auto [x, y] : {std::pair{372, 17}, {379, 32}, {381, 17}, {388, 32}})
        EXPECT_TRUE(black(strip, x, y)) << x << "," << y;

    // The next showing starts from the current text.
    answerDialog([](TTxtForm& dialog) { QTest::mouseClick(dialog.BtnOk, Qt::LeftButton); });
    doubleClickStrip();
    EXPECT_EQ(fieldOnShow, "AA");
    EXPECT_EQ(form().sampleText, "AA");
}

TEST_F(SampleText, UnsavedDrawingDoesNotReachTheStripUntilSaved) {
    saveCornersCharacter('A', "UA");
    form().sampleText = "A";
    form().RenderSampleText();
    const QImage before = shownStrip();
    EXPECT_EQ(before, expectedStrip("A"));

    clickCell(3, 3);
    ASSERT_TRUE(font().characterModified);
    EXPECT_EQ(shownStrip(), before);
    QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    const QImage after = shownStrip();
    EXPECT_NE(after, before);
    EXPECT_TRUE(black(after, 376 + 3, 17 + 3)); // total 9: x = 376
}

TEST_F(SampleText, CancelAndEscChangeNothing) {
    saveCornersCharacter('A', "UA");
    const QImage before = shownStrip();
    answerDialog([this](TTxtForm& dialog) {
        typeInto(dialog, "AAA");
        QTest::mouseClick(dialog.BtnCancel, Qt::LeftButton);
    });
    doubleClickStrip();
    answerDialog([this](TTxtForm& dialog) {
        typeInto(dialog, "AAA");
        QTest::keyClick(dialog.EditText, Qt::Key_Escape);
    });
    doubleClickStrip();
    EXPECT_EQ(form().sampleText, ">>> double-click to enter sample text <<<");
    EXPECT_EQ(shownStrip(), before);
}

TEST_F(SampleText, AFullFieldTakesNoCharacterNotEvenBackspaceButDeleteWorks) {
    const QString full(128, QLatin1Char('a'));
    answerDialog([&](TTxtForm& dialog) {
        QLineEdit* field = dialog.EditText;
        field->setText(full);
        field->end(false);
        typeInto(dialog, "b");
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), full);
        field->setSelection(0, 3);
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text().size(), 125);
        field->end(false);
        typeInto(dialog, "bc");
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), QString(125, QLatin1Char('a')) + "b");
        typeInto(dialog, "cd");
        EXPECT_EQ(field->text().size(), 128);
        QTest::keyClick(field, Qt::Key_Return); // still closes with OK
    });
    doubleClickStrip();
    EXPECT_EQ(form().sampleText, std::string(125, 'a') + "bcd");
}

TEST_F(SampleText, PastedTextIsCutTo128CharactersOfWindows1250) {
    answerDialog([this](TTxtForm& dialog) {
        pasteText(dialog.EditText, QString(200, QLatin1Char('x')));
        EXPECT_EQ(dialog.EditText->text().size(), 128);
        // No code stands for a snowman: the paste is refused as a whole.
        pasteText(dialog.EditText, QStringLiteral("\u0160t\u2603"));
        EXPECT_EQ(dialog.EditText->text().size(), 128);
        pasteText(dialog.EditText, QStringLiteral("\u0160\u00E1"));
        QTest::mouseClick(dialog.BtnOk, Qt::LeftButton);
    });
    doubleClickStrip();
    EXPECT_EQ(form().sampleText, "\x8A\xE1"); // Windows-1250
    answerDialog([this](TTxtForm& dialog) {
        pasteText(dialog.EditText, QString(300, QLatin1Char('y')));
        QTest::keyClick(dialog.EditText, Qt::Key_Return);
    });
    doubleClickStrip();
    EXPECT_EQ(form().sampleText, std::string(128, 'y'));
}

// The hint about Windows-1250 stays for seconds; over OK or Cancel it would
// swallow the click meant for them.
TEST_F(SampleText, RefusedCharacterHintLeavesTheButtonsFree) {
    answerDialog([this](TTxtForm& dialog) {
        pasteText(dialog.EditText, QStringLiteral("\u2603"));
        QWidget* hint = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel") && widget->isVisible())
                hint = widget;
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(static_cast<QLabel*>(hint)->text(), kOnlyCp1250Hint);
        const auto onScreen = [](QWidget* w) {
            return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
        };
        for (QPushButton* button : {dialog.BtnOk, dialog.BtnCancel})
            EXPECT_FALSE(hint->geometry().intersects(onScreen(button)))
                << "hint " << hint->geometry().y() << ".." << hint->geometry().bottom();
        QTest::mouseClick(dialog.BtnCancel, Qt::LeftButton);
    });
    doubleClickStrip();
}
