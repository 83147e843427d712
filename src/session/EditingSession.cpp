#include "session/EditingSession.h"

#include "editor/MatrixOps.h"
#include "font/AutoSymbolName.h"
#include "font/Cp1250.h"
#include "font/ForceExtension.h"
#include "session/EditSteps.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

namespace zelvik {

EditingSession::EditingSession(PlatformServices& platform, QObject* parent)
    : QObject(parent), platform_(platform) {
    resetFont(font_, working_);
    history_.setUndoLimit(kHistoryLimit);
}

void EditingSession::setNameField(std::string text) {
    if (text == nameField_)
        return;
    const EditorState before = editorState();
    nameField_ = std::move(text);
    recordTyping(QStringLiteral("Symbol name"), before);
    Q_EMIT changed();
}

void EditingSession::setIdentifierField(std::string text) {
    if (text == identifierField_)
        return;
    const EditorState before = editorState();
    identifierField_ = std::move(text);
    recordTyping(QStringLiteral("Font name"), before);
    Q_EMIT changed();
}

void EditingSession::setFlags(bool characterModified, bool fontModified) {
    if (font_.characterModified == characterModified && font_.fontModified == fontModified)
        return;
    font_.characterModified = characterModified;
    font_.fontModified = fontModified;
    Q_EMIT flagsChanged();
    Q_EMIT changed();
}

// --- the current character

bool EditingSession::selectCharacter(int index) {
    index = clampCode(index);
    if (font_.characterModified) {
        const MessageAnswer answer = platform_.messageBox(
            QStringLiteral("Character was modified but not saved.\nDo you want to continue?"),
            QStringLiteral("Warning ..."), MessageIcon::Warning, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) {
            // The name field keeps what the user typed: they chose to go on
            // working on it.
            Q_EMIT selectionKept(font_.currentIndex);
            return false;
        }
        setFlags(false, font_.fontModified);
    }
    endFieldTyping();
    font_.currentIndex = index;
    const CharSlot& slot = font_.slots[index];
    nameField_ = slot.name;
    working_.pixels = slot.pixels;
    // An undefined code keeps the width of the character shown before it.
    if (slot.defined())
        working_.xSize = slot.xSize;
    selectedXSize_ = working_.xSize;
    Q_EMIT currentCharacterChanged(index);
    return true;
}

SaveCharacterOutcome EditingSession::saveCharacter() {
    const QString caption = QStringLiteral("Saving character ...");
    const SaveCharacterResult result =
        zelvik::saveCharacter(font_, working_, nameField_, identifierField_);
    switch (result.outcome) {
    case SaveCharacterOutcome::Success:
        break;
    case SaveCharacterOutcome::NoName:
        platform_.messageBox(QStringLiteral("There is no name for this character!\nCan't save it."),
                             caption, MessageIcon::Warning, MessageButtons::Ok);
        break;
    case SaveCharacterOutcome::NameInUse:
        platform_.messageBox(QStringLiteral("Character name \"") + fromCp1250(nameField_) +
                                 QStringLiteral("\" is already used in character #") +
                                 QString::number(result.clashIndex) +
                                 QStringLiteral("!\nCan't save this character."),
                             caption, MessageIcon::Warning, MessageButtons::Ok);
        break;
    }
    return result.outcome;
}

bool EditingSession::storeCharacter() {
    const int index = font_.currentIndex;
    const EditorState before = stateBeforeStep();
    const CharSlot slotBefore = font_.slots[index];
    const std::string identifierBefore = font_.fontIdentifier;
    if (saveCharacter() != SaveCharacterOutcome::Success)
        return false;
    refreshFontView();
    recordSlotChange(QStringLiteral("Save character"), index, slotBefore, identifierBefore, before);
    Q_EMIT characterStored();
    return true;
}

void EditingSession::recordSlotChange(const QString& text, int index, const CharSlot& slotBefore,
                                      const std::string& identifierBefore,
                                      const EditorState& before) {
    if (font_.slots[index] == slotBefore && font_.fontIdentifier == identifierBefore &&
        editorState() == before)
        return;
    record(new SlotStep(*this, text, index, slotBefore, identifierBefore, before));
}

void EditingSession::saveCharacterCommand() {
    storeCharacter();
}

void EditingSession::eraseCharacterCommand() {
    const MessageAnswer answer = platform_.messageBox(
        QStringLiteral("Do you realy want to erase this character?"),
        QStringLiteral("Erasing character ..."), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    const int index = font_.currentIndex;
    const EditorState before = stateBeforeStep();
    const CharSlot slotBefore = font_.slots[index];
    eraseCharacter(font_, index);
    refreshFontView();
    // Also the erase of an empty slot is a step when it dropped a drawing.
    recordSlotChange(QStringLiteral("Erase character"), index, slotBefore, font_.fontIdentifier,
                     before);
}

void EditingSession::refreshFontView() {
    setFlags(false, font_.fontModified);
    endFieldTyping();
    identifierField_ = font_.fontIdentifier;
    Q_EMIT fontViewRefreshed();
    selectCharacter(font_.currentIndex);
    Q_EMIT flagsChanged();
    Q_EMIT changed();
}

// --- edits

void EditingSession::markEdited() {
    setFlags(true, true);
    Q_EMIT changed();
}

void EditingSession::markFontEdited() {
    setFlags(font_.characterModified, true);
    Q_EMIT changed();
}

bool EditingSession::paintCell(int col, int row, bool set, bool clear) {
    if (!set && !clear)
        return false;
    if (col < 0 || col >= kMatrixEdge || row < 0 || row >= kMatrixEdge)
        return false;
    // Left sets, then right clears.
    const std::uint8_t value = clear ? 0 : 1;
    const int pixel = pixelIndex(col, row);
    if (working_.pixels[pixel] != value) {
        EditorState before = stateBeforeStep();
        working_.pixels[pixel] = value;
        // Painting outside a press and release makes a step of each pixel.
        const int stroke = strokeOpen_ ? strokeId_ : ++strokeId_;
        record(new PaintStep(*this, std::move(before), stroke, pixel, value));
    }
    Q_EMIT pixelsChanged();
    markEdited();
    return true;
}

void EditingSession::setXSize(int xSize) {
    xSize = clampSize(xSize);
    if (xSize != working_.xSize) {
        EditorState before = stateBeforeStep();
        working_.xSize = xSize;
        record(new FieldStep(*this, QStringLiteral("X-size"), std::move(before), editorState()));
    }
    Q_EMIT sizesChanged();
    markEdited();
}

void EditingSession::setYSize(int ySize) {
    ySize = clampSize(ySize);
    if (ySize != font_.ySize) {
        EditorState before = stateBeforeStep();
        // The y-size is the whole font's, so it changes there at once, and
        // a baseline below the new bottom row moves up with it.
        setFontYSize(font_, ySize);
        record(new FieldStep(*this, QStringLiteral("Y-size"), std::move(before), editorState()));
    }
    Q_EMIT sizesChanged();
    markEdited();
}

void EditingSession::setBaseline(int rows) {
    rows = std::clamp(rows, kMinSize, clampSize(font_.ySize));
    if (rows != fontBaseline(font_)) {
        EditorState before = stateBeforeStep();
        setFontBaseline(font_, rows);
        record(new FieldStep(*this, QStringLiteral("Baseline"), std::move(before), editorState()));
        markFontEdited();
    }
    // The field shows the value kept, also when it was out of range.
    Q_EMIT sizesChanged();
}

void EditingSession::afterPixelEdit() {
    Q_EMIT pixelsChanged();
    markEdited();
}

void EditingSession::editMatrix(MatrixEdit edit) {
    EditorState before = stateBeforeStep();
    applyMatrixEdit(edit, working_.pixels);
    if (working_.pixels != before.working.pixels)
        record(new MatrixStep(*this, std::move(before), edit));
    afterPixelEdit();
}

void EditingSession::clearCharacter() {
    editMatrix(MatrixEdit::Clear);
}

void EditingSession::shiftUp() {
    editMatrix(MatrixEdit::ShiftUp);
}

void EditingSession::shiftDown() {
    editMatrix(MatrixEdit::ShiftDown);
}

void EditingSession::shiftLeft() {
    editMatrix(MatrixEdit::ShiftLeft);
}

void EditingSession::shiftRight() {
    editMatrix(MatrixEdit::ShiftRight);
}

void EditingSession::autoName() {
    // A step of its own, not part of what was typed before or after it.
    endFieldTyping();
    setNameField(autoSymbolName(font_.currentIndex));
    endFieldTyping();
    Q_EMIT nameFieldChanged();
    markEdited();
}

// --- the edit history

EditorState EditingSession::editorState() const {
    return {font_.currentIndex, working_,   font_.ySize,     font_.baseline,
            selectedXSize_,     nameField_, identifierField_};
}

EditorState EditingSession::stateBeforeStep() {
    endFieldTyping();
    return editorState();
}

void EditingSession::record(EditStep* step) {
    // Edits made while a whole font is replaced belong to that one step, and
    // what the view shows of an undo or a redo is no edit.
    if (replacingFont_ || movingInHistory_) {
        delete step;
        return;
    }
    history_.push(step); // its first redo does nothing: the edit is done
}

namespace {

// One key typed or rubbed out: the longer text is the shorter one with a
// single character more.
bool oneCharacterApart(std::string_view a, std::string_view b) {
    if (a.size() < b.size())
        std::swap(a, b);
    if (a.size() != b.size() + 1)
        return false;
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i])
        ++i;
    return a.substr(i + 1) == b.substr(i);
}

} // namespace

void EditingSession::recordTyping(const QString& text, const EditorState& before) {
    const EditorState after = editorState();
    // A paste, a cut or a text put in whole is a step of its own.
    const bool key = oneCharacterApart(before.nameField, after.nameField) ||
                     oneCharacterApart(before.identifierField, after.identifierField);
    if (!key)
        endFieldTyping();
    record(new FieldStep(*this, text, before, after, typingRun_));
    if (!key)
        endFieldTyping();
}

void EditingSession::endFieldTyping() {
    ++typingRun_;
}

void EditingSession::beginStroke() {
    ++strokeId_;
    strokeOpen_ = true;
}

void EditingSession::endStroke() {
    strokeOpen_ = false;
}

void EditingSession::undo() {
    moveInHistory(true);
}

void EditingSession::redo() {
    moveInHistory(false);
}

void EditingSession::moveInHistory(bool back) {
    // Pixels painted or keys typed after this are a new step, even within
    // the same drag or the same visit of a field.
    ++strokeId_;
    endFieldTyping();
    if (back ? !history_.canUndo() : !history_.canRedo())
        return;
    {
        const QScopedValueRollback<bool> moving(movingInHistory_, true);
        if (back)
            history_.undo();
        else
            history_.redo();
    }
    settleFlags();
}

void EditingSession::replaceFontAsOneStep(const QString& text,
                                          const std::function<void()>& replace) {
    endStroke();
    EditorState before = stateBeforeStep();
    FontImage fontBefore = FontImage::of(font_);
    {
        const QScopedValueRollback<bool> replacing(replacingFont_, true);
        replace();
    }
    if (FontImage::of(font_) == fontBefore && editorState() == before)
        return;
    record(new FontStep(*this, text, std::move(fontBefore), std::move(before)));
}

void EditingSession::restoreEditor(const EditorState& state, bool showCharacter) {
    const bool indexChanged = state.currentIndex != font_.currentIndex;
    const bool pixelsChanged = state.working.pixels != working_.pixels;
    const bool sizesChanged = state.working.xSize != working_.xSize || state.ySize != font_.ySize ||
                              state.baseline != font_.baseline;
    const bool nameChanged = state.nameField != nameField_;
    const bool identifierChanged = state.identifierField != identifierField_;
    font_.currentIndex = state.currentIndex;
    working_ = state.working;
    font_.ySize = state.ySize;
    font_.baseline = state.baseline;
    selectedXSize_ = state.selectedXSize;
    nameField_ = state.nameField;
    identifierField_ = state.identifierField;

    if (indexChanged || showCharacter) {
        Q_EMIT currentCharacterChanged(font_.currentIndex);
    } else {
        if (nameChanged)
            Q_EMIT nameFieldChanged();
        if (pixelsChanged)
            Q_EMIT this->pixelsChanged();
    }
    if (sizesChanged)
        Q_EMIT this->sizesChanged();
    if (identifierChanged)
        Q_EMIT identifierFieldChanged();
}

bool EditingSession::workingDiffersFromSlot() const {
    const CharSlot& slot = font_.slots[font_.currentIndex];
    const int slotXSize = slot.defined() ? slot.xSize : selectedXSize_;
    return working_.pixels != slot.pixels || working_.xSize != slotXSize ||
           std::string_view(nameField_).substr(0, kMaxNameLength) != slot.name;
}

void EditingSession::settleFlags() {
    setFlags(workingDiffersFromSlot(), !history_.isClean());
    Q_EMIT changed();
}

// --- the font commands

bool EditingSession::stop(StopAction action) {
    switch (action) {
    case StopAction::None:
        break;
    case StopAction::UpdateStatusBar:
        Q_EMIT flagsChanged();
        break;
    case StopAction::RefreshFontView:
        // Rebuilding the view reloads the current slot into the editor; a
        // character the user has not decided about stays as drawn.
        if (font_.characterModified)
            Q_EMIT flagsChanged();
        else
            refreshFontView();
        break;
    }
    return false;
}

bool EditingSession::confirmUnsavedChanges(const UnsavedChangesPrompt& prompt) {
    markDroppedByNo_ = false;
    while (font_.fontModified) {
        const MessageAnswer answer =
            platform_.messageBox(prompt.fontQuestion, prompt.fontCaption, MessageIcon::Question,
                                 MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::No) {
            setFlags(font_.characterModified, false);
            markDroppedByNo_ = true;
            continue;
        }
        if (answer != MessageAnswer::Yes)
            return stop(prompt.onStop);
        if (font_.characterModified) {
            const MessageAnswer saveIt =
                platform_.messageBox(kCharacterQuestion, prompt.characterCaption,
                                     MessageIcon::Question, MessageButtons::YesNo);
            if (saveIt == MessageAnswer::Yes && !storeCharacter())
                return stop(prompt.onStop);
            setFlags(false, font_.fontModified);
        }
        if (!saveFont())
            return stop(prompt.onStop);
        setFlags(font_.characterModified, false);
    }
    return true;
}

void EditingSession::keepUnsavedMark() {
    if (std::exchange(markDroppedByNo_, false))
        setFlags(font_.characterModified, true);
}

void EditingSession::newFontCommand() {
    if (!confirmUnsavedChanges(kNewFontPrompt))
        return;
    resetFont(font_, working_);
    refreshFontView();
    history_.clear();
    Q_EMIT sizesChanged();
}

void EditingSession::openFontCommand() {
    if (!confirmUnsavedChanges(kOpenFontPrompt))
        return;
    const Result<> opened = openFont();
    if (opened || opened.failure == Failure::Cancelled) {
        font_.characterModified = false;
        font_.currentIndex = 0;
    }
    refreshFontView();
    // A cancelled or refused open leaves the font, and so its history.
    if (opened)
        history_.clear();
}

void EditingSession::saveFontCommand() {
    if (font_.characterModified) {
        const MessageAnswer answer =
            platform_.messageBox(kCharacterQuestion, QStringLiteral("Saving font ..."),
                                 MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes && !storeCharacter()) {
            Q_EMIT flagsChanged();
            return;
        }
        // After No the drawing stays in the editor, no longer marked.
        setFlags(false, font_.fontModified);
    }
    if (saveFont())
        setFlags(font_.characterModified, false);
    Q_EMIT flagsChanged();
}

bool EditingSession::queryClose() {
    return confirmUnsavedChanges(kExitPrompt);
}

Result<> EditingSession::openFont() {
    const QString caption = QStringLiteral("Opening font file ...");
    const FileDialogAnswer chosen =
        platform_.openFileDialog({kFontOpenFilter, 1, folders.fontOpenFolder, QString()});
    if (!chosen.accepted)
        return Result<>::cancelled();
    // A file that is refused leaves the font exactly as it was.
    const Result<FontFileData> read = loadFontFile(chosen.fileName);
    if (!read) {
        // Unreadable is an error; a damaged file is a refusal.
        platform_.messageBox(read.message, caption,
                             read.failure == Failure::CannotOpen ? MessageIcon::Error
                                                                 : MessageIcon::Warning,
                             MessageButtons::Ok);
        font_.currentFileName.clear();
        return read;
    }
    applyFontFile(*read, font_);
    folders.fontOpenFolder = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();
    return Result<>::success();
}

Result<> EditingSession::saveFont() {
    const QString caption = QStringLiteral("Saving font file ...");
    // The identifier is taken from the field, which may be newer than the font's.
    if (identifierField_.empty()) {
        const QString message =
            QStringLiteral("Can't save font file!\nThere is no name for this font!");
        platform_.messageBox(message, caption, MessageIcon::Error, MessageButtons::Ok);
        return Result<>::fail(Failure::Refused, message);
    }

    FontFileVersion version = FontFileVersion::V2;
    if (versionOneAllowed(font_)) {
        const std::optional<FontFileVersion> chosen =
            chooseFontFileVersion ? chooseFontFileVersion() : std::optional(FontFileVersion::V2);
        if (!chosen)
            return Result<>::cancelled();
        version = *chosen;
    }

    const FileDialogAnswer chosen =
        platform_.saveFileDialog({kFontSaveFilter, 1, folders.fontSaveFolder, QString()});
    if (!chosen.accepted)
        return Result<>::cancelled();
    folders.fontSaveFolder = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();

    const QString path =
        chosen.filterIndex == 1 ? forceExtension(chosen.fileName, ".fnt") : chosen.fileName;
    // The old file, if any, is replaced only once the new one is complete.
    const Result<> written = writeFontFile(path, version, identifierField_, font_.ySize, font_);
    if (!written) {
        platform_.messageBox(written.message, caption, MessageIcon::Error, MessageButtons::Ok);
        font_.currentFileName.clear();
        return written;
    }
    // Undo and redo find the font unmodified exactly here.
    history_.setClean();
    return written;
}

// --- recovery after a crash

void EditingSession::fillRecoveryCopy(RecoveryCopy& copy) const {
    copy.font = font_;
    copy.working = working_;
    copy.selectedXSize = selectedXSize_;
    copy.nameField = nameField_;
    copy.identifierField = identifierField_;
}

void EditingSession::restoreRecoveryCopy(const RecoveryCopy& copy) {
    endStroke();
    endFieldTyping();
    font_ = copy.font;
    font_.currentIndex = clampCode(font_.currentIndex);
    // Whatever the flags said, nothing of this session is in a file.
    font_.fontModified = true;
    working_ = copy.working;
    selectedXSize_ = copy.selectedXSize;
    {
        // The fields the view fills in now are no typing of the user's.
        const QScopedValueRollback<bool> restoring(movingInHistory_, true);
        // The view puts the font's texts into the fields; the typed ones follow.
        Q_EMIT fontViewRefreshed();
        identifierField_ = copy.identifierField;
        nameField_ = copy.nameField;
        Q_EMIT identifierFieldChanged();
        Q_EMIT currentCharacterChanged(font_.currentIndex);
        Q_EMIT sizesChanged();
    }
    history_.clear();
    // No state in this history matches the file any longer.
    history_.resetClean();
    Q_EMIT flagsChanged();
    Q_EMIT changed();
}

} // namespace zelvik
