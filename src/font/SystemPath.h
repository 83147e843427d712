#pragma once

// File names as the system gives them. On Linux a name is any bytes, not
// always UTF-8, and Qt's own decoding turns the bytes it cannot read into
// U+FFFD, so "in\xff.fnt" would open a different file or none. Here every
// byte that is not part of valid UTF-8 becomes a lone surrogate U+DC80..U+DCFF
// and back again, so a name from the command line reaches the system exactly.
// Names that are valid UTF-8 decode as Qt decodes them.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string_view>

namespace zelvik {

QString pathFromSystem(std::string_view bytes);
QByteArray pathToSystem(const QString& path);

// Opens `path` for reading into `file`. Empty on success, else the system's
// reason.
QString openForReading(QFile& file, const QString& path);

bool systemFileExists(const QString& path);

// Whether both names lead to one existing file (the same device and inode:
// links and other spellings of one name included).
bool sameExistingFile(const QString& a, const QString& b);

} // namespace zelvik
