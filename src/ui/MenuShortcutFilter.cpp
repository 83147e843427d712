#include "ui/MenuShortcutFilter.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace zelvik {

MenuShortcutFilter::MenuShortcutFilter(QList<QAction*> actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {}

void MenuShortcutFilter::watch(QWidget* field) {
    field->installEventFilter(this);
}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QAction* action : actions_) {
        if (action->shortcuts().contains(pressed)) {
            // Declined and kept from the field: the shortcut map gets the key.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelvik
