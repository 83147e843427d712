#pragma once

#include "session/PlatformServices.h"

namespace zelvik {

class QtPlatformServices final : public PlatformServices {
public:
    MessageAnswer messageBox(QWidget* parent, const QString& text, const QString& caption,
                             MessageIcon icon, MessageButtons buttons) override;
    FileDialogAnswer openFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    FileDialogAnswer saveFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QFont> fontDialog(QWidget* parent, const QFont& initial) override;
    int execDialog(QDialog& dialog) override;
    bool openWithDesktop(const QUrl& url) override;
};

} // namespace zelvik
