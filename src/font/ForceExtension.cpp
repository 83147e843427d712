#include "font/ForceExtension.h"

#include <QDir>

namespace zelvik {

namespace {

qsizetype nameStart(const QString& path) {
    qsizetype last = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    last = std::max(last, path.lastIndexOf(u'\\'));
#endif
    return last + 1;
}

} // namespace

QString forceExtension(const QString& fileName, const QString& extension) {
    const qsizetype start = nameStart(fileName);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot >= start ? fileName.left(dot) : fileName;
    return stem + extension;
}

QString folderOf(const QString& path) {
    return path.left(nameStart(path));
}

QString namePartOf(const QString& path) {
    return path.mid(nameStart(path));
}

} // namespace zelvik
