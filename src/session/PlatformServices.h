#pragma once

// Everything the workflows ask of the desktop: message boxes, file and font
// dialogs, modal dialogs of our own and opening a file or address with the
// desktop. The Qt implementation is thin; tests answer from a script.

#include <QFont>
#include <QString>
#include <QUrl>

#include <optional>

class QDialog;
class QWidget;

namespace zelvik {

enum class MessageIcon { Error, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
// Closing a box by its frame or Esc answers Cancel (Yes/No/Cancel), No (Yes/No) or Ok.
enum class MessageAnswer { Ok, Yes, No, Cancel };

// A file dialog as the workflows describe it. Filters use the "Text|pattern|Text|pattern"
// form; filterIndex counts from 1.
struct FileDialogRequest {
    QString filter;
    int filterIndex = 1;
    QString initialFolder;
    QString fileName;
};

struct FileDialogAnswer {
    bool accepted = false;
    QString fileName; // full path of the chosen file
    int filterIndex = 1;
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    virtual MessageAnswer messageBox(QWidget* parent, const QString& text, const QString& caption,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    virtual FileDialogAnswer openFileDialog(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer saveFileDialog(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QFont> fontDialog(QWidget* parent, const QFont& initial) = 0;
    // Shows one of our own dialogs modally; returns QDialog::Accepted or Rejected.
    virtual int execDialog(QDialog& dialog) = 0;
    virtual bool openWithDesktop(const QUrl& url) = 0;
};

// "Font files (*.fnt)|*.fnt|All files (*.*)|*.*" -> "Font files (*.fnt);;All files (*.*)".
QString qtFilterList(const QString& pipeFilter);
// The descriptions of a pipe filter, in order.
QStringList filterDescriptions(const QString& pipeFilter);

} // namespace zelvik
