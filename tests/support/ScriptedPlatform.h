#pragma once

// The scripted desktop services of the windows: the session's questions plus
// our own modal dialogs, which a script accepts (after setting them up as a
// person would) or rejects.

#include "support/ScriptedServices.h"
#include "ui/WidgetPlatform.h"

#include <QDialog>

#include <functional>

namespace zelvik::test {

class ScriptedPlatform final : public Scripted<WidgetPlatform> {
public:
    std::deque<std::function<int(QDialog&)>> dialogAnswers;
    std::vector<QString> dialogTitles;

    int execDialog(QDialog& dialog) override;

    void acceptDialog(std::function<void(QDialog&)> setUp = {});
    void rejectDialog();
    bool scriptUsedUp() const { return servicesUsedUp() && dialogAnswers.empty(); }
};

} // namespace zelvik::test
