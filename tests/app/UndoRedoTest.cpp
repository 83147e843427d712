// Undo and Redo in the Edit menu, driven by mouse and keyboard as a person
// would: the items name the step, their shortcuts work also in the fields,
// and taking a step back shows the grid, the list and the fields as before.

#include "editor/ui/PixelGrid.h"
#include "support/AppFixture.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class UndoRedo : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }

    QAction* undo() { return form().MBtnUndo; }
    QAction* redo() { return form().MBtnRedo; }

    // One press-drag-release over the cells, in order.
    void drag(std::initializer_list<std::pair<int, int>> cells) {
        PixelGrid* grid = form().DrawMatrix;
        auto it = cells.begin();
        QTest::mousePress(grid, Qt::LeftButton, {}, cellCentre(it->first, it->second));
        for (++it; it != cells.end(); ++it) {
            // QTest::mouseMove carries no buttons; a drag reports the held one.
            const QPoint pos = cellCentre(it->first, it->second);
            QMouseEvent move(QEvent::MouseMove, pos, grid->mapToGlobal(pos), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid, &move);
        }
        const auto last = *(cells.end() - 1);
        QTest::mouseRelease(grid, Qt::LeftButton, {}, cellCentre(last.first, last.second));
    }

    // What the grid shows in a cell, read from its painted image.
    bool shownBlack(int col, int row) {
        const QImage image = form().DrawMatrix->grab().toImage();
        return image.pixelColor(cellCentre(col, row)) == QColor(Qt::black);
    }

    void keys(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(target, key, modifiers);
    }

    QString listText(int index) { return form().ListCharSet->item(index)->text(); }
};

} // namespace

TEST_F(UndoRedo, EditMenuEndsWithUndoAndRedoNamingTheStep) {
    QMenu* edit = nullptr;
    for (QAction* menu : form().menuBar()->actions()) {
        if (menu->text() == "Edit")
            edit = menu->menu();
    }
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[items.size() - 4]->objectName(), "MBtnEraseChar");
    EXPECT_TRUE(items[items.size() - 3]->isSeparator());
    EXPECT_EQ(items[items.size() - 2], undo());
    EXPECT_EQ(items[items.size() - 1], redo());
    EXPECT_EQ(undo()->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+Z")}));
    EXPECT_EQ(redo()->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    EXPECT_EQ(undo()->text(), "Undo");
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(redo()->text(), "Redo");
    EXPECT_FALSE(redo()->isEnabled());

    clickCell(1, 1);
    EXPECT_EQ(undo()->text(), "Undo Paint");
    EXPECT_TRUE(undo()->isEnabled());
    QTest::mouseClick(form().BtnClearChar, Qt::LeftButton);
    EXPECT_EQ(undo()->text(), "Undo Clear symbol");

    undo()->trigger();
    EXPECT_EQ(undo()->text(), "Undo Paint");
    EXPECT_EQ(redo()->text(), "Redo Clear symbol");
    EXPECT_TRUE(redo()->isEnabled());
    undo()->trigger();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), "Undo");
}

TEST_F(UndoRedo, DragThenCtrlZRestoresTheGrid) {
    drag({{1, 1}, {2, 1}, {3, 1}, {3, 2}});
    for (auto [col, row] : {std::pair{1, 1}, {2, 1}, {3, 1}, {3, 2}})
        ASSERT_TRUE(shownBlack(col, row));
    EXPECT_EQ(panel(kPanelModified), "modified");

    keys(&form(), Qt::Key_Z, Qt::ControlModifier);
    for (auto [col, row] : {std::pair{1, 1}, {2, 1}, {3, 1}, {3, 2}})
        EXPECT_FALSE(shownBlack(col, row)) << col << "," << row;
    EXPECT_FALSE(undo()->isEnabled()) << "the whole drag was one step";
    EXPECT_EQ(panel(kPanelModified), "") << "the character is its slot again";
    EXPECT_EQ(panel(kPanelFile), " ") << "and the font is the new one";

    keys(&form(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(shownBlack(3, 2));
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(panel(kPanelFile), "  *");
    keys(&form(), Qt::Key_Z, Qt::ControlModifier);
    keys(&form(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(shownBlack(1, 1));
}

TEST_F(UndoRedo, CtrlZInTheNameFieldTakesBackTheTypingAndRedoBringsItBack) {
    clickListItem(65);
    clickCell(4, 4);
    clickCell(5, 5);
    QLineEdit* name = form().EditCharName;
    name->setFocus();
    ASSERT_TRUE(name->hasFocus());
    type(name, "myname");
    EXPECT_EQ(undo()->text(), "Undo Symbol name") << "the typing is one step";

    keys(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "");
    EXPECT_TRUE(pixel(5, 5)) << "the typing was the newest edit";
    keys(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(pixel(5, 5));
    EXPECT_TRUE(shownBlack(4, 4));
    EXPECT_TRUE(name->hasFocus());

    keys(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(pixel(5, 5));
    keys(name, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "myname") << "no Ctrl+Y reached the field, the redo did";
    EXPECT_FALSE(redo()->isEnabled());
}

TEST_F(UndoRedo, CtrlZInTheIdentifierFieldTakesBackTheNewIdentifier) {
    clickCell(0, 0);
    QLineEdit* identifier = form().EditFontPrefix;
    identifier->setFocus();
    type(identifier, "fnt");
    keys(identifier, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(identifier->text(), "");
    EXPECT_TRUE(pixel(0, 0)) << "the identifier was the newest edit";
    EXPECT_EQ(redo()->text(), "Redo Font name");

    keys(identifier, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(identifier->text(), "fnt");
    // Leaving the field records a new identifier, too.
    type(identifier, "2");
    form().ListCharSet->setFocus();
    EXPECT_EQ(undo()->text(), "Undo Font name");
    undo()->trigger();
    EXPECT_EQ(identifier->text(), "fnt");
}

TEST_F(UndoRedo, UndoEraseCharacterBringsTheSlotBackIntoTheListWithItsName) {
    clickListItem(65);
    clickCell(2, 2);
    type(form().EditCharName, "UA");
    QTest::mouseClick(form().BtnSaveChar, Qt::LeftButton);
    ASSERT_EQ(listText(65), "#65  'A' - UA");

    platform.answer(MessageAnswer::Yes);
    QTest::mouseClick(form().BtnEraseChar, Qt::LeftButton);
    ASSERT_EQ(listText(65), "#65  'A' - <blank>");
    ASSERT_FALSE(pixel(2, 2));
    clickListItem(66);

    EXPECT_EQ(undo()->text(), "Undo Erase character");
    undo()->trigger();
    EXPECT_EQ(listText(65), "#65  'A' - UA");
    EXPECT_EQ(form().ListCharSet->currentRow(), 65) << "back at the erased character";
    EXPECT_EQ(form().EditCharCode->text(), "65");
    EXPECT_EQ(form().EditCharName->text(), "UA");
    EXPECT_EQ(panel(kPanelCharacter), "'A' - _UA");
    EXPECT_TRUE(shownBlack(2, 2));
    EXPECT_EQ(panel(kPanelModified), "");

    EXPECT_EQ(undo()->text(), "Undo Save character");
    undo()->trigger();
    EXPECT_EQ(listText(65), "#65  'A' - <blank>");
    EXPECT_EQ(panel(kPanelModified), "modified") << "the drawing is not in its slot";
    EXPECT_TRUE(shownBlack(2, 2));
}

TEST_F(UndoRedo, UndoOfASizeShowsTheSizeInTheFieldsAndTheGrid) {
    setSize("EditXres", 12);
    setSize("EditYres", 20);
    undo()->trigger();
    EXPECT_EQ(form().EditYres->text(), "16");
    EXPECT_EQ(form().DrawMatrix->rowCount(), 16);
    undo()->trigger();
    EXPECT_EQ(form().EditXres->text(), "8");
    EXPECT_EQ(form().DrawMatrix->colCount(), 8);
    redo()->trigger();
    EXPECT_EQ(form().EditXres->text(), "12");
    EXPECT_EQ(form().DrawMatrix->colCount(), 12);
}

TEST_F(UndoRedo, UndoOfAnXSizeAloneRestoresBothMarksExactly) {
    ASSERT_EQ(panel(kPanelModified), "");
    ASSERT_EQ(panel(kPanelFile), " ");
    setSize("EditXres", 12);
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(panel(kPanelFile), "  *");
    undo()->trigger();
    EXPECT_EQ(panel(kPanelModified), "");
    EXPECT_EQ(panel(kPanelFile), " ");
    redo()->trigger();
    EXPECT_EQ(panel(kPanelModified), "modified") << "the width alone differs from the slot";
    EXPECT_EQ(panel(kPanelFile), "  *");
}

TEST_F(UndoRedo, TheBaselineFieldMovesTheRedLineAndCtrlZPutsItBack) {
    PixelGrid* grid = form().DrawMatrix;
    auto* spinner = control<UpDown>("UpDownBaseline");
    auto redAt = [grid](QPoint where) {
        return grid->grab().toImage().pixelColor(where) == QColor(Qt::red);
    };
    const QPoint bottomLine = grid->baselineRect().center();
    EXPECT_TRUE(redAt(bottomLine)) << "a new font's baseline lies under its last row";

    const QPoint down(spinner->width() / 2, spinner->height() - 2);
    for (int i = 0; i < 2; ++i) {
        QTest::mousePress(spinner, Qt::LeftButton, {}, down);
        QTest::mouseRelease(spinner, Qt::LeftButton, {}, down);
    }
    EXPECT_EQ(control<QLineEdit>("EditBaseline")->text(), "14");
    EXPECT_EQ(form().session().baseline(), 14);
    EXPECT_TRUE(redAt(grid->cellRect(0, 13).bottomLeft() + QPoint(0, 1)))
        << "the grid line between rows 13 and 14";
    EXPECT_FALSE(redAt(bottomLine));
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_EQ(panel(kPanelModified), "") << "the baseline is the font's, not the character's";
    EXPECT_EQ(undo()->text(), "Undo Baseline");

    setSize("EditBaseline", 40);
    EXPECT_EQ(control<QLineEdit>("EditBaseline")->text(), "16") << "kept within the y-size";
    setSize("EditYres", 10);
    EXPECT_EQ(control<QLineEdit>("EditBaseline")->text(), "10");

    undo()->trigger(); // the y-size
    undo()->trigger(); // the 40 typed
    EXPECT_EQ(control<QLineEdit>("EditBaseline")->text(), "14");
    EXPECT_TRUE(redAt(grid->cellRect(0, 13).bottomLeft() + QPoint(0, 1)));
    undo()->trigger(); // each step of the spinner is one
    undo()->trigger();
    EXPECT_EQ(control<QLineEdit>("EditBaseline")->text(), "16");
    EXPECT_TRUE(redAt(bottomLine));
    EXPECT_EQ(panel(kPanelFile), " ");
}
