// "Generate source": the export settings dialog and the writer it chooses.
// The writers read the stored slots only, so no question about unsaved edits
// of the working character is asked: those edits are simply not exported.

#include "app/TForm1.h"
#include "export/ExportChecks.h"
#include "export/ExportFiles.h"
#include "export/ui/TFormE.h"
#include "font/ForceExtension.h"

namespace zelvik {

namespace {

void warn(TForm1& form, const QString& message) {
    form.platform().messageBox(message, QString::fromUtf8(kGeneratingSourceCaption),
                               MessageIcon::Warning, MessageButtons::Ok);
}

// The steps every writer takes before it writes: the refusals, the save
// dialog and the output names. Nothing when the export stops here.
std::optional<ExportPaths> PrepareExportFile(TForm1& form, ExportTarget target) {
    // The refusals come before any file dialog: there would be nothing to save.
    if (const Result refusal = checkExportable(form.fontModel(), form.FontPrefixBytes(), target);
        !refusal) {
        warn(form, refusal.message);
        return std::nullopt;
    }
    FileDialogRequest request;
    request.filter = exportTarget(target).filterText();
    request.filterIndex = 1;
    request.initialFolder = form.folders.SaveDialog2;
    const FileDialogAnswer answer = form.platform().saveFileDialog(request);
    if (!answer.accepted || answer.fileName.isEmpty())
        return std::nullopt;
    const QString folder = folderOf(answer.fileName);
    if (!folder.isEmpty())
        form.folders.SaveDialog2 = folder;
    return exportTarget(target).pathsForChosenName(answer.fileName, answer.filterIndex);
}

} // namespace

void TForm1::BtnGenSourceClick() {
    TFormE* dialog = dialogs.FormE;
    if (!dialog || platform().execDialog(*dialog) != QDialog::Accepted)
        return;
    const std::optional<ExportTarget> target = dialog->selectedTarget();
    if (!target)
        return;
    const ExportOptions options =
        dialog->ReadExportOptions(*target, dialog->verticalChosen(*target));
    const std::optional<ExportPaths> paths = PrepareExportFile(*this, *target);
    if (!paths)
        return;
    // Generates in memory and writes atomically; the font takes the field's
    // text as its identifier when it had none, but only once the files exist.
    if (const Result written = exportFont(fontModel(), FontPrefixBytes(), *target, options, *paths);
        !written)
        warn(*this, written.message);
}

} // namespace zelvik
