#include "font/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include "font/PrivateTmpfs.h"
#endif

using namespace zelvik;
#ifdef Q_OS_LINUX
using namespace zelvik::test;
#endif

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

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(SettingsFile, LinesInAnotherCodePageSurviveByteForByte) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    // "; Písma" in Windows-1250, and another program's section in Latin-1.
    const QByteArray comment = "; P\xED\x9Ama";
    const QByteArray other = "[Ot\xE9r]\nn\xE1me=\xE9t\xE9";
    writeBytes(settings.path(), comment + "\n" + other + "\n[PATH]\nsave_path=/old/\n");
    ASSERT_TRUE(writeRememberedFolders(settings, someFolders()));
    const QByteArray written = readBytes(settings.path());
    EXPECT_TRUE(written.startsWith(comment + "\n" + other + "\n[PATH]\n")) << written.toStdString();
    EXPECT_EQ(readRememberedFolders(settings).savePath, "/fonts/save/");
}

TEST(SettingsFile, ALastLineEndingInTwoCarriageReturnsIsWrittenTheSameEverySave) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    writeBytes(settings.path(), "[PATH]\nnote=kept\r\r");
    ASSERT_TRUE(writeRememberedFolders(settings, someFolders()));
    const QByteArray first = readBytes(settings.path());
    ASSERT_TRUE(writeRememberedFolders(settings, someFolders()));
    EXPECT_EQ(readBytes(settings.path()), first);
    EXPECT_FALSE(first.contains('\r')) << first.toStdString();
}

TEST(SettingsFile, FailedWriteNamesTheFileAndLeavesTheOldOne) {
    QTemporaryDir startup;
    SettingsFile missingFolder(startup.filePath("gone/config.ini"));
    const Result<> result = writeRememberedFolders(missingFolder, someFolders());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message, "Can't write settings file!\n" + startup.filePath("gone/config.ini"));

    // A settings file that is a folder cannot be replaced either.
    ASSERT_TRUE(QDir(startup.path()).mkdir("config.ini"));
    SettingsFile folder(settingsFilePath(startup.path()));
    EXPECT_FALSE(writeRememberedFolders(folder, someFolders()));
    EXPECT_EQ(readRememberedFolders(folder).savePath, homeFolder());
}

#ifdef Q_OS_LINUX
TEST(SettingsFile, ReadOnlyFolderIsReportedWhenTheUserCannotWriteThere) {
    QTemporaryDir startup;
    SettingsFile settings(settingsFilePath(startup.path()));
    writeText(settings.path(), "[PATH]\nsave_path=/old/\n");
    const int status = runInReadOnlyFolder(startup.path(), [&settings] {
        const Result<> result = writeRememberedFolders(settings, someFolders());
        if (result.ok() || !result.message.contains(settings.path()))
            return 1;
        return readText(settings.path()) == "[PATH]\nsave_path=/old/\n" ? 0 : 2;
    });
    if (status == kCannotSetUp)
        ZELVIK_NO_NAMESPACE("a read-only folder for root");
    EXPECT_EQ(status, 0) << "failed check " << status;
}
#endif
