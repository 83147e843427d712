// The drawing half of the character editor: the pixel grid, the size and
// baseline fields and their spinners, clear, the four shifts and the symbol preview. The
// session changes the working character (and, for the y-size, the font's
// common height); the slot changes when the character is saved.

#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "session/ApplicationError.h"
#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"
#include "ui/UpDown.h"

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
    ShowBaseline();
}

void TForm1::ShowBaseline() {
    const int baseline = session_.baseline();
    UpDownBaseline->setMaximum(session_.ySize());
    UpDownBaseline->setPosition(baseline);
    DrawMatrix->setBaselineRows(baseline);
}

void TForm1::ShowSizes() {
    ShowXSize(session_.working().xSize);
    ShowYSize(session_.ySize());
    ImgChar->update();
}

void TForm1::DrawMatrixDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    painter.fillRect(rect, pixelSet(session_.working().pixels, col, row) ? kInk : kPaper);
}

bool TForm1::paintWithButtons(Qt::MouseButtons buttons, int col, int row) {
    return session_.paintCell(col, row, buttons & Qt::LeftButton, buttons & Qt::RightButton);
}

namespace {
constexpr Qt::MouseButtons kPaintButtons = Qt::LeftButton | Qt::RightButton;
}

void TForm1::DrawMatrixMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos) {
    // A stroke lasts while a painting button is held; a second button joins it.
    if (!(buttons & ~button & kPaintButtons))
        session_.beginStroke();
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
    // A drag that starts beside the grid shows the markers on its first cell:
    // the session reports the flags as they change.
    paintWithButtons(buttons, cell.col, cell.row);
}

void TForm1::DrawMatrixMouseUp(Qt::MouseButton, Qt::MouseButtons buttons, QPoint) {
    if (!(buttons & kPaintButtons))
        session_.endStroke();
}

void TForm1::EditXresKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditXres->text().isEmpty())
            EditXres->setText(QStringLiteral("1"));
        if (const auto value = readIntegerField(platform_, EditXres->text()))
            session_.setXSize(*value);
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::UpDown1MouseUp() {
    session_.setXSize(UpDown1->position());
}

void TForm1::EditYresKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditYres->text().isEmpty())
            EditYres->setText(QStringLiteral("1"));
        if (const auto value = readIntegerField(platform_, EditYres->text()))
            session_.setYSize(*value);
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::UpDown2Click() {
    session_.setYSize(UpDown2->position());
}

void TForm1::EditBaselineKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        if (EditBaseline->text().isEmpty())
            EditBaseline->setText(QStringLiteral("1"));
        if (const auto value = readIntegerField(platform_, EditBaseline->text()))
            session_.setBaseline(*value);
    } else if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

void TForm1::UpDownBaselineClick() {
    session_.setBaseline(UpDownBaseline->position());
}

void TForm1::BtnClearCharClick() {
    session_.clearCharacter();
}

void TForm1::BtnArruClick() {
    session_.shiftUp();
}

void TForm1::BtnArrdClick() {
    session_.shiftDown();
}

void TForm1::BtnArrrClick() {
    session_.shiftRight();
}

void TForm1::BtnArrlClick() {
    session_.shiftLeft();
}

void TForm1::ImgCharPaint(QPainter& painter) {
    const WorkingCharacter& working = session_.working();
    const int ySize = session_.ySize();
    painter.fillRect(0, 0, kPreviewSize, kPreviewSize, kPaper);
    painter.setPen(kInk);
    painter.drawRect(0, 0, kPreviewSize - 1, kPreviewSize - 1);
    // Centred at one screen pixel per character pixel.
    const int ox = (kPreviewSize - working.xSize) / 2;
    const int oy = (kPreviewSize - ySize) / 2;
    for (int y = 0; y < ySize; ++y) {
        for (int x = 0; x < working.xSize; ++x) {
            if (pixelSet(working.pixels, x, y))
                painter.fillRect(ox + x, oy + y, 1, 1, kInk);
        }
    }
    RenderSampleText();
}

} // namespace zelvik
