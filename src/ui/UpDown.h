#pragma once

// A spinner bound to a one-line edit field: the upper half steps up, the lower
// half down. A step starts from the number the field shows (the position when
// the field holds no number), clamps to the range and writes the new position
// back into the field. Holding the button repeats the step.

#include <QTimer>
#include <QWidget>

class QLineEdit;

namespace zelvik {

class UpDown final : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* associate, int minimum, int maximum, int position, QWidget* parent);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    // Moves the spinner and shows the position in the field.
    void setPosition(int position);
    // Moves the spinner without touching the field.
    void setPositionQuietly(int position);
    // A new upper end; a position above it moves down to it, quietly.
    void setMaximum(int maximum);

Q_SIGNALS:
    // One step was taken (after the field shows the new position).
    void clicked(bool up);
    // The mouse button that started the steps was released.
    void mouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void step();

    QLineEdit* associate_;
    int minimum_;
    int maximum_;
    int position_;
    bool stepUp_ = true;
    int pressedHalf_ = -1; // 0 upper, 1 lower, -1 none
    QTimer repeat_;
};

} // namespace zelvik
