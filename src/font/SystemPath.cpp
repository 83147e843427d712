#include "font/SystemPath.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelvik {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // + a byte of 0x80..0xFF

// The length of the valid UTF-8 sequence at `i`, or 0.
std::size_t validSequence(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t min = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString pathFromSystem(std::string_view bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = validSequence(bytes, i);
        if (length == 0) {
            path.append(QChar(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        path.append(QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length)));
        i += length;
    }
    return path;
}

QByteArray pathToSystem(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0; // of the run of ordinary characters not yet encoded
    const auto flush = [&](qsizetype end) {
        bytes.append(QStringView(path).mid(start, end - start).toUtf8());
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path.at(i).unicode();
        const bool pairedLow = i > 0 && path.at(i - 1).isHighSurrogate();
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF && !pairedLow) {
            flush(i);
            bytes.append(static_cast<char>(c - kEscapeBase));
            start = i + 1;
        }
    }
    flush(path.size());
    return bytes;
}

QString openForReading(QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
    const int fd = ::open(pathToSystem(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return {};
#endif
}

bool systemFileExists(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    return ::stat(pathToSystem(path).constData(), &info) == 0;
#else
    return QFileInfo::exists(path);
#endif
}

bool sameExistingFile(const QString& a, const QString& b) {
#ifdef Q_OS_UNIX
    struct stat first {};
    struct stat second {};
    return ::stat(pathToSystem(a).constData(), &first) == 0 &&
           ::stat(pathToSystem(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
#else
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath().compare(second.canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace zelvik
