#include "support/ScriptedPlatform.h"

namespace zelvik::test {

int ScriptedPlatform::execDialog(QDialog& dialog) {
    dialogTitles.push_back(dialog.windowTitle());
    if (dialogAnswers.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    return take(dialogAnswers)(dialog);
}

void ScriptedPlatform::acceptDialog(std::function<void(QDialog&)> setUp) {
    dialogAnswers.push_back([setUp](QDialog& d) {
        if (setUp)
            setUp(d);
        return int(QDialog::Accepted);
    });
}

void ScriptedPlatform::rejectDialog() {
    dialogAnswers.push_back([](QDialog&) { return int(QDialog::Rejected); });
}

} // namespace zelvik::test
