#pragma once

// A mouse click on a list item runs the handler with its row, also for the
// item that is already current. The list never sees the press itself, so its
// highlight moves only where the handler puts it: a click whose selection the
// user declines leaves the highlight on the current item.

#include <QObject>

#include <functional>

class QListWidget;

namespace zelvik {

class ListClickFilter final : public QObject {
public:
    using Handler = std::function<void(int row)>;

    // Installs itself on the list's viewport and lives as the list's child.
    ListClickFilter(QListWidget* list, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list_;
    QObject* viewport_;
    Handler handler_;
};

} // namespace zelvik
