// The settings file: read once when the main window is built, written once
// when it closes. Nothing in between touches the file, so a folder chosen in
// a run that ends abnormally is not remembered.

#include "app/TForm1.h"
#include "font/SettingsFile.h"

namespace zelvik {

void TForm1::loadSettings() {
    settings_ = std::make_unique<SettingsFile>(settingsFilePath(startupFolder_));
    const RememberedFolders stored = readRememberedFolders(*settings_);
    folders.fontSaveFolder = stored.savePath;
    folders.sourceFolder = stored.exportPath;
    folders.pictureFolder = stored.exportImagePath;
    folders.fontOpenFolder = stored.openPath;
    folders.bdfFolder = stored.bdfPath;
    helpFilePath = readHelpPath(*settings_, startupFolder_);
    // An unknown name (a later version's preset) stays in the file untouched.
    session_.sourceExport().chooseDisplay(readRememberedDisplay(*settings_).toStdString());
}

void TForm1::saveSettings() {
    if (!settings_)
        return; // already written by an earlier close
    const Result<> result =
        writeRememberedFolders(*settings_,
                               {folders.fontSaveFolder, folders.fontOpenFolder,
                                folders.sourceFolder, folders.pictureFolder, folders.bdfFolder},
                               QString::fromStdString(session_.sourceExport().rememberedDisplay()));
    settings_.reset();
    // The folders are lost, but that is no reason to keep the user from leaving.
    if (!result)
        platform_.messageBox(result.message, QStringLiteral("Exit ..."), MessageIcon::Error,
                             MessageButtons::Ok);
}

} // namespace zelvik
