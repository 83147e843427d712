// config.ini in the start-up folder: read when the main window is built,
// written when it closes, and a close that goes ahead even when the file
// cannot be written.

#include "font/SettingsFile.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include <QDir>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class DialogSettings : public AppFixture {
protected:
    QString configPath() const { return startupDir.filePath("config.ini"); }

    // Builds the windows again, as a new start in the same folder would.
    void restart() {
        windows = AppWindows();
        windows = createAppWindows(platform, startupDir.path());
        showMainWindow();
    }
};

// HOME for one test: the home folder is where dialogs start without settings.
class ScopedHome {
public:
    explicit ScopedHome(const QString& home) : old_(qgetenv("HOME")) {
        qputenv("HOME", home.toLocal8Bit());
    }
    ~ScopedHome() { qputenv("HOME", old_); }

private:
    QByteArray old_;
};

} // namespace

TEST_F(DialogSettings, WithoutSettingsTheDialogsStartAtHomeAndCloseWritesTheFolders) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedHome scopedHome(home.path());
    restart();
    const QString expected = QDir::toNativeSeparators(home.path()) + QDir::separator();
    EXPECT_EQ(form().folders.SaveDialog1, expected);
    EXPECT_EQ(form().folders.OpenDialog1, expected);
    EXPECT_EQ(form().folders.SaveDialog2, expected);
    EXPECT_EQ(form().folders.SD3, expected);
    EXPECT_EQ(form().folders.bdfPath, expected);
    EXPECT_EQ(form().helpFilePath,
              QDir::toNativeSeparators(startupDir.path() + "/help/help_eng.html"));
    EXPECT_FALSE(QFile::exists(configPath())) << "reading creates nothing";

    form().folders.SaveDialog2 = "/src/out/";
    ASSERT_TRUE(form().close());
    const QString text = QString::fromStdString(readFileBytes(configPath()));
    EXPECT_TRUE(text.startsWith("[PATH]")) << text.toStdString();
    const SettingsFile written(configPath());
    EXPECT_EQ(written.readString("PATH", "save_path", "-"), expected);
    EXPECT_EQ(written.readString("PATH", "open_path", "-"), expected);
    EXPECT_EQ(written.readString("PATH", "export_path", "-"), "/src/out/");
    EXPECT_EQ(written.readString("PATH", "export_image_path", "-"), expected);
    EXPECT_EQ(written.readString("PATH", "bdf_path", "-"), expected);
    EXPECT_EQ(written.readString("PATH", "help", "-"), "-") << "help is never written";
    EXPECT_EQ(written.readString("PATH", "export_display", "-"), "-") << "no display was chosen";
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DialogSettings, StoredFoldersAndHelpPathAreReadAtStartUp) {
    writeFileBytes(configPath(), "[path]\r\n"
                                 "SAVE_PATH=/fonts/save/\r\n"
                                 "open_path=/fonts/open/\r\n"
                                 "Export_Path=/src/\r\n"
                                 "export_image_path=/pictures/\r\n"
                                 "bdf_path=/fonts/bdf/\r\n"
                                 "help=doc\\manual.html\r\n");
    restart();
    EXPECT_EQ(form().folders.SaveDialog1, "/fonts/save/");
    EXPECT_EQ(form().folders.OpenDialog1, "/fonts/open/");
    EXPECT_EQ(form().folders.SaveDialog2, "/src/");
    EXPECT_EQ(form().folders.SD3, "/pictures/");
    EXPECT_EQ(form().folders.bdfPath, "/fonts/bdf/");
    EXPECT_EQ(form().helpFilePath,
              QDir::toNativeSeparators(startupDir.path() + "/doc/manual.html"));

    platform.cancelFileDialog();
    form().BtnLoadCharSetClick();
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_EQ(platform.fileDialogs[0].request.initialFolder, "/fonts/open/");

    // The user's help line survives the closing write, and so do the folders.
    ASSERT_TRUE(form().close());
    EXPECT_EQ(SettingsFile(configPath()).readString("PATH", "help", "-"), "doc\\manual.html");
    EXPECT_EQ(SettingsFile(configPath()).readString("PATH", "bdf_path", "-"), "/fonts/bdf/");
}

TEST_F(DialogSettings, ChosenDisplayIsRememberedForTheNextStart) {
    ASSERT_TRUE(form().session().sourceExport().chooseDisplay("st7920"));
    ASSERT_TRUE(form().close());
    EXPECT_EQ(SettingsFile(configPath()).readString("PATH", "export_display", "-"), "st7920");
    restart();
    const SourceExportChoices& choices = form().session().sourceExport();
    EXPECT_EQ(choices.options(ExportTarget::Avr), displayPresetNamed("st7920")->options);
    EXPECT_EQ(choices.shownDisplay()->cliName, "st7920");

    // A page changed by hand is no longer that display.
    form().session().sourceExport().packing(ExportTarget::C).horizontalBoxes[2] = false;
    ASSERT_TRUE(form().close());
    EXPECT_EQ(SettingsFile(configPath()).readString("PATH", "export_display", "-"), "custom");
}

TEST_F(DialogSettings, UnwritableSettingsAreReportedAndTheProgramStillCloses) {
    // A folder where the file should be: no one, not even root, can write it.
    ASSERT_TRUE(QDir(startupDir.path()).mkdir("config.ini"));
    restart();
    EXPECT_TRUE(form().close());
    EXPECT_FALSE(form().isVisible());
    ASSERT_EQ(platform.messages.size(), 1u);
    const RecordedMessage& m = platform.messages[0];
    EXPECT_TRUE(m.text.contains(QDir::toNativeSeparators(configPath()))) << m.text.toStdString();
    EXPECT_EQ(m.caption, "Exit ...");
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
}
