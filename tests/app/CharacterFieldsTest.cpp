// The code, key, name and identifier fields: key filters, selection by code,
// the key field and the automatic name; commands that are no typed keys, and
// text that arrives by paste, drop or input method.

#include "support/AppFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
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

    void clearFlags() {
        font().characterModified = false;
        font().fontModified = false;
    }

    static void commit(QLineEdit* field, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(field, &event);
    }

    // Drags `text` onto the middle of the field and drops it there.
    static void drop(QLineEdit* field, const QString& text) {
        QMimeData mime;
        mime.setText(text);
        const QPoint at = field->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &event);
    }

    // Opens the field's context menu and clicks its Paste item.
    static void pasteFromContextMenu(QLineEdit* field) {
        const QPoint at = field->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
        QCoreApplication::sendEvent(field, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLineEdit::tr("&Paste")))
                paste = action;
        }
        ASSERT_NE(paste, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
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

TEST_F(CharacterFields, PastedTextPassesTheFilterOfTypedKeys) {
    QApplication::clipboard()->setText("a b\t\n");
    QTest::keyClick(name(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name()->text(), "ab");
    EXPECT_TRUE(font().characterModified);
    EXPECT_EQ(panel(kPanelModified), "modified");

    clearFlags();
    QApplication::clipboard()->setText(QString::fromUtf8("é"));
    QTest::keyClick(name(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(name()->text(), "ab");
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);

    QApplication::clipboard()->setText("my font");
    QTest::keyClick(prefix(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prefix()->text(), "myfont");
    EXPECT_TRUE(font().fontModified);
    EXPECT_FALSE(font().characterModified);

    clearField(code());
    QApplication::clipboard()->setText("1x2");
    QTest::keyClick(code(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(code()->text(), "12");
    EXPECT_EQ(font().currentIndex, 0) << "a paste selects nothing";

    QApplication::clipboard()->setText("B");
    QTest::keyClick(key(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(key()->text(), "B") << "a key pasted into the key field counts as typed";
    EXPECT_EQ(code()->text(), "66");
}

TEST_F(CharacterFields, ContextMenuPasteAndDropPassTheFilter) {
    clearField(code());
    QApplication::clipboard()->setText("4 x2");
    pasteFromContextMenu(code());
    EXPECT_EQ(code()->text(), "42");

    QApplication::clipboard()->setText(QString::fromUtf8("Šum"));
    pasteFromContextMenu(name());
    EXPECT_EQ(name()->text(), "um");

    drop(name(), "a-b c");
    EXPECT_EQ(name()->text(), "uma-bc");
    clearFlags();
    drop(name(), QString::fromUtf8("Ž ž"));
    EXPECT_EQ(name()->text(), "uma-bc");
    EXPECT_FALSE(font().characterModified);

    drop(key(), "C");
    EXPECT_EQ(key()->text(), "C");
    EXPECT_EQ(code()->text(), "67");
}

TEST_F(CharacterFields, InputMethodTextPassesTheFilterOfTypedKeys) {
    // A dead key or compose sequence commits "é": refused in a symbol name,
    // which must stay a C identifier.
    commit(name(), QString::fromUtf8("é"));
    EXPECT_EQ(name()->text(), "");
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);
    commit(name(), "x");
    EXPECT_EQ(name()->text(), "x");
    EXPECT_TRUE(font().characterModified);

    commit(prefix(), QString::fromUtf8("ů"));
    EXPECT_EQ(prefix()->text(), "");

    commit(key(), QString::fromUtf8("é"));
    EXPECT_EQ(key()->text(), QString::fromUtf8("é"));
    EXPECT_EQ(code()->text(), "233");

    clearField(code());
    commit(code(), QString::fromUtf8("7½"));
    EXPECT_EQ(code()->text(), "7");
    clearField(form().EditXres);
    commit(form().EditXres, QString::fromUtf8("²"));
    EXPECT_EQ(form().EditXres->text(), "");
}

TEST_F(CharacterFields, KeyTypingSeveralCharactersIsFilteredLikeAPaste) {
    QTest::sendKeyEvent(QTest::Click, name(), Qt::Key_unknown, QString::fromUtf8("a éb"),
                        Qt::NoModifier);
    EXPECT_EQ(name()->text(), "ab");
}

TEST_F(CharacterFields, DeleteDeletesAndTypesNoCharacter) {
    key()->setText("A");
    code()->setText("65");
    key()->setCursorPosition(0);
    pressDelete(key());
    EXPECT_EQ(key()->text(), "");
    EXPECT_EQ(code()->text(), "65") << "DEL is no key of a character";

    code()->setCursorPosition(0);
    pressDelete(code());
    EXPECT_EQ(code()->text(), "5");
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_FALSE(font().characterModified);
}

TEST_F(CharacterFields, DeleteMarksTheNameOrIdentifierOnlyWhenItDeletes) {
    pressDelete(name());
    pressDelete(prefix());
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);

    // The name marks the character and the font, the identifier the font.
    const std::pair<QLineEdit*, bool> fields[] = {{name(), true}, {prefix(), false}};
    for (const auto& [field, marksCharacter] : fields) {
        clearFlags();
        field->setText("ab");
        field->setCursorPosition(2);
        pressDelete(field);
        EXPECT_FALSE(font().fontModified) << "nothing right of the cursor";
        field->setCursorPosition(0);
        pressDelete(field);
        EXPECT_EQ(field->text(), "b");
        EXPECT_TRUE(font().fontModified);
        EXPECT_EQ(font().characterModified, marksCharacter);
        EXPECT_EQ(panel(kPanelFile), "  *");
        EXPECT_EQ(panel(kPanelModified), marksCharacter ? "modified" : "");
    }
}

TEST_F(CharacterFields, BackspaceInTheNameMarksLikeEveryTypedKey) {
    QTest::keyClick(name(), Qt::Key_Backspace);
    EXPECT_TRUE(font().characterModified);
    EXPECT_TRUE(font().fontModified);
}

TEST_F(CharacterFields, ClipboardShortcutsWorkAsInAnyField) {
    name()->setText("abc");
    name()->selectAll();
    QTest::keyClick(name(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    EXPECT_EQ(name()->text(), "abc");
    EXPECT_FALSE(font().characterModified) << "copying changes nothing";

    name()->setSelection(0, 1);
    QTest::keyClick(name(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(name()->text(), "bc");
    EXPECT_EQ(QApplication::clipboard()->text(), "a");
    EXPECT_TRUE(font().characterModified) << "a cut that changes the name marks it";

    clearFlags();
    QTest::keyClick(name(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name()->text(), "abc");
    EXPECT_TRUE(font().characterModified);

    clearFlags();
    prefix()->setText("fnt");
    prefix()->setSelection(0, 3);
    QTest::keyClick(prefix(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(prefix()->text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "fnt");
    EXPECT_TRUE(font().fontModified);
    EXPECT_FALSE(font().characterModified);

    code()->selectAll();
    QTest::keyClick(code(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "0");
    key()->setText("A");
    key()->selectAll();
    QTest::keyClick(key(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "A");
    EXPECT_EQ(code()->text(), "0") << "a command is no key of a character";
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
