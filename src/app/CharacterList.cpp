// The character list and the current character: selecting a slot into the
// editor, saving the editor back into its slot, erasing a slot, and rebuilding
// the whole view after the font changed.

#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"
#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "font/Cp1250.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace zelvik {

QString keyCharacterText(int index) {
    const std::uint8_t byte = keyByte(index);
    return byte == 0 ? QString() : QString(QChar(cp1250ToUnicode(byte)));
}

void TForm1::RefreshFontView() {
    font_.characterModified = false;
    {
        const QSignalBlocker blocker(ListCharSet);
        if (ListCharSet->count() != kSlotCount) {
            ListCharSet->clear();
            for (int i = 0; i < kSlotCount; ++i)
                ListCharSet->addItem(fromCp1250(listItemText(font_, i)));
        } else {
            for (int i = 0; i < kSlotCount; ++i)
                ListCharSet->item(i)->setText(fromCp1250(listItemText(font_, i)));
        }
    }
    working_.ySize = font_.ySize;
    ShowYSize(font_.ySize);
    EditFontPrefix->setText(fromCp1250(font_.fontIdentifier));
    DrawMatrix->update();
    SelectCharacter(font_.currentIndex);
    UpdateStatusBar();
}

void TForm1::selectListItem(int index) {
    const QSignalBlocker blocker(ListCharSet);
    ListCharSet->setCurrentRow(index);
    ListCharSet->scrollToItem(ListCharSet->item(index));
}

void TForm1::showSlotFields(int index) {
    EditCharCode->setText(QString::number(index));
    EditCharCodeOrd->setText(keyCharacterText(index));
}

bool TForm1::SelectCharacter(int index) {
    if (font_.characterModified) {
        const MessageAnswer answer = platform_.messageBox(
            this, QStringLiteral("Character was modified but not saved.\nDo you want to continue?"),
            QStringLiteral("Warning ..."), MessageIcon::Warning, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) {
            // Stay on the current character. The name field keeps what the
            // user typed: they chose to go on working on it.
            selectListItem(font_.currentIndex);
            showSlotFields(font_.currentIndex);
            return false;
        }
        font_.characterModified = false;
    }
    selectListItem(index);
    font_.currentIndex = index;
    const CharSlot& slot = font_.slots[index];
    showSlotFields(index);
    EditCharName->setText(fromCp1250(slot.name));
    working_.pixels = slot.pixels;
    SB1->setPanelText(kPanelCharacter, keyCharacterText(index));
    UpdateStatusBar();
    if (slot.defined()) {
        SB1->setPanelText(kPanelCharacter, fromCp1250(currentCharacterText(font_, index)));
        working_.xSize = slot.xSize;
        ShowXSize(slot.xSize);
    }
    // An undefined code keeps the width of the character shown before it.
    ImgChar->update();
    DrawMatrix->update();
    return true;
}

SaveCharacterOutcome TForm1::SaveCharacter() {
    const QString caption = QStringLiteral("Saving character ...");
    const QString name = EditCharName->text();
    // Both fields only ever hold Windows-1250 text (see restrictToCp1250).
    const SaveCharacterResult result =
        saveCharacter(font_, working_, toCp1250Lossy(name), FontPrefixBytes());
    switch (result.outcome) {
    case SaveCharacterOutcome::Success:
        break;
    case SaveCharacterOutcome::NoName:
        platform_.messageBox(this,
                             QStringLiteral("There is no name for this character!\nCan't save it."),
                             caption, MessageIcon::Warning, MessageButtons::Ok);
        break;
    case SaveCharacterOutcome::NameInUse:
        platform_.messageBox(this,
                             QStringLiteral("Character name \"") + name +
                                 QStringLiteral("\" is already used in character #") +
                                 QString::number(result.clashIndex) +
                                 QStringLiteral("!\nCan't save this character."),
                             caption, MessageIcon::Warning, MessageButtons::Ok);
        break;
    }
    return result.outcome;
}

void TForm1::BtnSaveCharClick() {
    if (SaveCharacter() != SaveCharacterOutcome::Success)
        return;
    RefreshFontView();
    ListCharSet->setFocus();
}

void TForm1::ListCharSetClick() {
    const int row = ListCharSet->currentRow();
    if (row >= 0)
        SelectCharacter(row);
}

void TForm1::BtnEraseCharClick() {
    const MessageAnswer answer = platform_.messageBox(
        this, QStringLiteral("Do you realy want to erase this character?"),
        QStringLiteral("Erasing character ..."), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    eraseCharacter(font_, font_.currentIndex);
    RefreshFontView();
}

} // namespace zelvik
