#pragma once

// A PlatformServices that records every request and answers from a script, so
// that tests can check each prompt sequence exactly: texts, captions, icons,
// buttons, and the order in which they came.

#include "session/PlatformServices.h"

#include <QDialog>

#include <deque>
#include <functional>
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

class ScriptedPlatform final : public PlatformServices {
public:
    // Answers, consumed in order. A request with no scripted answer fails the
    // test and is answered with Cancel / No / Ok, a cancelled dialog or no font.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<FileDialogAnswer> fileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::function<int(QDialog&)>> dialogAnswers;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedFileDialog> fileDialogs;
    std::vector<QFont> fontDialogs;
    std::vector<QString> dialogTitles;
    std::vector<QUrl> openedUrls;
    bool openResult = true;

    MessageAnswer messageBox(QWidget* parent, const QString& text, const QString& caption,
                             MessageIcon icon, MessageButtons buttons) override;
    FileDialogAnswer openFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    FileDialogAnswer saveFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QFont> fontDialog(QWidget* parent, const QFont& initial) override;
    int execDialog(QDialog& dialog) override;
    bool openWithDesktop(const QUrl& url) override;

    // Convenience for scripts.
    void answer(MessageAnswer a) { messageAnswers.push_back(a); }
    void chooseFile(const QString& path, int filterIndex = 1) {
        fileAnswers.push_back({true, path, filterIndex});
    }
    void cancelFileDialog() { fileAnswers.push_back({}); }
    void acceptDialog(std::function<void(QDialog&)> setUp = {});
    void rejectDialog();
    bool scriptUsedUp() const {
        return messageAnswers.empty() && fileAnswers.empty() && fontAnswers.empty() &&
               dialogAnswers.empty();
    }
};

} // namespace zelvik::test
