#include "session/SourceExportCommand.h"

#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "font/ForceExtension.h"
#include "session/EditingSession.h"

namespace zelvik {

namespace {

void warn(EditingSession& session, const QString& message) {
    session.platform().messageBox(message, QString::fromUtf8(kGeneratingSourceCaption),
                                  MessageIcon::Warning, MessageButtons::Ok);
}

// The steps every writer takes before it writes: the refusals, the save
// dialog and the output names. A failure when the export stops here.
Result<ExportPaths> prepareExportFile(EditingSession& session, const ExportTargetInfo& target) {
    // The refusals come before any file dialog: there would be nothing to save.
    if (const Result<> refusal = checkExportable(session.font(), session.identifierField(), target);
        !refusal) {
        warn(session, refusal.message);
        return refusal;
    }
    FileDialogRequest request;
    request.filter = target.filterText();
    request.filterIndex = 1;
    request.initialFolder = session.folders.sourceFolder;
    const FileDialogAnswer answer = session.platform().saveFileDialog(request);
    if (!answer.accepted || answer.fileName.isEmpty())
        return Result<>::cancelled();
    const QString folder = folderOf(answer.fileName);
    if (!folder.isEmpty())
        session.folders.sourceFolder = folder;
    return target.pathsForChosenName(answer.fileName, answer.filterIndex);
}

} // namespace

Result<> exportSourceCommand(EditingSession& session) {
    const SourceExportChoices& choices = session.sourceExport();
    const std::optional<ExportTarget> chosen = choices.selectedTarget();
    if (!chosen)
        return Result<>::cancelled();
    const ExportTargetInfo& target = *choices.registry().find(*chosen);
    const ExportOptions options = choices.options(*chosen);
    const Result<ExportPaths> paths = prepareExportFile(session, target);
    if (!paths)
        return paths;
    // Generates in memory and writes atomically; the font takes the field's
    // text as its identifier when it had none, but only once the files exist.
    const Result<> written =
        exportFont(session.font(), session.identifierField(), target, options, *paths);
    if (!written)
        warn(session, written.message);
    return written;
}

std::optional<int> sourceExportFlashBytes(const EditingSession& session, ExportTarget target,
                                          const ExportOptions& options) {
    const ExportTargetInfo* info = session.sourceExport().registry().find(target);
    if (!info)
        return std::nullopt;
    GeneratedFiles files;
    const ExportPaths paths = info->pathsForOutput(QStringLiteral("font.c"));
    if (!generateExport(session.font(), session.identifierField(), *info, options, paths, files))
        return std::nullopt;
    return files.flashBytes;
}

} // namespace zelvik
