#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace zelvik::test {

MessageAnswer ScriptedPlatform::messageBox(QWidget*, const QString& text, const QString& caption,
                                           MessageIcon icon, MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (messageAnswers.empty()) {
        if (buttons != MessageButtons::Ok)
            ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    const MessageAnswer a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
}

FileDialogAnswer ScriptedPlatform::openFileDialog(QWidget*, const FileDialogRequest& request) {
    fileDialogs.push_back({false, request});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted open dialog";
        return {};
    }
    const FileDialogAnswer a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

FileDialogAnswer ScriptedPlatform::saveFileDialog(QWidget*, const FileDialogRequest& request) {
    fileDialogs.push_back({true, request});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted save dialog";
        return {};
    }
    const FileDialogAnswer a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::optional<QFont> ScriptedPlatform::fontDialog(QWidget*, const QFont& initial) {
    fontDialogs.push_back(initial);
    if (fontAnswers.empty()) {
        ADD_FAILURE() << "unscripted font dialog";
        return std::nullopt;
    }
    const auto a = fontAnswers.front();
    fontAnswers.pop_front();
    return a;
}

int ScriptedPlatform::execDialog(QDialog& dialog) {
    dialogTitles.push_back(dialog.windowTitle());
    if (dialogAnswers.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    const auto a = dialogAnswers.front();
    dialogAnswers.pop_front();
    return a(dialog);
}

bool ScriptedPlatform::openWithDesktop(const QUrl& url) {
    openedUrls.push_back(url);
    return openResult;
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
