#include "ui/PanelStatusBar.h"

#include <QLabel>

#include <algorithm>

namespace zelvik {

PanelStatusBar::PanelStatusBar(const std::vector<StatusPanel>& panels, QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (const StatusPanel& p : panels) {
        auto* label = new QLabel(this);
        label->setAlignment(p.alignment | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const int needed = p.widestText.isEmpty()
                               ? 0
                               : label->fontMetrics().horizontalAdvance(p.widestText) +
                                     2 * label->frameWidth() + 4;
        label->setFixedWidth(std::max(p.width, needed));
        label->setTextFormat(Qt::PlainText);
        addWidget(label);
        panels_.push_back(label);
    }
}

QString PanelStatusBar::panelText(int panel) const {
    return panels_.at(panel)->text();
}

void PanelStatusBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel)->setText(text);
}

} // namespace zelvik
