#pragma once

#include "ui/WidgetPlatform.h"

#include <QStringList>

namespace zelvik {

// Every box and dialog is modal over the window in front: the dialog being
// shown, or else the main window.
class QtPlatformServices final : public WidgetPlatform {
public:
    MessageAnswer messageBox(const QString& text, const QString& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    FileDialogAnswer openFileDialog(const FileDialogRequest& request) override;
    FileDialogAnswer saveFileDialog(const FileDialogRequest& request) override;
    std::optional<QFont> fontDialog(const QFont& initial) override;
    int execDialog(QDialog& dialog) override;
    bool openWithDesktop(const QUrl& url) override;
};

// "Font files (*.fnt)|*.fnt|All files (*.*)|*.*" -> "Font files (*.fnt);;All files (*.*)".
QString qtFilterList(const QString& pipeFilter);
// The descriptions of a pipe filter, in order.
QStringList filterDescriptions(const QString& pipeFilter);

} // namespace zelvik
