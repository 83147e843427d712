// Saving a font or the settings onto a device that fills up, or that is
// mounted read-only, must fail cleanly and leave the previous file whole. Each case runs in a child
// process that mounts a small private tmpfs in its own namespaces, so nothing outside it is
// touched.
#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "font/PrivateTmpfs.h"
#include "font/SettingsFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using namespace zelvik;
using namespace zelvik::test;

namespace {

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(FontFileWriter, FullDeviceLeavesTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 48 * 1024, [&folder] {
        const QString path = folder + "/font.fnt";
        const FontModel font = sampleFont();
        // Version 1.0 (33436 bytes) fits; version 2.0 (263708 bytes) cannot.
        if (!writeFontFile(path, FontFileVersion::V1, "old", 16, font))
            return 1;
        const std::string old = readFileBytes(path);
        const Result<> full = writeFontFile(path, FontFileVersion::V2, "new", 16, font);
        if (full.failure != Failure::CannotCreate)
            return 2;
        if (full.reason.isEmpty())
            return 3;
        if (readFileBytes(path) != old)
            return 4;
        if (writeFontFile(folder + "/other.fnt", FontFileVersion::V2, "new", 16, font).failure !=
            Failure::CannotCreate)
            return 5;
        if (filesIn(folder) != QStringList{"font.fnt"})
            return 6;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private tmpfs here (no user namespaces)";
    EXPECT_EQ(status, 0) << "failed check " << status;
}

TEST(FontFileWriter, ReadOnlyFileSystemLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 1024 * 1024, [&folder] {
        const QString path = folder + "/font.fnt";
        if (!writeFontFile(path, FontFileVersion::V1, "old", 16, newFont()))
            return 1;
        const std::string old = readFileBytes(path);
        if (mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                  nullptr) != 0)
            return kCannotSetUp;
        if (writeFontFile(path, FontFileVersion::V2, "new", 16, sampleFont()).failure !=
            Failure::CannotCreate)
            return 2;
        if (readFileBytes(path) != old || filesIn(folder) != QStringList{"font.fnt"})
            return 3;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private read-only tmpfs here";
    EXPECT_EQ(status, 0) << "failed check " << status;
}

TEST(SettingsFile, ReadOnlyFileSystemIsReportedAndTheOldFileKept) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 64 * 1024, [&folder] {
        SettingsFile settings(settingsFilePath(folder));
        if (!settings.writeString("PATH", "save_path", "/old/"))
            return 1;
        if (!remountReadOnly(folder))
            return kCannotSetUp;
        const Result<> result =
            writeRememberedFolders(settings, {"/s/", "/o/", "/e/", "/i/", "/b/"});
        if (result || !result.message.contains(settings.path()))
            return 2;
        if (readFileBytes(settings.path()) != "[PATH]\nsave_path=/old/\n")
            return 3;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private read-only tmpfs here";
    EXPECT_EQ(status, 0) << "failed check " << status;
}
