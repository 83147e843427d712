#pragma once

// A status bar of fixed-width text panels, addressed by number.

#include <QStatusBar>

#include <vector>

class QLabel;

namespace zelvik {

struct StatusPanel {
    int width;
    Qt::Alignment alignment;
    // The longest text the panel shows, when known: a panel grows beyond
    // `width` if the substituted font needs more room for it.
    QString widestText = {};
};

class PanelStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    PanelStatusBar(const std::vector<StatusPanel>& panels, QWidget* parent);

    int panelCount() const { return static_cast<int>(panels_.size()); }
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    QLabel* panel(int panel) const { return panels_.at(panel); }

private:
    std::vector<QLabel*> panels_;
};

} // namespace zelvik
