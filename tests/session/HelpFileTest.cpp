// Which manual F1 opens: the start-up folder's, else the one installed with
// the program, else none.

#include "session/HelpFile.h"
#include "font/SettingsFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// An installed program: PREFIX/bin/zelvik and PREFIX/share/zelvik/help/, plus a
// start-up folder elsewhere with its own config.ini.
class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.isValid());
        ASSERT_TRUE(startup.isValid());
        ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
        bin = prefix.filePath("bin");
    }

    QString installManual() {
        const QString path = prefix.filePath("share/zelvik/help/help_eng.html");
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        writeFileBytes(path, "<html></html>");
        return QDir::toNativeSeparators(path);
    }

    QString configuredPath() const {
        return readHelpPath(SettingsFile(settingsFilePath(startup.path())), startup.path());
    }

    QTemporaryDir prefix;
    QTemporaryDir startup;
    QString bin;
};

} // namespace

TEST_F(HelpFile, TheInstalledManualLiesUnderShareBesideBin) {
    EXPECT_EQ(installedHelpFile("/opt/zelvik/bin"),
              QDir::toNativeSeparators("/opt/zelvik/share/zelvik/help/help_eng.html"));
    EXPECT_EQ(installedHelpFile("/usr/bin/"),
              QDir::toNativeSeparators("/usr/share/zelvik/help/help_eng.html"));
}

TEST_F(HelpFile, TheStartUpFoldersFileWinsOverTheInstalledManual) {
    const QString installed = installManual();
    ASSERT_EQ(installedHelpFile(bin), installed);
    ASSERT_TRUE(QDir(startup.path()).mkpath("help"));
    writeFileBytes(startup.filePath("help/help_eng.html"), "<html>local</html>");

    EXPECT_EQ(helpFileToOpen(configuredPath(), installed), configuredPath());
}

TEST_F(HelpFile, WithoutAFileInTheStartUpFolderTheInstalledManualOpens) {
    const QString installed = installManual();
    EXPECT_EQ(helpFileToOpen(configuredPath(), installedHelpFile(bin)), installed);

    // Also when the settings file names another file that is not there.
    writeFileBytes(startup.filePath("config.ini"), "[PATH]\nhelp=doc\\manual.html\n");
    EXPECT_TRUE(configuredPath().endsWith(QDir::toNativeSeparators("doc/manual.html")));
    EXPECT_EQ(helpFileToOpen(configuredPath(), installed), installed);
    // An empty help value gives the start-up folder itself: a folder is no file.
    writeFileBytes(startup.filePath("config.ini"), "[PATH]\nhelp=\n");
    EXPECT_EQ(helpFileToOpen(configuredPath(), installed), installed);
    EXPECT_EQ(helpFileToOpen(QString(), installed), installed);
}

TEST_F(HelpFile, ABuildFolderHasNoManualBesideIt) {
    // Nothing installed: F1 must report the missing file, not open a folder.
    EXPECT_EQ(helpFileToOpen(configuredPath(), installedHelpFile(bin)), QString());
    ASSERT_TRUE(QDir(startup.path()).mkpath("help/help_eng.html"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/zelvik/help/help_eng.html"));
    EXPECT_EQ(helpFileToOpen(configuredPath(), installedHelpFile(bin)), QString());
    EXPECT_EQ(helpFileToOpen(QString(), QString()), QString());
}
