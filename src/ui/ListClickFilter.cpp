#include "ui/ListClickFilter.h"

#include <QListWidget>
#include <QMouseEvent>

namespace zelvik {

ListClickFilter::ListClickFilter(QListWidget* list, Handler handler)
    : QObject(list), list_(list), viewport_(list->viewport()), handler_(std::move(handler)) {
    list->viewport()->installEventFilter(this);
}

bool ListClickFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_)
        return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseMove)
        return mouse->buttons() & Qt::LeftButton; // no drag-selection past the handler
    if (mouse->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    const QModelIndex index = list_->indexAt(mouse->position().toPoint());
    if (!index.isValid())
        return true;
    list_->setFocus(Qt::MouseFocusReason);
    if (type == QEvent::MouseButtonPress)
        handler_(index.row());
    return true;
}

} // namespace zelvik
