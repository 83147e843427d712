#include "font/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zelvik;

namespace {

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

RememberedFolders someFolders() {
    return {"/fonts/save/", "/fonts/open/", "/src/export/", "/pictures/", "/fonts/bdf/"};
}

} // namespace

TEST(SettingsFile, WithoutAFileEveryDialogStartsInTheHomeFolder) {
    QTemporaryDir startup;
    const SettingsFile settings(settingsFilePath(startup.path()));
    EXPECT_EQ(settings.path(), startup.filePath("config.ini"));

    const RememberedFolders folders = readRememberedFolders(settings);
    const QString home = QDir::homePath() + "/";
    EXPECT_EQ(folders.savePath, home);
    EXPECT_EQ(folders.openPath, home);
    EXPECT_EQ(folders.exportPath, home);
    EXPECT_EQ(folders.exportImagePath, home);
    EXPECT_EQ(folders.bdfPath, home);
    EXPECT_EQ(readHelpPath(settings, startup.path()), startup.path() + "/help/help_eng.html");
    EXPECT_FALSE(QFile::exists(settings.path())); // reading creates nothing
}

TEST(SettingsFile, FirstCloseWritesTheFiveFoldersAndNoHelpKey) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    ASSERT_TRUE(writeRememberedFolders(settings, someFolders()));
    EXPECT_EQ(readText(settings.path()), "[PATH]\n"
                                         "export_image_path=/pictures/\n"
                                         "save_path=/fonts/save/\n"
                                         "export_path=/src/export/\n"
                                         "open_path=/fonts/open/\n"
                                         "bdf_path=/fonts/bdf/\n");

    const RememberedFolders read = readRememberedFolders(settings);
    EXPECT_EQ(read.savePath, "/fonts/save/");
    EXPECT_EQ(read.openPath, "/fonts/open/");
    EXPECT_EQ(read.exportPath, "/src/export/");
    EXPECT_EQ(read.exportImagePath, "/pictures/");
    EXPECT_EQ(read.bdfPath, "/fonts/bdf/");
}

TEST(SettingsFile, HandEditedFileKeepsEverythingButTheFoldersWritten) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    writeText(settings.path(), "; my notes\r\n"
                               "[Other]\r\n"
                               "save_path=not ours\r\n"
                               "\r\n"
                               "[path]\r\n"
                               "Help=doc\\manual.html\r\n"
                               "SAVE_PATH = /old/ \r\n"
                               "\r\n"
                               "[Later]\r\n"
                               "x=1\r\n");
    EXPECT_EQ(settings.readString("PATH", "save_path", "-"), "/old/");
    EXPECT_EQ(settings.readString("other", "Save_Path", "-"), "not ours");
    EXPECT_EQ(readHelpPath(settings, startup.path()), startup.path() + "/doc/manual.html");

    ASSERT_TRUE(writeRememberedFolders(settings, someFolders()));
    EXPECT_EQ(readText(settings.path()), "; my notes\r\n"
                                         "[Other]\r\n"
                                         "save_path=not ours\r\n"
                                         "\r\n"
                                         "[path]\r\n"
                                         "Help=doc\\manual.html\r\n"
                                         "save_path=/fonts/save/\r\n"
                                         "export_image_path=/pictures/\r\n"
                                         "export_path=/src/export/\r\n"
                                         "open_path=/fonts/open/\r\n"
                                         "bdf_path=/fonts/bdf/\r\n"
                                         "\r\n"
                                         "[Later]\r\n"
                                         "x=1\r\n");
}

TEST(SettingsFile, ValuesAsUsersWriteThem) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    writeText(settings.path(), "[PATH]\n"
                               "open_path=\"/with spaces/\"\n"
                               "export_path=\n"
                               "save_path=/first/\n"
                               "save_path=/second/\n"
                               "help=/opt/zelvik/help.html\n"
                               "no equals sign\n");
    EXPECT_EQ(settings.readString("PATH", "open_path", "-"), "/with spaces/");
    EXPECT_EQ(settings.readString("PATH", "export_path", "-"), ""); // present, so no default
    EXPECT_EQ(settings.readString("PATH", "save_path", "-"), "/first/");
    EXPECT_EQ(settings.readString("PATH", "export_image_path", "-"), "-");
    EXPECT_EQ(settings.readString("NOPE", "save_path", "-"), "-");
    EXPECT_EQ(readHelpPath(settings, startup.path()), "/opt/zelvik/help.html");
}

// A folder name may hold a line break; written as it is, it would cut the
// entry in two and the second half could pose as a section of its own.
TEST(SettingsFile, LineBreakInAValueCannotBreakTheFile) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    ASSERT_TRUE(settings.writeString("PATH", "save_path", "/a\n[Evil]\nb/"));
    ASSERT_TRUE(settings.writeString("PATH", "open_path", "/o/"));
    EXPECT_EQ(readText(settings.path()), "[PATH]\nsave_path=/a[Evil]b/\nopen_path=/o/\n");
}

TEST(SettingsFile, FailedWriteNamesTheFileAndLeavesTheOldOne) {
    QTemporaryDir startup;
    SettingsFile missingFolder(startup.filePath("gone/config.ini"));
    const Result result = writeRememberedFolders(missingFolder, someFolders());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message, "Can't write settings file!\n" + startup.filePath("gone/config.ini"));

    // A settings file that is a folder cannot be replaced either.
    ASSERT_TRUE(QDir(startup.path()).mkdir("config.ini"));
    SettingsFile folder(settingsFilePath(startup.path()));
    EXPECT_FALSE(writeRememberedFolders(folder, someFolders()));
    EXPECT_EQ(readRememberedFolders(folder).savePath, homeFolder());
}

#ifdef Q_OS_UNIX
TEST(SettingsFile, ReadOnlyFolderIsReportedWhenTheUserCannotWriteThere) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    writeText(settings.path(), "[PATH]\nsave_path=/old/\n");
    const QByteArray folder = QFile::encodeName(startup.path());
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    if (access(folder.constData(), W_OK) == 0) {
        chmod(folder.constData(), 0755);
        GTEST_SKIP() << "this user may write into read-only folders (root)";
    }
    const Result result = writeRememberedFolders(settings, someFolders());
    chmod(folder.constData(), 0755);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.message.contains(settings.path()));
    EXPECT_EQ(readText(settings.path()), "[PATH]\nsave_path=/old/\n");
}
#endif
