// The character list and the current character: the view of selecting a slot
// into the editor, saving the editor back into its slot, erasing a slot, and
// rebuilding the whole view after the font changed. The session decides; this
// file shows.

#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "font/Cp1250.h"
#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace zelvik {

QString keyCharacterText(int index) {
    const std::uint8_t byte = keyByte(index);
    return byte == 0 ? QString() : QString(QChar(cp1250ToUnicode(byte)));
}

void TForm1::RefreshFontView() {
    session_.refreshFontView();
}

void TForm1::showFontView() {
    const FontModel& font = session_.font();
    {
        const QSignalBlocker blocker(ListCharSet);
        if (ListCharSet->count() != kSlotCount) {
            ListCharSet->clear();
            // Inserted at once: the view lays out its rows once, not per row.
            QStringList texts;
            texts.reserve(kSlotCount);
            for (int i = 0; i < kSlotCount; ++i)
                texts.append(fromCp1250(listItemText(font, i)));
            ListCharSet->addItems(texts);
        } else {
            for (int i = 0; i < kSlotCount; ++i)
                ListCharSet->item(i)->setText(fromCp1250(listItemText(font, i)));
        }
    }
    ShowYSize(font.ySize);
    EditFontPrefix->setText(fromCp1250(font.fontIdentifier));
    DrawMatrix->update();
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
    return session_.selectCharacter(index);
}

void TForm1::showCurrentCharacter(int index) {
    const FontModel& font = session_.font();
    selectListItem(index);
    showSlotFields(index);
    EditCharName->setText(fromCp1250(session_.nameField()));
    showCharacterPanel(index);
    UpdateStatusBar();
    // An undefined code keeps the width of the character shown before it.
    if (font.slots[index].defined())
        ShowXSize(session_.working().xSize);
    ImgChar->update();
    DrawMatrix->update();
}

void TForm1::showCharacterPanel(int index) {
    const FontModel& font = session_.font();
    SB1->setPanelText(kPanelCharacter, font.slots[index].defined()
                                           ? fromCp1250(currentCharacterText(font, index))
                                           : keyCharacterText(index));
}

void TForm1::showSlot(int index) {
    ListCharSet->item(index)->setText(fromCp1250(listItemText(session_.font(), index)));
    if (index == session_.currentIndex())
        showCharacterPanel(index);
}

void TForm1::showKeptCharacter(int index) {
    selectListItem(index);
    showSlotFields(index);
}

SaveCharacterOutcome TForm1::SaveCharacter() {
    return session_.saveCharacter();
}

void TForm1::BtnSaveCharClick() {
    session_.saveCharacterCommand();
}

void TForm1::ListCharSetClick(int row) {
    if (row >= 0 && row < kSlotCount)
        SelectCharacter(row);
}

void TForm1::BtnEraseCharClick() {
    session_.eraseCharacterCommand();
}

} // namespace zelvik
