#include "session/BdfCommands.h"

#include "font/BdfFile.h"
#include "font/ForceExtension.h"
#include "session/EditingSession.h"

namespace zelvik {

namespace {

const QString kExportCaption = QStringLiteral("Exporting BDF font ...");

} // namespace

Result exportBdfFontCommand(EditingSession& session) {
    PlatformServices& platform = session.platform();
    const FileDialogAnswer chosen =
        platform.saveFileDialog({kBdfFilter, 1, session.folders.bdfPath, QString()});
    if (!chosen.accepted)
        return Result::cancelled();
    session.folders.bdfPath = folderOf(chosen.fileName);
    const QString path =
        chosen.filterIndex == 1 ? forceExtension(chosen.fileName, ".bdf") : chosen.fileName;
    const std::string identifier = session.identifierField().empty() ? session.font().fontIdentifier
                                                                     : session.identifierField();
    const Result written = exportBdfFile(path, session.font(), identifier);
    if (!written) {
        platform.messageBox(written.describe(), kExportCaption,
                            written.failure == Failure::Refused ? MessageIcon::Warning
                                                                : MessageIcon::Error,
                            MessageButtons::Ok);
    }
    return written;
}

} // namespace zelvik
