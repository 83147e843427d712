// The font commands: New, Open font, Save font and Exit. The session runs
// them with their questions about unsaved work; the version dialog is ours.

#include "app/TFFForm.h"
#include "app/TForm1.h"
#include "session/BdfCommands.h"
#include "session/ImportCommand.h"
#include "ui/PanelStatusBar.h"

#include <QRadioButton>

namespace zelvik {

bool TForm1::ConfirmUnsavedChanges(const UnsavedChangesPrompt& prompt) {
    return session_.confirmUnsavedChanges(prompt);
}

void TForm1::BtnNewClick() {
    session_.newFontCommand();
}

void TForm1::BtnLoadCharSetClick() {
    session_.openFontCommand();
}

void TForm1::BtnSaveCharSetClick() {
    session_.saveFontCommand();
}

void TForm1::MBtnImportBdfClick() {
    const QString summary = importFontCommand(session_);
    // Until the next change of the status bar, it says what the import took,
    // behind the file name and its mark.
    if (!summary.isEmpty())
        SB1->setPanelText(kPanelFile, fileStatusText() + QStringLiteral("  ") + summary);
}

void TForm1::MBtnExportBdfClick() {
    exportBdfFontCommand(session_);
}

void TForm1::MBtnExitClick() {
    close(); // the close query decides
}

void TForm1::FormCloseQuery(bool& canClose) {
    canClose = session_.queryClose();
    if (canClose)
        saveSettings();
}

Result TForm1::OpenFont() {
    return session_.openFont();
}

Result TForm1::SaveFont() {
    return session_.saveFont();
}

std::optional<FontFileVersion> TForm1::chooseFontFileVersion() {
    TFFForm& dialog = *dialogs.FFForm;
    dialog.RB1->setText(QStringLiteral("v1.0 - First version for older SW"));
    dialog.RB2->setText(QStringLiteral("v2.0 - New version for characters up to 32x32"));
    dialog.RB1->setChecked(true);
    if (platform_.execDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.RB1->isChecked() ? FontFileVersion::V1 : FontFileVersion::V2;
}

} // namespace zelvik
