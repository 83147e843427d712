#include "preview/ui/SampleStripView.h"

#include "preview/SampleStrip.h"

#include <QPainter>

namespace zelvik {

SampleStripView::SampleStripView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSampleStripWidth, kSampleStripHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SampleStripView::setPicture(const QImage& picture) {
    if (picture == picture_)
        return;
    picture_ = picture;
    update();
}

void SampleStripView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, picture_);
}

void SampleStripView::mouseDoubleClickEvent(QMouseEvent*) {
    Q_EMIT doubleClicked();
}

} // namespace zelvik
