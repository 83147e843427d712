#pragma once

// The owner-drawn grid of the pixel editor: 10 by 10 pixel cells on an
// 11-pixel pitch inside a fixed 356 by 355 frame, which holds 32 by 32 cells
// without scrolling. The owner draws each cell and handles the mouse; the grid
// only knows its column and row counts, where its cells lie, and the font's
// baseline, which it draws as a red line on the grid line under its row.

#include <QWidget>

#include <functional>

namespace zelvik {

struct GridCell {
    int col = -1;
    int row = -1;
    bool valid() const { return col >= 0 && row >= 0; }
};

class PixelGrid final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 356;
    static constexpr int kHeight = 355;
    static constexpr int kCellSize = 10;
    static constexpr int kPitch = 11;
    static constexpr int kBorder = 2;

    explicit PixelGrid(QWidget* parent);

    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    void setColCount(int count);
    void setRowCount(int count);
    // Rows above the baseline: the line lies between row `rows` - 1 and row
    // `rows`, under the last row when it equals the row count.
    int baselineRows() const { return baselineRows_; }
    void setBaselineRows(int rows);
    // Where the baseline is drawn: a line one pixel high across the shown columns.
    QRect baselineRect() const;

    QRect cellRect(int col, int row) const;
    // The cell under a point; a coordinate outside the cells is -1. A point on
    // the grid line after a cell belongs to that cell.
    GridCell mouseToCell(QPoint point) const;

    std::function<void(QPainter&, int col, int row, const QRect& rect)> onDrawCell;
    // button: the one just pressed; buttons: every button held, that one included.
    std::function<void(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos)> onMouseDown;
    std::function<void(Qt::MouseButtons buttons, QPoint pos)> onMouseMove;
    // button: the one released; buttons: those still held.
    std::function<void(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int colCount_ = 8;
    int rowCount_ = 16;
    int baselineRows_ = 16;
};

} // namespace zelvik
