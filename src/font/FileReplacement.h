#pragma once

// The one way the program writes a file: the new contents go to a temporary
// file beside the target, which replaces the target only once every byte is on
// disk (QSaveFile). A failed write leaves the old file as it was and no
// temporary file behind. Several files (a C source and its header) change
// together or not at all.

#include "font/Result.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace zelvik {

struct FileContents {
    QString path;
    QByteArray bytes;
    QString failureMessage; // the message of the Result when this file fails
};

// Writes every file, then replaces the targets in order. Should a later
// replacement fail, the earlier targets are put back as they were. The Result
// names the first file that failed (its failureMessage, Failure::CannotCreate)
// with the system's reason.
Result replaceFiles(std::span<const FileContents> files);

Result replaceFile(const QString& path, const QByteArray& bytes, const QString& failureMessage);

} // namespace zelvik
