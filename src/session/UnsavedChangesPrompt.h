#pragma once

// The questions a command asks before it replaces or closes a font with
// unsaved work, and the file filters of the font commands.

#include <QString>

namespace zelvik {

// What a command does when the user stops it, or a save inside the questions
// fails or is cancelled.
enum class StopAction { None, UpdateStatusBar, RefreshFontView };

// The texts of one command's unsaved-changes questions. The character question
// itself is the same for all commands; only its caption differs.
struct UnsavedChangesPrompt {
    QString fontQuestion;
    QString fontCaption;
    QString characterCaption;
    StopAction onStop = StopAction::UpdateStatusBar;
};

inline const QString kCharacterQuestion =
    QStringLiteral("Selected character was modified but not saved!\nDo you want to save it?");

inline const UnsavedChangesPrompt kNewFontPrompt{
    QStringLiteral("Current font was modified!\nDo you want to save it?"),
    QStringLiteral("New font ..."), QStringLiteral("Saving font ..."), StopAction::UpdateStatusBar};

// The odd wording is the program's own and users know it.
inline const UnsavedChangesPrompt kOpenFontPrompt{
    QStringLiteral("Current font was modified!\n Do you wont to save it?"),
    QStringLiteral("Opening font file..."), QStringLiteral("Saving font ..."),
    StopAction::RefreshFontView};

// Closing keeps the window open on a stop; the close query itself says so.
inline const UnsavedChangesPrompt kExitPrompt{
    QStringLiteral("Current font was modified!\nDo you want to save it?"),
    QStringLiteral("Exit ..."), QStringLiteral("Exit ..."), StopAction::None};

inline const UnsavedChangesPrompt kGenerateFontPrompt{
    QStringLiteral("Current font was modified!\n Do you want to save it?"),
    QStringLiteral("Generating font..."), QStringLiteral("Generating font ..."),
    StopAction::UpdateStatusBar};

inline const QString kFontOpenFilter = QStringLiteral("Font files (*.fnt)|*.fnt");
inline const QString kFontSaveFilter =
    QStringLiteral("Font files (*.fnt)|*.fnt|All files (*.*)|*.*");

} // namespace zelvik
