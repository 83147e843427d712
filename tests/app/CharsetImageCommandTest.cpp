// Generate > "Generate charset image" from the main window: the save dialog,
// the file name, the remembered folder and the file it leaves.

#include "preview/CharsetImage.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class CharsetImageCommand : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
        form().folders.pictureFolder = folder;
    }
    void generate() { form().Generatecharsetimage1->trigger(); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    // The picture of the font as it is now, as the core writes it.
    std::string expectedFile() {
        const QString path = dir.filePath("expected.tmp");
        EXPECT_TRUE(writeCharsetImage(font(), path).ok());
        const std::string bytes = readFileBytes(path);
        QFile::remove(path);
        return bytes;
    }
    void saveCharacter(int code, const char* name, std::initializer_list<QPoint> cells) {
        clickListItem(code);
        for (QPoint c : cells)
            clickCell(c.x(), c.y());
        auto* field = control<QLineEdit>("EditCharName");
        clearField(field);
        type(field, name);
        QTest::mouseClick(control<QPushButton>("BtnSaveChar"), Qt::LeftButton);
    }

    QTemporaryDir dir;
    QString folder;
};

} // namespace

TEST_F(CharsetImageCommand, CancelInTheSaveDialogWritesNothing) {
    platform.cancelFileDialog();
    generate();
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    const RecordedFileDialog& asked = platform.fileDialogs.front();
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.request.filter, "Bitmap picture 1bit/pixel  (*.bmp)|*.bmp");
    EXPECT_EQ(asked.request.filterIndex, 1);
    EXPECT_EQ(asked.request.initialFolder, folder);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form().folders.pictureFolder, folder);
}

TEST_F(CharsetImageCommand, WritesTheStoredCharactersUnderABmpName) {
    saveCharacter('A', "UA", {{0, 0}});
    const std::string saved = expectedFile();
    // Unsaved drawing is not in the picture, and nothing of the font changes.
    clickCell(5, 5);
    ASSERT_TRUE(font().characterModified);
    font().fontModified = false;
    const std::string untouched = font().slots['A'].name;

    QTemporaryDir other;
    const QString otherFolder = QDir::toNativeSeparators(other.path()) + QDir::separator();
    platform.chooseFile(otherFolder + "chars.png");
    generate();
    EXPECT_EQ(form().folders.pictureFolder, otherFolder);
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList{"chars.bmp"});
    const std::string written = readFileBytes(otherFolder + "chars.bmp");
    EXPECT_EQ(written.size(), 51262u);
    EXPECT_TRUE(written == saved) << "not the picture of the stored characters";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(font().characterModified);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(font().slots['A'].name, untouched);

    // The next dialog starts in the folder chosen last; other names.
    platform.chooseFile(folder + "my.font.x");
    platform.chooseFile(folder + "chars");
    generate();
    EXPECT_EQ(platform.fileDialogs.back().request.initialFolder, otherFolder);
    generate();
    EXPECT_EQ(files(), (QStringList{"chars.bmp", "my.font.bmp"}));
    // An existing file is replaced without a question.
    writeFileBytes(folder + "chars.bmp", "old");
    platform.chooseFile(folder + "chars.bmp");
    generate();
    EXPECT_TRUE(readFileBytes(folder + "chars.bmp") == saved);
}

TEST_F(CharsetImageCommand, TheCommandLineWritesTheSamePicture) {
    saveCharacter('A', "UA", {{0, 0}, {7, 15}});
    saveCharacter(0xFF, "last", {{3, 3}});
    const QString fontPath = dir.filePath("font.fnt");
    form().EditFontPrefix->setText("fnt");
    platform.chooseFile(fontPath);
    // Version 1.0 can hold the font: the version dialog.
    platform.acceptDialog();
    QTest::mouseClick(control<QPushButton>("BtnSaveCharSet"), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(fontPath));

    platform.chooseFile(folder + "editor.bmp");
    generate();
    QProcess cli;
    cli.start(QStringLiteral(ZELVIK_CLI_PATH), {"image", fontPath, "-o", folder + "cli"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(readFileBytes(folder + "cli.bmp") == readFileBytes(folder + "editor.bmp"));
}

TEST_F(CharsetImageCommand, AFileThatCannotBeWrittenIsReportedByNameAndLeavesNothing) {
    const QString missing = folder + "missing" + QDir::separator();
    platform.chooseFile(missing + "chars.bmp");
    generate();
    ASSERT_EQ(platform.messages.size(), 1u);
    const RecordedMessage& box = platform.messages.front();
    EXPECT_EQ(box.caption, "Generating charset image ...");
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(box.text.contains(missing + "chars.bmp")) << box.text.toStdString();
    // The system's reason follows the message on a line of its own.
    const QStringList lines = box.text.split('\n');
    ASSERT_EQ(lines.size(), 3) << box.text.toStdString();
    EXPECT_FALSE(lines[2].isEmpty());
    // The folder is remembered all the same; nothing is left behind.
    EXPECT_EQ(form().folders.pictureFolder, missing);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
