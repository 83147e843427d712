// The font commands: New, Open font, Save font and Exit with their questions
// about unsaved work.

#include "app/TFFForm.h"
#include "app/TForm1.h"
#include "font/FontFile.h"
#include "font/ForceExtension.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace zelvik {

bool TForm1::ConfirmUnsavedChanges(const UnsavedChangesPrompt& prompt) {
    const auto stop = [&] {
        switch (prompt.onStop) {
        case StopAction::None:
            break;
        case StopAction::UpdateStatusBar:
            UpdateStatusBar();
            break;
        case StopAction::RefreshFontView:
            // Rebuilding the view reloads the current slot into the editor;
            // a character the user has not decided about stays as drawn.
            if (font_.characterModified)
                UpdateStatusBar();
            else
                RefreshFontView();
            break;
        }
        return false;
    };

    while (font_.fontModified) {
        const MessageAnswer answer =
            platform_.messageBox(this, prompt.fontQuestion, prompt.fontCaption,
                                 MessageIcon::Question, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::No) {
            font_.fontModified = false;
            continue;
        }
        if (answer != MessageAnswer::Yes)
            return stop();
        if (font_.characterModified) {
            const MessageAnswer saveCharacter =
                platform_.messageBox(this, kCharacterQuestion, prompt.characterCaption,
                                     MessageIcon::Question, MessageButtons::YesNo);
            if (saveCharacter == MessageAnswer::Yes) {
                if (SaveCharacter() != SaveCharacterOutcome::Success)
                    return stop();
                RefreshFontView();
                ListCharSet->setFocus();
            }
            font_.characterModified = false;
        }
        if (SaveFont() != SaveFontOutcome::Success)
            return stop();
        font_.fontModified = false;
    }
    return true;
}

void TForm1::BtnNewClick() {
    if (!ConfirmUnsavedChanges(kNewFontPrompt))
        return;
    font_.characterModified = false;
    resetFont(font_, working_);
    RefreshFontView();
    ShowXSize(working_.xSize);
    UpdateStatusBar();
}

void TForm1::BtnLoadCharSetClick() {
    if (!ConfirmUnsavedChanges(kOpenFontPrompt))
        return;
    if (OpenFont() == OpenFontOutcome::Done) {
        font_.characterModified = false;
        font_.currentIndex = 0;
    }
    RefreshFontView();
}

void TForm1::BtnSaveCharSetClick() {
    if (font_.characterModified) {
        const MessageAnswer answer =
            platform_.messageBox(this, kCharacterQuestion, QStringLiteral("Saving font ..."),
                                 MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            if (SaveCharacter() != SaveCharacterOutcome::Success) {
                UpdateStatusBar();
                return;
            }
            RefreshFontView();
            ListCharSet->setFocus();
        }
        // After No the drawing stays in the editor, no longer marked.
        font_.characterModified = false;
    }
    if (SaveFont() == SaveFontOutcome::Success)
        font_.fontModified = false;
    UpdateStatusBar();
}

void TForm1::MBtnExitClick() {
    close(); // the close query decides
}

void TForm1::FormCloseQuery(bool& canClose) {
    if (!ConfirmUnsavedChanges(kExitPrompt)) {
        canClose = false;
        return;
    }
    saveSettings();
    canClose = true;
}

OpenFontOutcome TForm1::OpenFont() {
    const QString caption = QStringLiteral("Opening font file ...");
    const FileDialogAnswer chosen =
        platform_.openFileDialog(this, {kFontOpenFilter, 1, folders.OpenDialog1, QString()});
    if (!chosen.accepted)
        return OpenFontOutcome::Done;
    // A file that is refused leaves the font exactly as it was.
    switch (readFontFile(chosen.fileName, font_).failure) {
    case Failure::None:
        break;
    case Failure::CannotOpen:
        platform_.messageBox(this, QString::fromLatin1(kCantOpenFontFileMessage), caption,
                             MessageIcon::Error, MessageButtons::Ok);
        font_.currentFileName.clear();
        return OpenFontOutcome::CannotOpen;
    case Failure::InvalidFormat:
    default: // the reader fails in no other way
        platform_.messageBox(this, QString::fromLatin1(kInvalidFontFileMessage), caption,
                             MessageIcon::Warning, MessageButtons::Ok);
        font_.currentFileName.clear();
        return OpenFontOutcome::InvalidFormat;
    }
    folders.OpenDialog1 = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();
    return OpenFontOutcome::Done;
}

SaveFontOutcome TForm1::SaveFont() {
    const QString caption = QStringLiteral("Saving font file ...");
    // The identifier is taken from the field, which may be newer than the font's.
    if (EditFontPrefix->text().isEmpty()) {
        platform_.messageBox(
            this, QStringLiteral("Can't save font file!\nThere is no name for this font!"), caption,
            MessageIcon::Error, MessageButtons::Ok);
        return SaveFontOutcome::NoIdentifier;
    }

    FontFileVersion version = FontFileVersion::V2;
    if (versionOneAllowed(font_)) {
        TFFForm& dialog = *dialogs.FFForm;
        dialog.RB1->setText(QStringLiteral("v1.0 - First version for older SW"));
        dialog.RB2->setText(QStringLiteral("v2.0 - New version for characters up to 32x32"));
        dialog.RB1->setChecked(true);
        if (platform_.execDialog(dialog) != QDialog::Accepted)
            return SaveFontOutcome::Cancelled;
        version = dialog.RB1->isChecked() ? FontFileVersion::V1 : FontFileVersion::V2;
    }

    const FileDialogAnswer chosen =
        platform_.saveFileDialog(this, {kFontSaveFilter, 1, folders.SaveDialog1, QString()});
    if (!chosen.accepted)
        return SaveFontOutcome::Cancelled;
    folders.SaveDialog1 = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();

    const QString path =
        chosen.filterIndex == 1 ? forceExtension(chosen.fileName, ".fnt") : chosen.fileName;
    // The old file, if any, is replaced only once the new one is complete.
    if (!writeFontFile(path, version, FontPrefixBytes(), working_.ySize, font_)) {
        platform_.messageBox(this, QString::fromLatin1(kCantCreateFontFileMessage), caption,
                             MessageIcon::Error, MessageButtons::Ok);
        font_.currentFileName.clear();
        return SaveFontOutcome::CannotCreate;
    }
    return SaveFontOutcome::Success;
}

} // namespace zelvik
