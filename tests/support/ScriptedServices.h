#pragma once

// Desktop services that record every request and answer from a script, so
// that tests can check each prompt sequence exactly: texts, captions, icons,
// buttons, and the order in which they came. `Scripted<PlatformServices>`
// serves the session alone; ScriptedPlatform adds our own dialogs for the
// windows.

#include "session/PlatformServices.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace zelvik::test {

struct RecordedMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    MessageButtons buttons;
};

struct RecordedFileDialog {
    bool save = false;
    FileDialogRequest request;
};

template <class Base> class Scripted : public Base {
public:
    // Answers, consumed in order. A request with no scripted answer fails the
    // test and is answered with Cancel / No / Ok, a cancelled dialog or no font.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<FileDialogAnswer> fileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedFileDialog> fileDialogs;
    std::vector<QFont> fontDialogs;
    std::vector<QUrl> openedUrls;
    bool openResult = true;

    MessageAnswer messageBox(const QString& text, const QString& caption, MessageIcon icon,
                             MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (messageAnswers.empty()) {
            if (buttons != MessageButtons::Ok)
                ADD_FAILURE() << "unscripted question: " << text.toStdString();
            return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
                   : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                      : MessageAnswer::Cancel;
        }
        return take(messageAnswers);
    }
    FileDialogAnswer openFileDialog(const FileDialogRequest& request) override {
        return fileDialog(false, request);
    }
    FileDialogAnswer saveFileDialog(const FileDialogRequest& request) override {
        return fileDialog(true, request);
    }
    std::optional<QFont> fontDialog(const QFont& initial) override {
        fontDialogs.push_back(initial);
        if (fontAnswers.empty()) {
            ADD_FAILURE() << "unscripted font dialog";
            return std::nullopt;
        }
        return take(fontAnswers);
    }
    bool openWithDesktop(const QUrl& url) override {
        openedUrls.push_back(url);
        return openResult;
    }

    // Convenience for scripts.
    void answer(MessageAnswer a) { messageAnswers.push_back(a); }
    void chooseFile(const QString& path, int filterIndex = 1) {
        fileAnswers.push_back({true, path, filterIndex});
    }
    void cancelFileDialog() { fileAnswers.push_back({}); }
    bool servicesUsedUp() const {
        return messageAnswers.empty() && fileAnswers.empty() && fontAnswers.empty();
    }

protected:
    template <class T> static T take(std::deque<T>& answers) {
        T a = answers.front();
        answers.pop_front();
        return a;
    }

private:
    FileDialogAnswer fileDialog(bool save, const FileDialogRequest& request) {
        fileDialogs.push_back({save, request});
        if (fileAnswers.empty()) {
            ADD_FAILURE() << "unscripted " << (save ? "save" : "open") << " dialog";
            return {};
        }
        return take(fileAnswers);
    }
};

} // namespace zelvik::test
