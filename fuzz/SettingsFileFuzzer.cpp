// libFuzzer target for config.ini. The input is a settings file as a user or
// another program may have left it, its first bytes also naming the folders
// to store. Storing them must leave a file that gives them back, and storing
// what it gives back must not change a byte: the editor saves its folders at
// every close, and a file must not drift from one close to the next.
#include "font/SettingsFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    check(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A folder as the dialogs hold one: absolute, ending in the separator, on one
// line.
QString folder(QByteArray name, char which) {
    name.replace('\r', "").replace('\n', "");
    return QLatin1Char('/') + QString::fromUtf8(name) + QLatin1Char('/') + QLatin1Char(which) +
           QLatin1Char('/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelvik;
    static QTemporaryDir dir(QDir("/dev/shm").exists()
                                 ? QStringLiteral("/dev/shm/zelvik-fuzz-XXXXXX")
                                 : QDir::tempPath() + "/zelvik-fuzz-XXXXXX");
    check(dir.isValid());
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nameLength =
        input.isEmpty() ? 0 : qMin(qsizetype(input[0] & 0x0F), input.size() - 1);
    const QByteArray name = input.mid(1, nameLength);
    const RememberedFolders folders{folder(name, 's'), folder(name, 'o'), folder(name, 'e'),
                                    folder(name, 'i'), folder(name, 'b')};

    SettingsFile settings(settingsFilePath(dir.path()));
    {
        QFile file(settings.path());
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(input) == input.size());
    }
    check(writeRememberedFolders(settings, folders).ok());
    const QByteArray first = contents(settings.path());

    const RememberedFolders back = readRememberedFolders(settings);
    check(back.savePath == folders.savePath && back.openPath == folders.openPath &&
          back.exportPath == folders.exportPath &&
          back.exportImagePath == folders.exportImagePath && back.bdfPath == folders.bdfPath);
    check(writeRememberedFolders(settings, back).ok());
    check(contents(settings.path()) == first);
    return 0;
}
