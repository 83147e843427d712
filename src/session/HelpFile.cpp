#include "session/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace zelvik {

QString installedHelpFile(const QString& executableFolder) {
    return QDir::toNativeSeparators(QDir::cleanPath(
        QDir(executableFolder).filePath(QString::fromLatin1(kInstalledHelpRelative))));
}

static bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString helpFileToOpen(const QString& configuredPath, const QString& installedPath) {
    if (isFile(configuredPath))
        return configuredPath;
    if (isFile(installedPath))
        return installedPath;
    return {};
}

} // namespace zelvik
