#pragma once

// Reading a file of bounded length. QIODevice::read(maxSize) reserves maxSize
// bytes before it reads, so a 64 MB limit cost a 128 MB mapping for every
// 1 MB font. A file that knows its size is asked for no more than it holds
// (and one byte more, to notice one that grew); pipes and files that report
// no size (some special file systems) are read up to the limit.

#include <QFile>

#include <algorithm>

namespace zelvik {

inline QByteArray readAtMost(QFile& file, qint64 limit) {
    const qint64 size = file.isSequential() ? 0 : file.size();
    const qint64 want = size > 0 ? std::min(limit, size - file.pos() + 1) : limit;
    return file.read(std::max<qint64>(want, 1));
}

} // namespace zelvik
