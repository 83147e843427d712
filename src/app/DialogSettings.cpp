// The settings file: read once when the main window is built, written once
// when it closes. Nothing in between touches the file, so a folder chosen in
// a run that ends abnormally is not remembered.

#include "app/TForm1.h"
#include "font/SettingsFile.h"

namespace zelvik {

void TForm1::loadSettings() {
    settings_ = std::make_unique<SettingsFile>(settingsFilePath(startupFolder_));
    const RememberedFolders stored = readRememberedFolders(*settings_);
    folders.SaveDialog1 = stored.savePath;
    folders.SaveDialog2 = stored.exportPath;
    folders.SD3 = stored.exportImagePath;
    folders.OpenDialog1 = stored.openPath;
    folders.bdfPath = stored.bdfPath;
    helpFilePath = readHelpPath(*settings_, startupFolder_);
    // An unknown name (a later version's preset) stays in the file untouched.
    session_.sourceExport().chooseDisplay(readRememberedDisplay(*settings_).toStdString());
}

void TForm1::saveSettings() {
    if (!settings_)
        return; // already written by an earlier close
    const Result result =
        writeRememberedFolders(*settings_,
                               {folders.SaveDialog1, folders.OpenDialog1, folders.SaveDialog2,
                                folders.SD3, folders.bdfPath},
                               QString::fromStdString(session_.sourceExport().rememberedDisplay()));
    settings_.reset();
    // The folders are lost, but that is no reason to keep the user from leaving.
    if (!result)
        platform_.messageBox(result.message, QStringLiteral("Exit ..."), MessageIcon::Error,
                             MessageButtons::Ok);
}

} // namespace zelvik
