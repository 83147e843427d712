#include "session/EditingSession.h"

#include "editor/MatrixOps.h"
#include "font/Cp1250.h"
#include "font/ForceExtension.h"
#include "generator/AutoSymbolName.h"

namespace zelvik {

EditingSession::EditingSession(PlatformServices& platform, QObject* parent)
    : QObject(parent), platform_(platform) {
    resetFont(font_, working_);
}

void EditingSession::setNameField(std::string text) {
    nameField_ = std::move(text);
}

void EditingSession::setIdentifierField(std::string text) {
    identifierField_ = std::move(text);
}

void EditingSession::setFlags(bool characterModified, bool fontModified) {
    if (font_.characterModified == characterModified && font_.fontModified == fontModified)
        return;
    font_.characterModified = characterModified;
    font_.fontModified = fontModified;
    Q_EMIT flagsChanged();
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
    font_.currentIndex = index;
    const CharSlot& slot = font_.slots[index];
    nameField_ = slot.name;
    working_.pixels = slot.pixels;
    // An undefined code keeps the width of the character shown before it.
    if (slot.defined())
        working_.xSize = slot.xSize;
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

void EditingSession::saveCharacterCommand() {
    if (saveCharacter() != SaveCharacterOutcome::Success)
        return;
    refreshFontView();
    Q_EMIT characterStored();
}

void EditingSession::eraseCharacterCommand() {
    const MessageAnswer answer = platform_.messageBox(
        QStringLiteral("Do you realy want to erase this character?"),
        QStringLiteral("Erasing character ..."), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    eraseCharacter(font_, font_.currentIndex);
    refreshFontView();
}

void EditingSession::refreshFontView() {
    setFlags(false, font_.fontModified);
    identifierField_ = font_.fontIdentifier;
    Q_EMIT fontViewRefreshed();
    selectCharacter(font_.currentIndex);
    Q_EMIT flagsChanged();
}

// --- edits

void EditingSession::markEdited() {
    setFlags(true, true);
}

void EditingSession::markFontEdited() {
    setFlags(font_.characterModified, true);
}

bool EditingSession::paintCell(int col, int row, bool set, bool clear) {
    if (!set && !clear)
        return false;
    if (col < 0 || col >= kMatrixEdge || row < 0 || row >= kMatrixEdge)
        return false;
    if (set)
        working_.pixels[pixelIndex(col, row)] = 1;
    if (clear)
        working_.pixels[pixelIndex(col, row)] = 0;
    Q_EMIT pixelsChanged();
    markEdited();
    return true;
}

void EditingSession::setXSize(int xSize) {
    working_.xSize = clampSize(xSize);
    Q_EMIT sizesChanged();
    markEdited();
}

void EditingSession::setYSize(int ySize) {
    // The y-size is the whole font's, so it changes there at once.
    font_.ySize = clampSize(ySize);
    Q_EMIT sizesChanged();
    markEdited();
}

void EditingSession::afterPixelEdit() {
    Q_EMIT pixelsChanged();
    markEdited();
}

void EditingSession::clearCharacter() {
    clearMatrix(working_.pixels);
    afterPixelEdit();
}

void EditingSession::shiftUp() {
    zelvik::shiftUp(working_.pixels);
    afterPixelEdit();
}

void EditingSession::shiftDown() {
    zelvik::shiftDown(working_.pixels);
    afterPixelEdit();
}

void EditingSession::shiftLeft() {
    zelvik::shiftLeft(working_.pixels);
    afterPixelEdit();
}

void EditingSession::shiftRight() {
    zelvik::shiftRight(working_.pixels);
    afterPixelEdit();
}

void EditingSession::autoName() {
    nameField_ = autoSymbolName(font_.currentIndex);
    Q_EMIT nameFieldChanged();
    markEdited();
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
    while (font_.fontModified) {
        const MessageAnswer answer =
            platform_.messageBox(prompt.fontQuestion, prompt.fontCaption, MessageIcon::Question,
                                 MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::No) {
            setFlags(font_.characterModified, false);
            continue;
        }
        if (answer != MessageAnswer::Yes)
            return stop(prompt.onStop);
        if (font_.characterModified) {
            const MessageAnswer saveIt =
                platform_.messageBox(kCharacterQuestion, prompt.characterCaption,
                                     MessageIcon::Question, MessageButtons::YesNo);
            if (saveIt == MessageAnswer::Yes) {
                if (saveCharacter() != SaveCharacterOutcome::Success)
                    return stop(prompt.onStop);
                refreshFontView();
                Q_EMIT characterStored();
            }
            setFlags(false, font_.fontModified);
        }
        if (!saveFont())
            return stop(prompt.onStop);
        setFlags(font_.characterModified, false);
    }
    return true;
}

void EditingSession::newFontCommand() {
    if (!confirmUnsavedChanges(kNewFontPrompt))
        return;
    resetFont(font_, working_);
    refreshFontView();
    Q_EMIT sizesChanged();
}

void EditingSession::openFontCommand() {
    if (!confirmUnsavedChanges(kOpenFontPrompt))
        return;
    const Result opened = openFont();
    if (opened || opened.failure == Failure::Cancelled) {
        font_.characterModified = false;
        font_.currentIndex = 0;
    }
    refreshFontView();
}

void EditingSession::saveFontCommand() {
    if (font_.characterModified) {
        const MessageAnswer answer =
            platform_.messageBox(kCharacterQuestion, QStringLiteral("Saving font ..."),
                                 MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            if (saveCharacter() != SaveCharacterOutcome::Success) {
                Q_EMIT flagsChanged();
                return;
            }
            refreshFontView();
            Q_EMIT characterStored();
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

Result EditingSession::openFont() {
    const QString caption = QStringLiteral("Opening font file ...");
    const FileDialogAnswer chosen =
        platform_.openFileDialog({kFontOpenFilter, 1, folders.OpenDialog1, QString()});
    if (!chosen.accepted)
        return Result::cancelled();
    // A file that is refused leaves the font exactly as it was.
    const Result read = readFontFile(chosen.fileName, font_);
    if (!read) {
        // Unreadable is an error; a damaged file is a refusal.
        platform_.messageBox(read.message, caption,
                             read.failure == Failure::CannotOpen ? MessageIcon::Error
                                                                 : MessageIcon::Warning,
                             MessageButtons::Ok);
        font_.currentFileName.clear();
        return read;
    }
    folders.OpenDialog1 = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();
    return Result::success();
}

Result EditingSession::saveFont() {
    const QString caption = QStringLiteral("Saving font file ...");
    // The identifier is taken from the field, which may be newer than the font's.
    if (identifierField_.empty()) {
        const QString message =
            QStringLiteral("Can't save font file!\nThere is no name for this font!");
        platform_.messageBox(message, caption, MessageIcon::Error, MessageButtons::Ok);
        return Result::fail(Failure::Refused, message);
    }

    FontFileVersion version = FontFileVersion::V2;
    if (versionOneAllowed(font_)) {
        const std::optional<FontFileVersion> chosen =
            chooseFontFileVersion ? chooseFontFileVersion() : std::optional(FontFileVersion::V2);
        if (!chosen)
            return Result::cancelled();
        version = *chosen;
    }

    const FileDialogAnswer chosen =
        platform_.saveFileDialog({kFontSaveFilter, 1, folders.SaveDialog1, QString()});
    if (!chosen.accepted)
        return Result::cancelled();
    folders.SaveDialog1 = folderOf(chosen.fileName);
    font_.currentFileName = namePartOf(chosen.fileName).toStdString();

    const QString path =
        chosen.filterIndex == 1 ? forceExtension(chosen.fileName, ".fnt") : chosen.fileName;
    // The old file, if any, is replaced only once the new one is complete.
    const Result written = writeFontFile(path, version, identifierField_, font_.ySize, font_);
    if (!written) {
        platform_.messageBox(written.message, caption, MessageIcon::Error, MessageButtons::Ok);
        font_.currentFileName.clear();
    }
    return written;
}

} // namespace zelvik
