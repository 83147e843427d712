#pragma once

// The one way the program writes a file: the new contents go to a temporary
// file beside the target, which replaces the target only once every byte is
// written, synced and checked. A failed write leaves the old file byte for
// byte as it was and no temporary file behind, and says why in the system's
// words. Several files (a C source and its header) are all complete on disk
// before the first of them is put in place, so that only their renames lie
// between them; should a later rename fail, the earlier targets go back.

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

// Writes every file, then replaces the targets in order. The Result names the
// first file that failed (its failureMessage, Failure::CannotCreate) with the
// system's reason and, when a rollback failed too, what each file was left as.
Result<> replaceFiles(std::span<const FileContents> files);

Result<> replaceFile(const QString& path, const QByteArray& bytes, const QString& failureMessage);

} // namespace zelvik
