#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace zelvik {

namespace {

QWidget* frontWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (w->isVisible() && w->inherits("QMainWindow"))
            return w;
    }
    return nullptr;
}

} // namespace

QStringList filterDescriptions(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList descriptions;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        descriptions << parts[i];
    return descriptions;
}

QString qtFilterList(const QString& pipeFilter) {
    return filterDescriptions(pipeFilter).join(";;");
}

MessageAnswer QtPlatformServices::messageBox(const QString& text, const QString& caption,
                                             MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(frontWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    const int pressed = box.exec();
    switch (pressed) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

static FileDialogAnswer runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The workflows ask no question before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = filterDescriptions(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDirectory(request.initialFolder.isEmpty() ? QDir::homePath() : request.initialFolder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    FileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return answer;
    answer.accepted = true;
    answer.fileName = QDir::toNativeSeparators(dialog.selectedFiles().first());
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = 1;
    return answer;
}

FileDialogAnswer QtPlatformServices::openFileDialog(const FileDialogRequest& request) {
    return runFileDialog(frontWindow(), request, QFileDialog::AcceptOpen);
}

FileDialogAnswer QtPlatformServices::saveFileDialog(const FileDialogRequest& request) {
    return runFileDialog(frontWindow(), request, QFileDialog::AcceptSave);
}

std::optional<QFont> QtPlatformServices::fontDialog(const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, frontWindow());
    if (!ok)
        return std::nullopt;
    return font;
}

int QtPlatformServices::execDialog(QDialog& dialog) {
    return dialog.exec();
}

bool QtPlatformServices::openWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace zelvik
