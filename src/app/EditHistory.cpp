// Undo and redo in the Edit menu. The session keeps the history; the menu
// items name the step they take back or bring back and are disabled when
// there is none. Typing in the name or identifier field is a step, which
// ends when the field is left or Enter is pressed in it.

#include "app/TForm1.h"

#include <QAction>
#include <QLineEdit>

namespace zelvik {

namespace {

QString stepCaption(const char* verb, const QString& step) {
    const QString caption = QString::fromLatin1(verb);
    return step.isEmpty() ? caption : caption + u' ' + step;
}

} // namespace

void TForm1::connectHistory() {
    const QUndoStack& history = session_.history();
    MBtnUndo->setEnabled(history.canUndo());
    MBtnRedo->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canUndoChanged, MBtnUndo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, MBtnRedo, &QAction::setEnabled);
    connect(&history, &QUndoStack::undoTextChanged, this,
            [this](const QString& step) { MBtnUndo->setText(stepCaption("Undo", step)); });
    connect(&history, &QUndoStack::redoTextChanged, this,
            [this](const QString& step) { MBtnRedo->setText(stepCaption("Redo", step)); });

    connect(EditFontPrefix, &QLineEdit::editingFinished, this,
            [this] { session_.endFieldTyping(); });
    connect(EditCharName, &QLineEdit::editingFinished, this, [this] { session_.endFieldTyping(); });
    // Ctrl+Z in a field takes back the last edit, not the field's typing:
    // enabled menu shortcuts win over the fields (ui/MenuShortcuts).
}

void TForm1::MBtnUndoClick() {
    session_.undo();
}

void TForm1::MBtnRedoClick() {
    session_.redo();
}

} // namespace zelvik
