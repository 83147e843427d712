#pragma once

// A one-line field claims some keys for its own editing before the menu sees
// them: QLineEdit takes Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z for the undo of its
// own typing. The filter gives the shortcuts of the menu items it was made
// for back to those items, so that they work while a field has the focus.
// When such an item is disabled the key reaches the field as before.

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace zelvik {

class MenuShortcutFilter final : public QObject {
public:
    MenuShortcutFilter(QList<QAction*> actions, QObject* parent);

    // The item shortcuts win in `field` from now on.
    void watch(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> actions_;
};

} // namespace zelvik
