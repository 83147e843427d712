#include "session/BdfCommands.h"

#include "font/BdfFile.h"
#include "font/ForceExtension.h"
#include "session/EditingSession.h"

namespace zelvik {

namespace {

const QString kImportCaption = QStringLiteral("Importing BDF font ...");
const QString kExportCaption = QStringLiteral("Exporting BDF font ...");

} // namespace

QString importBdfFontCommand(EditingSession& session) {
    if (!session.confirmUnsavedChanges(kOpenFontPrompt))
        return {};
    PlatformServices& platform = session.platform();
    const FileDialogAnswer chosen =
        platform.openFileDialog({kBdfFilter, 1, session.folders.bdfFolder, QString()});
    if (!chosen.accepted) {
        session.keepUnsavedMark();
        return {};
    }
    session.folders.bdfFolder = folderOf(chosen.fileName);
    // A refused file leaves the font as it was.
    const Result<BdfImport> read = importBdfFile(chosen.fileName);
    if (!read) {
        platform.messageBox(read.describe(), kImportCaption,
                            read.failure == Failure::CannotOpen ? MessageIcon::Error
                                                                : MessageIcon::Warning,
                            MessageButtons::Ok);
        session.keepUnsavedMark();
        return {};
    }
    session.replaceFontAsOneStep(QStringLiteral("Import BDF font"), [&] {
        FontModel& font = session.font();
        font = *read->font;
        font.currentFileName.clear();
        font.currentIndex = 0;
        font.characterModified = false;
        font.fontModified = true;
        session.refreshFontView();
    });
    return bdfImportSummary(read->counts);
}

Result<> exportBdfFontCommand(EditingSession& session) {
    PlatformServices& platform = session.platform();
    const FileDialogAnswer chosen =
        platform.saveFileDialog({kBdfFilter, 1, session.folders.bdfFolder, QString()});
    if (!chosen.accepted)
        return Result<>::cancelled();
    session.folders.bdfFolder = folderOf(chosen.fileName);
    const QString path =
        chosen.filterIndex == 1 ? forceExtension(chosen.fileName, ".bdf") : chosen.fileName;
    const std::string identifier = session.identifierField().empty() ? session.font().fontIdentifier
                                                                     : session.identifierField();
    const Result<> written = exportBdfFile(path, session.font(), identifier);
    if (!written) {
        platform.messageBox(written.describe(), kExportCaption,
                            written.failure == Failure::Refused ? MessageIcon::Warning
                                                                : MessageIcon::Error,
                            MessageButtons::Ok);
    }
    return written;
}

} // namespace zelvik
