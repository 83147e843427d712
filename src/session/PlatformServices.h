#pragma once

// Everything the workflows ask of the desktop: message boxes, file and font
// dialogs and opening a file or address with the desktop. No widget appears
// here, so the editing session runs its questions without a window; the Qt
// implementation (ui/QtPlatformServices) puts every box over the window in
// front, and tests answer from a script.

#include <QFont>
#include <QString>
#include <QUrl>

#include <optional>

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

    virtual MessageAnswer messageBox(const QString& text, const QString& caption, MessageIcon icon,
                                     MessageButtons buttons) = 0;
    virtual FileDialogAnswer openFileDialog(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer saveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<QFont> fontDialog(const QFont& initial) = 0;
    virtual bool openWithDesktop(const QUrl& url) = 0;
};

} // namespace zelvik
