#include "ui/UpDown.h"

#include "font/IntegerText.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace zelvik {

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 60;
} // namespace

UpDown::UpDown(QLineEdit* associate, int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), associate_(associate), minimum_(minimum), maximum_(maximum),
      position_(std::clamp(position, minimum, maximum)) {
    setFocusPolicy(Qt::NoFocus);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatMs);
        step();
    });
}

void UpDown::setPosition(int position) {
    setPositionQuietly(position);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void UpDown::setPositionQuietly(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void UpDown::setMaximum(int maximum) {
    maximum_ = std::max(maximum, minimum_);
    setPositionQuietly(position_);
}

void UpDown::step() {
    int start = position_;
    if (associate_) {
        if (const auto shown = parseInteger(associate_->text()))
            start = std::clamp(*shown, minimum_, maximum_);
    }
    setPosition(stepUp_ ? std::min(start + 1, maximum_) : std::max(start - 1, minimum_));
    Q_EMIT clicked(stepUp_);
}

void UpDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressedHalf_ >= 0)
        return;
    pressedHalf_ = event->position().y() < height() / 2.0 ? 0 : 1;
    stepUp_ = pressedHalf_ == 0;
    update();
    step();
    repeat_.start(kFirstRepeatMs);
}

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressedHalf_ < 0)
        return;
    repeat_.stop();
    pressedHalf_ = -1;
    update();
    Q_EMIT mouseUp();
}

void UpDown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= pressedHalf_ == i ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

} // namespace zelvik
