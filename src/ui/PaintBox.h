#pragma once

// A fixed-size surface that its owner draws on: the symbol preview and the
// sample text strip.

#include <QWidget>

#include <functional>

namespace zelvik {

class PaintBox final : public QWidget {
    Q_OBJECT
public:
    PaintBox(int width, int height, QWidget* parent);

    std::function<void(QPainter&)> onPaint;

Q_SIGNALS:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace zelvik
