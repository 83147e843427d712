// The drawing half of the character editor: the pixel grid, the size fields
// and their spinners, clear, the four shifts and the symbol preview. All of it
// changes only the working character (and, for the y-size, the font's common
// height); the slot changes when the character is saved.

#include "ui/ApplicationError.h"
#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"
#include "app/TForm1.h"
#include "ui/UpDown.h"
#include "editor/MatrixOps.h"
#include "editor/ui/PixelGrid.h"

#include <QLineEdit>
#include <QPainter>

namespace zelvik {

namespace {

bool isDigitOrBackspace(QChar key) {
    return (key >= u'0' && key <= u'9') || key == u'\b';
}

constexpr int kPreviewSize = 60;

// Built once: a whole-grid repaint fills up to 1024 cells.
const QColor kInk(Qt::black);
const QColor kPaper(Qt::white);

} // namespace

void TForm1::ShowXSize(int xSize) {
    EditXres->setText(QString::number(xSize));
    UpDown1->setPositionQuietly(xSize);
    DrawMatrix->setColCount(xSize);
}

void TForm1::ShowYSize(int ySize) {
    UpDown2->setPosition(ySize);
    DrawMatrix->setRowCount(ySize);
}

void TForm1::DrawMatrixDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    painter.fillRect(rect, pixelSet(working_.pixels, col, row) ? kInk : kPaper);
}

bool TForm1::paintWithButtons(Qt::MouseButtons buttons, int col, int row) {
    bool marked = false;
    // Left sets, then right clears: a cell under both buttons ends clear.
    if (buttons & Qt::LeftButton) {
        working_.pixels[pixelIndex(col, row)] = 1;
        marked = true;
    }
    if (buttons & Qt::RightButton) {
        working_.pixels[pixelIndex(col, row)] = 0;
        marked = true;
    }
    if (marked) {
        ImgChar->update();
        DrawMatrix->update();
        font_.characterModified = true;
        font_.fontModified = true;
    }
    return marked;
}

void TForm1::DrawMatrixMouseDown(Qt::MouseButton, Qt::MouseButtons buttons, QPoint pos) {
    const GridCell cell = DrawMatrix->mouseToCell(pos);
    if (cell.valid())
        paintWithButtons(buttons, cell.col, cell.row);
    UpdateStatusBar();
}

void TForm1::DrawMatrixMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    const GridCell cell = DrawMatrix->mouseToCell(pos);
    if (!cell.valid())
        return;
    SB1->setPanelText(kPanelXY, QStringLiteral("x=%1, y=%2").arg(cell.col).arg(cell.row));
    // A drag normally starts with a press on a cell, which already showed the
    // markers; one that starts beside the grid shows them on its first cell.
    const bool markersShown = font_.characterModified && font_.fontModified;
    if (paintWithButtons(buttons, cell.col, cell.row) && !markersShown)
        UpdateStatusBar();
}

void TForm1::EditXresKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditXres->text().isEmpty())
            EditXres->setText(QStringLiteral("1"));
        const auto value = readIntegerField(platform_, this, EditXres->text());
        if (!value)
            return;
        working_.xSize = clampSize(*value);
        ShowXSize(working_.xSize);
        ImgChar->update();
        MarkEdited();
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::UpDown1MouseUp() {
    working_.xSize = UpDown1->position();
    ShowXSize(working_.xSize);
    ImgChar->update();
    MarkEdited();
}

void TForm1::EditYresKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditYres->text().isEmpty())
            EditYres->setText(QStringLiteral("1"));
        const auto value = readIntegerField(platform_, this, EditYres->text());
        if (!value)
            return;
        // The y-size is the whole font's, so it changes there at once.
        working_.ySize = font_.ySize = clampSize(*value);
        ShowYSize(working_.ySize);
        ImgChar->update();
        MarkEdited();
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::UpDown2Click() {
    working_.ySize = font_.ySize = UpDown2->position();
    DrawMatrix->setRowCount(working_.ySize);
    ImgChar->update();
    MarkEdited();
}

void TForm1::afterMatrixEdit() {
    DrawMatrix->update();
    ImgChar->update();
    MarkEdited();
}

void TForm1::BtnClearCharClick() {
    clearMatrix(working_.pixels);
    afterMatrixEdit();
}

void TForm1::BtnArruClick() {
    shiftUp(working_.pixels);
    afterMatrixEdit();
}

void TForm1::BtnArrdClick() {
    shiftDown(working_.pixels);
    afterMatrixEdit();
}

void TForm1::BtnArrrClick() {
    shiftRight(working_.pixels);
    afterMatrixEdit();
}

void TForm1::BtnArrlClick() {
    shiftLeft(working_.pixels);
    afterMatrixEdit();
}

void TForm1::ImgCharPaint(QPainter& painter) {
    painter.fillRect(0, 0, kPreviewSize, kPreviewSize, kPaper);
    painter.setPen(kInk);
    painter.drawRect(0, 0, kPreviewSize - 1, kPreviewSize - 1);
    // Centred at one screen pixel per character pixel.
    const int ox = (kPreviewSize - working_.xSize) / 2;
    const int oy = (kPreviewSize - working_.ySize) / 2;
    for (int y = 0; y < working_.ySize; ++y) {
        for (int x = 0; x < working_.xSize; ++x) {
            if (pixelSet(working_.pixels, x, y))
                painter.fillRect(ox + x, oy + y, 1, 1, kInk);
        }
    }
    RenderSampleText();
}

} // namespace zelvik
