#pragma once

// config.ini in the start-up folder: the folders of the file dialogs,
// remembered between runs, and where the help file lies. It is an INI file a
// user may edit by hand, so section and key names match without regard to
// case and every line we do not own survives our writes.

#include "font/Result.h"

#include <QString>

#include <utility>
#include <vector>

namespace zelvik {

constexpr const char* kSettingsFileName = "config.ini";
constexpr const char* kPathSection = "PATH";
constexpr const char* kSavePathKey = "save_path";
constexpr const char* kOpenPathKey = "open_path";
constexpr const char* kExportPathKey = "export_path";
constexpr const char* kExportImagePathKey = "export_image_path";
constexpr const char* kBdfPathKey = "bdf_path";
// The export dialog's "Display:" choice, a zelvik-cli --display name.
constexpr const char* kExportDisplayKey = "export_display";
constexpr const char* kHelpKey = "help";
constexpr const char* kDefaultHelpPath = "help\\help_eng.html";

// One INI file. Every read and write goes to the file at once; nothing is
// cached, so a file edited while the program runs is seen as it is.
class SettingsFile {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The value of `key` in `section`, or `defaultValue` when the file, the
    // section or the key is missing. Surrounding blanks and one pair of
    // enclosing quotes are not part of the value. The first of repeated keys wins.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // Stores the values in `section` with one write of the file, creating the
    // file or the section when needed. A key already there keeps its line; a
    // new key goes after the section's last entry. The file is replaced only
    // once the new text is complete on disk; a failure (CannotCreate) carries
    // settingsWriteMessage(path()) and the system's reason.
    Result writeStrings(const QString& section,
                        const std::vector<std::pair<QString, QString>>& values);
    Result writeString(const QString& section, const QString& key, const QString& value);

private:
    QString path_;
};

// "Can't write settings file!" and the file's path on a second line.
QString settingsWriteMessage(const QString& path);

// The settings file of the program: config.ini in the start-up folder.
QString settingsFilePath(const QString& startupFolder);

// The user's home folder as a dialog holds a folder: native separators and a
// separator at the end.
QString homeFolder();

// The initial folders of the font save and open dialogs, the source export
// dialog, the charset image dialog and the BDF export dialog. Each as the
// dialog holds it: a folder ending in the separator.
struct RememberedFolders {
    QString savePath;
    QString openPath;
    QString exportPath;
    QString exportImagePath;
    QString bdfPath;
};

// At start-up: every folder the file lacks is the home folder.
RememberedFolders readRememberedFolders(const SettingsFile& settings);

// At start-up: the help file. The stored value (by default help\help_eng.html)
// is relative to the start-up folder; backslashes in it are separators. An
// absolute value is used as it is. Native separators.
QString readHelpPath(const SettingsFile& settings, const QString& startupFolder);

// At start-up: the display last chosen in the export dialog; empty when none was.
QString readRememberedDisplay(const SettingsFile& settings);

// At close: the five folders in one write, with the chosen display when there
// is one (a user who never chose one gets no key). The help key is never written.
Result writeRememberedFolders(SettingsFile& settings, const RememberedFolders& folders,
                              const QString& display = {});

} // namespace zelvik
