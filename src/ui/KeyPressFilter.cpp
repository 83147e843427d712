#include "ui/KeyPressFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace zelvik {

QChar typedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Escape:
        return QChar(char16_t(27));
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(); // moves the focus, types nothing
    default:
        break;
    }
    const auto mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z)
        return QChar(char16_t(event.key() - Qt::Key_A + 1));
    const QString text = event.text();
    if (text.isEmpty())
        return QChar();
    return text.front();
}

KeyPressFilter::KeyPressFilter(QLineEdit* field, Handler handler)
    : QObject(field), handler_(std::move(handler)) {
    field->installEventFilter(this);
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    QChar key = typedCharacter(*static_cast<QKeyEvent*>(event));
    if (key.isNull())
        return false;
    handler_(key);
    // A cancelled key is eaten here: the field never sees it.
    return key.isNull();
}

namespace {

class DoubleClickFilter final : public QObject {
public:
    DoubleClickFilter(QLineEdit* field, std::function<void()> handler)
        : QObject(field), field_(field), handler_(std::move(handler)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == field_ && event->type() == QEvent::MouseButtonDblClick)
            handler_(); // the field then selects the word under the pointer in the new text
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* field_;
    std::function<void()> handler_;
};

} // namespace

void onDoubleClick(QLineEdit* field, std::function<void()> handler) {
    new DoubleClickFilter(field, std::move(handler));
}

} // namespace zelvik
