// The pixel grid, the size fields and spinners, clear, the shifts and the
// symbol preview, driven with the mouse and the keyboard.

#include "editor/ui/PixelGrid.h"
#include "support/AppFixture.h"
#include "ui/PaintBox.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QToolButton>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class MatrixEditor : public AppFixture {
protected:
    PixelGrid* grid() { return form().DrawMatrix; }

    void press(Qt::MouseButton button, QPoint pos) { QTest::mousePress(grid(), button, {}, pos); }
    void release(Qt::MouseButton button, QPoint pos) {
        QTest::mouseRelease(grid(), button, {}, pos);
    }
    void move(QPoint pos) { QTest::mouseMove(grid(), pos); }

    // Pretends the flags were set without a status bar refresh, to see who refreshes it.
    void markSilently() {
        font().characterModified = true;
        font().fontModified = true;
    }

    QImage preview() { return form().ImgChar->grab().toImage(); }
    bool previewBlack(const QImage& image, int x, int y) {
        return image.pixelColor(x, y) == QColor(Qt::black);
    }
    int blackCount(const QImage& image, QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += previewBlack(image, x, y);
        return n;
    }
    void click(const char* button) {
        QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
    }
    void spin(const char* upDown, bool up, int steps = 1) {
        auto* spinner = control<UpDown>(upDown);
        const QPoint where(spinner->width() / 2, up ? 2 : spinner->height() - 2);
        for (int i = 0; i < steps; ++i) {
            QTest::mousePress(spinner, Qt::LeftButton, {}, where);
            QTest::mouseRelease(spinner, Qt::LeftButton, {}, where);
        }
    }
};

} // namespace

TEST_F(MatrixEditor, LeftSetsRightClearsBothLeaveClearMiddleOnlyRefreshes) {
    clickCell(2, 3);
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_TRUE(font().characterModified);
    EXPECT_TRUE(font().fontModified);
    EXPECT_EQ(panel(kPanelModified), "modified");
    EXPECT_EQ(panel(kPanelFile), "  *");

    clickCell(2, 3, Qt::RightButton);
    EXPECT_FALSE(pixel(2, 3));

    clickCell(4, 4);
    press(Qt::RightButton, cellCentre(4, 4));
    press(Qt::LeftButton, cellCentre(4, 4)); // both held now
    release(Qt::LeftButton, cellCentre(4, 4));
    release(Qt::RightButton, cellCentre(4, 4));
    EXPECT_FALSE(pixel(4, 4));

    form().RefreshFontView(); // clears the character flag
    font().fontModified = false;
    const PixelMatrix before = working().pixels;
    markSilently();
    EXPECT_EQ(panel(kPanelModified), "");
    clickCell(5, 5, Qt::MiddleButton);
    EXPECT_EQ(working().pixels, before);
    EXPECT_EQ(panel(kPanelModified), "modified") << "a middle click still refreshes the status bar";
}

TEST_F(MatrixEditor, PressOrMoveBesideTheCellsChangesNothing) {
    const QPoint beyondLastColumn = cellCentre(8, 2); // the grid is 8 columns wide
    const QPoint belowLastRow = cellCentre(2, 16);
    move(cellCentre(1, 2));
    EXPECT_EQ(panel(kPanelXY), "x=1, y=2");
    press(Qt::LeftButton, beyondLastColumn);
    move(belowLastRow);
    release(Qt::LeftButton, belowLastRow);
    EXPECT_EQ(working().pixels, PixelMatrix{});
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(panel(kPanelXY), "x=1, y=2");
}

TEST_F(MatrixEditor, MovingWithoutAButtonOnlyShowsTheCell) {
    move(cellCentre(0, 0));
    EXPECT_EQ(panel(kPanelXY), "x=0, y=0");
    move(grid()->cellRect(3, 4).bottomRight() + QPoint(1, 1)); // the grid line after the cell
    EXPECT_EQ(panel(kPanelXY), "x=3, y=4");
    EXPECT_FALSE(font().characterModified);
    EXPECT_EQ(working().pixels, PixelMatrix{});

    setSize("EditXres", 32);
    setSize("EditYres", 32);
    move(cellCentre(31, 31));
    EXPECT_EQ(panel(kPanelXY), "x=31, y=31");
}

TEST_F(MatrixEditor, DragPaintsTheCellsUnderEachReportedPosition) {
    press(Qt::LeftButton, cellCentre(0, 0));
    move(cellCentre(1, 0));
    move(cellCentre(5, 0)); // cells crossed between reports stay as they are
    release(Qt::LeftButton, cellCentre(5, 0));
    EXPECT_TRUE(pixel(0, 0));
    EXPECT_TRUE(pixel(1, 0));
    EXPECT_FALSE(pixel(3, 0));
    EXPECT_TRUE(pixel(5, 0));

    press(Qt::RightButton, cellCentre(1, 0));
    move(cellCentre(5, 0));
    release(Qt::RightButton, cellCentre(5, 0));
    EXPECT_FALSE(pixel(1, 0));
    EXPECT_FALSE(pixel(5, 0));
    EXPECT_TRUE(pixel(0, 0));
    EXPECT_EQ(panel(kPanelXY), "x=5, y=0");
}

TEST_F(MatrixEditor, DragStartedBesideTheGridShowsTheMarkers) {
    press(Qt::LeftButton, cellCentre(10, 2));
    move(cellCentre(7, 2));
    EXPECT_TRUE(pixel(7, 2));
    EXPECT_EQ(panel(kPanelModified), "modified");
}

TEST_F(MatrixEditor, GridDrawsInkBlackAndPaperWhite) {
    clickCell(1, 2);
    const QImage image = grid()->grab().toImage();
    EXPECT_EQ(image.pixelColor(grid()->cellRect(1, 2).center()), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(grid()->cellRect(2, 2).center()), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(grid()->cellRect(9, 2).center()), QColor(Qt::white))
        << "beyond the last column lies no cell";
}

TEST_F(MatrixEditor, SizeFieldsClampOnEnter) {
    struct Case {
        const char* typed;
        const char* shown;
        int size;
    };
    const Case cases[] = {{"007", "7", 7}, {"45", "32", 32}, {"", "1", 1}, {"0", "1", 1}};
    for (const auto& c : cases) {
        font().characterModified = false;
        QLineEdit* field = form().EditXres;
        clearField(field);
        type(field, c.typed);
        pressEnter(field);
        EXPECT_EQ(field->text(), c.shown) << c.typed;
        EXPECT_EQ(working().xSize, c.size);
        EXPECT_EQ(grid()->colCount(), c.size);
        EXPECT_TRUE(font().characterModified) << "Enter marks even an unchanged size";
    }
    clearField(form().EditYres);
    type(form().EditYres, "9");
    EXPECT_EQ(font().ySize, 16) << "typing alone changes nothing";
    pressEnter(form().EditYres);
    EXPECT_EQ(font().ySize, 9) << "the y-size is the font's at once";
    EXPECT_EQ(grid()->rowCount(), 9);
}

TEST_F(MatrixEditor, SizeFieldsTakeOnlyDigitsAndBackspace) {
    QLineEdit* field = form().EditXres;
    type(field, "a-1 .\x16");
    EXPECT_EQ(field->text(), "81");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "8");
    QApplication::clipboard()->setText("x-");
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); // a paste obeys the same filter
    EXPECT_EQ(field->text(), "8");
    QApplication::clipboard()->setText("2 4");
    QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(field->text(), "824");
    pressDelete(field); // at the end: nothing to delete
    field->setCursorPosition(0);
    pressDelete(field);
    EXPECT_EQ(field->text(), "24");
    EXPECT_EQ(working().xSize, 8) << "only Enter applies the size";
    EXPECT_FALSE(font().characterModified);
}

TEST_F(MatrixEditor, SpinnersApplyXOnReleaseAndYOnEveryStep) {
    auto* xSpinner = control<UpDown>("UpDown1");
    const QPoint up(xSpinner->width() / 2, 2);
    QTest::mousePress(xSpinner, Qt::LeftButton, {}, up);
    EXPECT_EQ(form().EditXres->text(), "9");
    EXPECT_EQ(working().xSize, 8) << "x-size applies when the button is released";
    QTest::mouseRelease(xSpinner, Qt::LeftButton, {}, up);
    EXPECT_EQ(working().xSize, 9);
    EXPECT_EQ(grid()->colCount(), 9);
    EXPECT_TRUE(font().characterModified);

    form().EditXres->setText("31"); // a step starts from what the field shows
    spin("UpDown1", true, 3);
    EXPECT_EQ(working().xSize, 32);

    font().characterModified = false;
    spin("UpDown2", false);
    EXPECT_EQ(font().ySize, 15);
    EXPECT_EQ(grid()->rowCount(), 15);
    EXPECT_EQ(form().EditYres->text(), "15");
    EXPECT_TRUE(font().characterModified);
    form().EditYres->setText("1");
    spin("UpDown2", false);
    EXPECT_EQ(font().ySize, 1);
}

// The preview follows a size change at once instead of waiting for some
// later repaint to show the new size.
TEST_F(MatrixEditor, SizeChangeRepaintsThePreview) {
    QApplication::processEvents();
    int paints = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            *n += e->type() == QEvent::Paint;
            return false;
        }
    } counter(&paints);
    form().ImgChar->installEventFilter(&counter);
    setSize("EditXres", 5);
    QApplication::processEvents();
    EXPECT_GT(paints, 0) << "x-size field";
    paints = 0;
    spin("UpDown2", true);
    QApplication::processEvents();
    EXPECT_GT(paints, 0) << "y-size spinner";
    form().ImgChar->removeEventFilter(&counter);
}

TEST_F(MatrixEditor, HiddenPixelsSurviveSizeChangesAndSaves) {
    setSize("EditXres", 10);
    clickCell(8, 1);
    clickCell(9, 2);
    setSize("EditXres", 6);
    form().EditCharName->setText("nul");
    click("BtnSaveChar");
    EXPECT_EQ(font().slots[0].xSize, 6);
    EXPECT_TRUE(pixelSet(font().slots[0].pixels, 8, 1));
    setSize("EditXres", 10);
    EXPECT_TRUE(pixel(8, 1));
    EXPECT_TRUE(pixel(9, 2));
}

TEST_F(MatrixEditor, ShiftsMoveTheWholeMatrixWithoutWrapping) {
    clickCell(7, 3);
    click("BtnArrr");
    EXPECT_TRUE(pixel(8, 3)) << "pushed into hidden space";
    EXPECT_FALSE(pixel(7, 3));
    click("BtnArrl");
    EXPECT_TRUE(pixel(7, 3));
    EXPECT_FALSE(pixel(8, 3));

    clickCell(0, 0);
    click("BtnArrl");
    EXPECT_FALSE(pixel(31, 0)) << "nothing wraps";
    click("BtnArru");
    EXPECT_TRUE(pixel(6, 2));
    click("BtnArrd");
    EXPECT_TRUE(pixel(6, 3));
    EXPECT_TRUE(font().characterModified);
}

TEST_F(MatrixEditor, ClearEmptiesHiddenColumnsToo) {
    clickCell(7, 0);
    click("BtnArrr");
    click("BtnClearChar");
    setSize("EditXres", 12);
    EXPECT_EQ(working().pixels, PixelMatrix{});
    clickCell(1, 1);
    control<QAction>("MBtnClearChar")->trigger();
    EXPECT_EQ(working().pixels, PixelMatrix{});
}

TEST_F(MatrixEditor, PreviewDrawsTheCharacterCentred) {
    clickCell(0, 0);
    QImage image = preview();
    EXPECT_TRUE(previewBlack(image, 0, 0)) << "outline";
    EXPECT_TRUE(previewBlack(image, 59, 59)) << "outline";
    EXPECT_TRUE(previewBlack(image, 26, 22));
    EXPECT_EQ(blackCount(image, QRect(1, 1, 58, 58)), 1);

    setSize("EditXres", 7);
    EXPECT_TRUE(previewBlack(preview(), 26, 22));

    setSize("EditXres", 32);
    setSize("EditYres", 32);
    clickCell(31, 31);
    image = preview();
    EXPECT_TRUE(previewBlack(image, 14, 14));
    EXPECT_TRUE(previewBlack(image, 45, 45));
    EXPECT_EQ(blackCount(image, QRect(1, 1, 58, 58)), 2);

    setSize("EditXres", 1);
    setSize("EditYres", 1);
    image = preview();
    EXPECT_TRUE(previewBlack(image, 29, 29));
    EXPECT_EQ(blackCount(image, QRect(1, 1, 58, 58)), 1) << "hidden ink stays out of the preview";
}
