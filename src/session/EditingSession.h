#pragma once

// The editor without its widgets. The session owns the font, the character
// being edited, the current code, both modified flags and the file name, and
// runs every workflow that changes them: select, save and erase a character,
// the drawing edits, New, Open, Save, the close query and the unsaved-changes
// questions before them. It asks the user through PlatformServices and tells
// the view what changed through its signals; the windows only translate
// between their controls and the session. It keeps the history of the edits
// for undo and redo.

#include "font/FontFile.h"
#include "font/FontModel.h"
#include "font/Result.h"
#include "session/EditorState.h"
#include "session/FontGeneratorChoices.h"
#include "session/PlatformServices.h"
#include "session/RecoveryCopy.h"
#include "session/SourceExportChoices.h"
#include "session/UnsavedChangesPrompt.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <string>

namespace zelvik {

// Initial folders of the file dialogs, each ending in a separator.
struct DialogFolders {
    QString fontSaveFolder; // SaveDialog1: Save font
    QString fontOpenFolder; // OpenDialog1: Open font
    QString sourceFolder;   // SaveDialog2: Generate source
    QString pictureFolder;  // SD3: the character set picture
    QString bdfFolder;      // BDF import and export
};

class EditStep;
enum class MatrixEdit;

class EditingSession final : public QObject {
    Q_OBJECT
public:
    explicit EditingSession(PlatformServices& platform, QObject* parent = nullptr);

    PlatformServices& platform() { return platform_; }

    // The font as a whole. Commands that replace it wholesale (generate,
    // import) change it inside replaceFontAsOneStep(), so that the change can
    // be taken back.
    FontModel& font() { return font_; }
    const FontModel& font() const { return font_; }
    // The character in the editor: its pixels and x-size. Its y-size is the
    // font's, held once in font().ySize.
    WorkingCharacter& working() { return working_; }
    const WorkingCharacter& working() const { return working_; }
    int ySize() const { return font_.ySize; }
    // Rows from the top of the cell down to the baseline, 1 to the y-size.
    int baseline() const { return fontBaseline(font_); }
    int currentIndex() const { return font_.currentIndex; }
    bool characterModified() const { return font_.characterModified; }
    bool fontModified() const { return font_.fontModified; }

    // The name and identifier fields as the editor holds them, Windows-1250.
    // They may be newer than the slot's name and the font's identifier: Save
    // character and Save font take them from here. Typing in either field is
    // a step of its own: the keys typed in one go become one step.
    const std::string& nameField() const { return nameField_; }
    void setNameField(std::string text);
    const std::string& identifierField() const { return identifierField_; }
    void setIdentifierField(std::string text);

    DialogFolders folders;

    // Asked by Save font when version 1.0 can hold the font; nothing means
    // the user cancelled. The main window shows its version dialog.
    std::function<std::optional<FontFileVersion>()> chooseFontFileVersion;

    // --- the current character
    // Asks before dropping a modified character; false when the user declined
    // and the previous character stays current.
    bool selectCharacter(int index);
    // Checks the name (present, not used by another slot) and stores the
    // working character into its slot, with the warnings of "Saving character ...".
    // Changes no flag and records no step: the commands below do both.
    SaveCharacterOutcome saveCharacter();
    // "Save character": store, then rebuild the view.
    void saveCharacterCommand();
    // "Erase character": asks, then empties the current slot.
    void eraseCharacterCommand();
    // Rebuilds the view from the font and reloads the current character.
    void refreshFontView();

    // --- edits of the working character; each marks both flags
    void markEdited();
    // A typed identifier key changes the font, not the character.
    void markFontEdited();
    // Left sets, then right clears: a cell under both ends clear. True when
    // the cell was painted (either button held).
    bool paintCell(int col, int row, bool set, bool clear);
    void setXSize(int xSize);
    void setYSize(int ySize);
    // The font's baseline, clamped to 1..y-size. It belongs to the font, not
    // to the character: it marks the font modified alone.
    void setBaseline(int rows);
    void clearCharacter();
    void shiftUp();
    void shiftDown();
    void shiftLeft();
    void shiftRight();
    // The code's automatic name into the name field.
    void autoName();

    // --- the edit history
    // Each stroke, clear, shift and size change, Save and Erase character, a
    // new font identifier and each whole-font replacement is one step. New
    // and Open start an empty history; Save font marks the saved state.
    static constexpr int kHistoryLimit = 1000;
    const QUndoStack& history() const { return history_; }
    // Take back or bring back one step, with the character, its slot, the
    // current code and the fields as they were. Neither asks anything.
    // Afterwards the character is modified when it differs from its slot, and
    // the font when it differs from what was last opened or saved.
    void undo();
    void redo();
    // The press and the release of the mouse on the grid: every pixel painted
    // in between is one step.
    void beginStroke();
    void endStroke();
    // Enter or leaving a field ends its typing: what is typed next is a new step.
    void endFieldTyping();
    // Replaces the whole font as one step named `text` (shown as "Undo " +
    // text). `replace` changes the font as its command does, for instance
    // resetFont(), fill the slots, refreshFontView(), and sets the flags the
    // command sets; edits it makes through the session (sizes, say) are part
    // of this step. Undo puts back the font and the editor as they were.
    void replaceFontAsOneStep(const QString& text, const std::function<void()>& replace);

    // --- the font commands
    // Offers to save a modified font (and before that a modified character)
    // with the command's texts. True when the command may go on.
    bool confirmUnsavedChanges(const UnsavedChangesPrompt& prompt);
    // A command that asked the questions above and then replaced nothing (a
    // cancelled or refused import): a font the user chose not to save is
    // still the one in memory, so it is marked modified again.
    void keepUnsavedMark();
    void newFontCommand();
    void openFontCommand();
    void saveFontCommand();
    // The close query: true when the program may close.
    bool queryClose();
    // The open dialog and the read; the messages are shown here. A refused
    // file leaves the font as it was.
    Result<> openFont();
    // The version question, the save dialog and the write, with their messages.
    Result<> saveFont();

    // --- "Generate source": the export dialog's choices, for the whole run
    // (session/SourceExportCommand runs the export).
    SourceExportChoices& sourceExport() { return sourceExport_; }
    const SourceExportChoices& sourceExport() const { return sourceExport_; }

    // --- "Generate font": the generator group's choices, for the whole run
    // (session/GenerateFontCommand runs the generator). Whoever changes them
    // sends fontGeneratorChanged() for the group to show them.
    FontGeneratorChoices& fontGenerator() { return fontGenerator_; }
    const FontGeneratorChoices& fontGenerator() const { return fontGenerator_; }

    // The sample strip's text, Windows-1250 bytes; the strip draws it with
    // the font.
    std::string sampleText = ">>> double-click to enter sample text <<<";

    // --- recovery after a crash
    // The session as a recovery copy holds it.
    void fillRecoveryCopy(RecoveryCopy& copy) const;
    // The session of a recovery copy, with an empty history and marked
    // modified: nothing of it is in a file.
    void restoreRecoveryCopy(const RecoveryCopy& copy);

Q_SIGNALS:
    // The whole font changed: list texts, y-size, identifier field.
    void fontViewRefreshed();
    // A character became current: list selection, code and key fields, name
    // field, status panel, grid and preview.
    void currentCharacterChanged(int index);
    // The user declined to leave the current character: the list and the code
    // fields show it again; the name field keeps what was typed.
    void selectionKept(int index);
    // Pixels of the working character changed.
    void pixelsChanged();
    // The x-size, the y-size or the baseline changed.
    void sizesChanged();
    // The session put new text into the name field.
    void nameFieldChanged();
    // Either modified flag or the file name changed: the status bar.
    void flagsChanged();
    // A character went into its slot through "Save character": the list takes the focus.
    void characterStored();
    // One slot changed without a rebuild of the whole view (a step taken back
    // or brought back): its list text, and the status panel when it is current.
    void slotChanged(int index);
    // The session put new text into the identifier field.
    void identifierFieldChanged();
    // The generator's choices changed: the generator group shows them.
    void fontGeneratorChanged();
    // Anything a recovery copy holds may have changed. Cheap to send: every
    // pixel painted sends it.
    void changed();

private:
    friend class EditStep;

    void setFlags(bool characterModified, bool fontModified);
    void afterPixelEdit();
    void editMatrix(MatrixEdit edit);
    // Save character with its messages, then the refresh, recorded as one step.
    bool storeCharacter();
    void recordSlotChange(const QString& text, int index, const CharSlot& slotBefore,
                          const std::string& identifierBefore, const EditorState& before);

    EditorState editorState() const;
    // The editor before a step; it ends any typing in the fields.
    EditorState stateBeforeStep();
    void record(EditStep* step);
    // A field's text changed by the user: a step, merged with the keys before
    // it while the typing lasts.
    void recordTyping(const QString& text, const EditorState& before);
    // Undo or redo without recording what the view echoes back meanwhile.
    void moveInHistory(bool back);
    void restoreEditor(const EditorState& state, bool showCharacter);
    bool workingDiffersFromSlot() const;
    // The flags after an undo or a redo.
    void settleFlags();
    // What a command does when the user stops it.
    bool stop(StopAction action);

    PlatformServices& platform_;
    FontModel font_;
    SourceExportChoices sourceExport_;
    FontGeneratorChoices fontGenerator_;
    WorkingCharacter working_;
    std::string nameField_;
    std::string identifierField_;

    QUndoStack history_;
    // Keys typed into a field merge into one step while this stays the same.
    int typingRun_ = 0;
    bool movingInHistory_ = false;
    // The last questions dropped the font's mark with "No".
    bool markDroppedByNo_ = false;
    int selectedXSize_ = kDefaultXSize;
    int strokeId_ = 0;
    bool strokeOpen_ = false;
    bool replacingFont_ = false;
};

} // namespace zelvik
