#pragma once

// Whole-file reads and writes for tests. gtest's ASSERTs need a void function,
// hence writeFileBytes returns nothing and fails the test itself.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zelvik::test {

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline void writeFileBytes(const QString& path, std::string_view bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

} // namespace zelvik::test
