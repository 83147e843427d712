#include "ui/MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace zelvik {

namespace {

class MenuShortcutPriority final : public QObject {
public:
    explicit MenuShortcutPriority(QMenuBar* menuBar) : QObject(menuBar), menuBar_(menuBar) {
        // The override goes to whichever control has the focus; only the
        // application sees it before that control does.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != menuBar_->window() ||
            !isMenuShortcut(*static_cast<QKeyEvent*>(event)))
            return QObject::eventFilter(watched, event);
        // Not accepted: the key goes on to the shortcut, not to the control.
        event->ignore();
        return true;
    }

private:
    bool isMenuShortcut(const QKeyEvent& event) const {
        const QKeySequence pressed(
            QKeyCombination(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key())));
        const auto menus = menuBar_->findChildren<QMenu*>();
        for (const QMenu* menu : menus) {
            const auto actions = menu->actions();
            for (const QAction* action : actions) {
                if (action->isEnabled() && action->shortcuts().contains(pressed))
                    return true;
            }
        }
        return false;
    }

    QMenuBar* menuBar_;
};

} // namespace

void giveMenuShortcutsPriority(QMenuBar* menuBar) {
    new MenuShortcutPriority(menuBar);
}

} // namespace zelvik
