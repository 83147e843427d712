#include "ui/PaintBox.h"

#include <QPainter>

namespace zelvik {

PaintBox::PaintBox(int width, int height, QWidget* parent) : QWidget(parent) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
    else
        painter.fillRect(rect(), palette().window());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent*) {
    Q_EMIT doubleClicked();
}

} // namespace zelvik
