#pragma once

// The sample text strip under the editor (ImgTxt): shows the picture it is
// given and reports double-clicks, which open the sample text dialog.

#include <QImage>
#include <QWidget>

namespace zelvik {

class SampleStripView final : public QWidget {
    Q_OBJECT
public:
    explicit SampleStripView(QWidget* parent);

    // The strip is rebuilt on every preview paint, during a drag on every
    // pixel; it is redrawn only when the new picture differs from the old.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

Q_SIGNALS:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace zelvik
