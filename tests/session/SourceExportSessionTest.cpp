// "Generate source" without a window: the session's choices of target and
// packing, the export with its save dialog, and the files and messages it
// leaves, answered from a script.

#include "export/ExportChecks.h"
#include "export/ExportTestSupport.h"
#include "font/ForceExtension.h"
#include "session/EditingSession.h"
#include "session/SourceExportCommand.h"
#include "support/ScriptedServices.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

class SourceExportSession : public ::testing::Test {
protected:
    SourceExportSession() {
        // A font with no identifier yet: the field's text gives it one.
        session.font().fontIdentifier.clear();
        defineCharacter(session.font(), 'A', "A", 3, {{0, 0}, {2, 7}});
        defineCharacter(session.font(), '1', "one", 2, {{1, 3}});
        session.folders.sourceFolder = dir.path() + "/";
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    Scripted<PlatformServices> platform;
    EditingSession session{platform};
};

} // namespace

TEST_F(SourceExportSession, WritesTheChosenTargetWithThePackingOfItsOwnPage) {
    SourceExportChoices& choices = session.sourceExport();
    EXPECT_EQ(choices.selectedTarget(), ExportTarget::C51) << "the first item at the start";
    ASSERT_TRUE(choices.selectTarget(ExportTarget::Avr));
    PackingChoices& avr = choices.packing(ExportTarget::Avr);
    avr.vertical = false;
    avr.horizontalBoxes = {false, true, false, false, true};
    avr.verticalBoxes[3] = true;                       // the other orientation's boxes are not read
    choices.packing(ExportTarget::C).vertical = false; // nor another page
    session.setIdentifierField("lcd");
    platform.chooseFile(path("font"), 1);

    ASSERT_TRUE(exportSourceCommand(session));
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_EQ(platform.fileDialogs[0].request.filter, exportTarget(ExportTarget::Avr).filterText());
    EXPECT_EQ(platform.fileDialogs[0].request.initialFolder, dir.path() + "/");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(session.font().fontIdentifier, "lcd");
    ExportOptions options;
    options.vertical = false;
    options.bottomSideFirst = true;
    options.bigEndian = true;
    EXPECT_EQ(readFileBytes(path("font.asm")),
              generateFor(ExportTarget::Avr, session.font(), options).source);
    EXPECT_EQ(session.folders.sourceFolder, folderOf(path("font.asm")));
    EXPECT_EQ(sourceExportFlashBytes(session, ExportTarget::Avr, options),
              generateFor(ExportTarget::Avr, session.font(), options).flashBytes);
}

TEST_F(SourceExportSession, RefusalsAndFailedWritesAreShownAndACancelIsNot) {
    session.sourceExport().selectTarget(ExportTarget::C);
    EXPECT_EQ(exportSourceCommand(session).failure, Failure::Refused);
    EXPECT_TRUE(platform.fileDialogs.empty()) << "a refusal comes before the save dialog";
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QString::fromLatin1(kNoFontNameMessage.data()));
    EXPECT_EQ(platform.messages[0].caption, "Generating source ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);

    session.setIdentifierField("lcd");
    platform.cancelFileDialog();
    EXPECT_EQ(exportSourceCommand(session).failure, Failure::Cancelled);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(session.folders.sourceFolder, dir.path() + "/");

    platform.chooseFile(path("missing/font.c"), 1);
    EXPECT_EQ(exportSourceCommand(session).failure, Failure::CannotCreate);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.startsWith("Can't create source file!"));
    EXPECT_TRUE(session.font().fontIdentifier.empty()) << "nothing written, nothing taken";

    session.sourceExport().selectItem(-1);
    EXPECT_EQ(exportSourceCommand(session).failure, Failure::Cancelled);
    EXPECT_TRUE(platform.servicesUsedUp());
}

} // namespace zelvik::test
