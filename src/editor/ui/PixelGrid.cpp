#include "editor/ui/PixelGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace zelvik {

namespace {
const QColor kGridLine(0xA0, 0xA0, 0xA0);
const QColor kOutside(0xD4, 0xD0, 0xC8);
const QColor kShadow(0x80, 0x80, 0x80);
const QColor kBaseline(Qt::red);
} // namespace

PixelGrid::PixelGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelGrid::setColCount(int count) {
    if (count != colCount_) {
        colCount_ = count;
        update();
    }
}

void PixelGrid::setRowCount(int count) {
    if (count != rowCount_) {
        rowCount_ = count;
        update();
    }
}

void PixelGrid::setBaselineRows(int rows) {
    if (rows != baselineRows_) {
        baselineRows_ = rows;
        update();
    }
}

QRect PixelGrid::baselineRect() const {
    // The grid line between two rows, which the cells leave free; under the
    // 32nd row it is the last pixel inside the frame.
    return QRect(kBorder, kBorder + baselineRows_ * kPitch - 1, colCount_ * kPitch - 1, 1);
}

QRect PixelGrid::cellRect(int col, int row) const {
    return QRect(kBorder + col * kPitch, kBorder + row * kPitch, kCellSize, kCellSize);
}

GridCell PixelGrid::mouseToCell(QPoint point) const {
    const int x = point.x() - kBorder;
    const int y = point.y() - kBorder;
    GridCell cell;
    if (x >= 0 && x < kWidth - 2 * kBorder && x / kPitch < colCount_)
        cell.col = x / kPitch;
    if (y >= 0 && y < kHeight - 2 * kBorder && y / kPitch < rowCount_)
        cell.row = y / kPitch;
    return cell;
}

void PixelGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kOutside);
    // Sunken frame.
    painter.setPen(kShadow);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(Qt::white);
    painter.drawLine(1, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
    // Grid lines: the visible rectangle's background shows between the cells.
    const QRect inner(kBorder, kBorder, kWidth - 2 * kBorder, kHeight - 2 * kBorder);
    const QRect lines =
        QRect(kBorder, kBorder, colCount_ * kPitch - 1, rowCount_ * kPitch - 1).intersected(inner);
    painter.fillRect(lines, kGridLine);
    painter.setClipRect(inner);
    for (int col = 0; col < colCount_; ++col) {
        for (int row = 0; row < rowCount_; ++row) {
            const QRect cell = cellRect(col, row);
            if (onDrawCell)
                onDrawCell(painter, col, row, cell);
            else
                painter.fillRect(cell, Qt::white);
        }
    }
    painter.setClipRect(QRect(kBorder, kBorder, kWidth - 2 * kBorder, kHeight - kBorder - 1));
    painter.fillRect(baselineRect(), kBaseline);
}

void PixelGrid::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown)
        onMouseDown(event->button(), event->buttons(), event->position().toPoint());
}

void PixelGrid::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(event->buttons(), event->position().toPoint());
}

void PixelGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp)
        onMouseUp(event->button(), event->buttons(), event->position().toPoint());
}

} // namespace zelvik
