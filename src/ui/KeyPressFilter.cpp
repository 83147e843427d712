#include "ui/KeyPressFilter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include <algorithm>

namespace zelvik {

namespace {

constexpr char16_t kDel = 0x7F;

// The editing shortcuts of a line edit, as the platform binds them.
bool isEditingCommand(const QKeyEvent& event) {
    static constexpr QKeySequence::StandardKey commands[] = {
        QKeySequence::Copy,
        QKeySequence::Cut,
        QKeySequence::Paste,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::SelectAll,
        QKeySequence::Delete,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine,
    };
    return std::any_of(std::begin(commands), std::end(commands),
                       [&](QKeySequence::StandardKey command) { return event.matches(command); });
}

} // namespace

QChar typedCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Delete || isEditingCommand(event))
        return QChar();
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Escape:
        return QChar(char16_t(27));
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(); // moves the focus, types nothing
    default:
        break;
    }
    const auto mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z)
        return QChar(char16_t(event.key() - Qt::Key_A + 1));
    const QString text = event.text();
    if (text.isEmpty() || text.front() == QChar(kDel))
        return QChar();
    return text.front();
}

KeyPressFilter::KeyPressFilter(QLineEdit* field, Handler handler)
    : QObject(field), field_(field), handler_(std::move(handler)) {
    field->installEventFilter(this);
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_ || forwarding_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(*static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return inputMethod(*static_cast<QInputMethodEvent*>(event));
    case QEvent::Drop:
        return drop(*static_cast<QDropEvent*>(event));
    case QEvent::ContextMenu:
        return contextMenu(*static_cast<QContextMenuEvent*>(event));
    case QEvent::MouseButtonRelease:
        return mouseRelease(*static_cast<QMouseEvent*>(event));
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool KeyPressFilter::keyPress(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste) && !field_->isReadOnly()) {
        pasteFrom(QClipboard::Clipboard);
        return true;
    }
    QChar key = typedCharacter(event);
    if (key.isNull())
        return false;
    // A key that types several characters at once is filtered like a paste.
    if (event.text().size() > 1 && key == event.text().front()) {
        insertAsTyped(event.text());
        return true;
    }
    handler_(key);
    // A cancelled key is eaten here: the field never sees it.
    return key.isNull();
}

bool KeyPressFilter::inputMethod(const QInputMethodEvent& event) {
    const QString commit = event.commitString();
    if (commit.isEmpty())
        return false;
    const QString kept = admit(commit);
    if (kept == commit)
        return false;
    // The composition ends either way; text it was to replace stays when the
    // committed text is refused.
    QInputMethodEvent filtered(event.preeditString(), event.attributes());
    filtered.setCommitString(kept);
    forward(filtered);
    return true;
}

bool KeyPressFilter::drop(QDropEvent& event) {
    if (field_->isReadOnly() || !event.mimeData()->hasText())
        return false;
    const QString text = event.mimeData()->text();
    const QString kept = admit(text);
    if (kept == text)
        return false;
    if (kept.isEmpty()) {
        // Refused: a move leaves the text where it came from.
        event.setDropAction(Qt::IgnoreAction);
        event.ignore();
        return true;
    }
    QMimeData mime;
    mime.setText(kept);
    QDropEvent filtered(event.position(), event.possibleActions(), &mime, event.buttons(),
                        event.modifiers());
    filtered.setDropAction(event.dropAction());
    forward(filtered);
    event.setDropAction(filtered.dropAction());
    event.setAccepted(filtered.isAccepted());
    return true;
}

bool KeyPressFilter::contextMenu(const QContextMenuEvent& event) {
    // The field's own menu, whose Paste takes the filtered way.
    QMenu* menu = field_->createStandardContextMenu();
    if (!menu)
        return false;
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste"))
            continue;
        QObject::disconnect(action, nullptr, field_, nullptr);
        connect(action, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event.globalPos());
    return true;
}

bool KeyPressFilter::mouseRelease(const QMouseEvent& event) {
    // X11 pastes the selection under the middle button.
    if (event.button() != Qt::MiddleButton || field_->isReadOnly() ||
        !QGuiApplication::clipboard()->supportsSelection())
        return false;
    field_->deselect();
    pasteFrom(QClipboard::Selection);
    return true;
}

QString KeyPressFilter::admit(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (!c.isPrint())
            continue;
        QChar key = c;
        handler_(key);
        if (!key.isNull())
            kept += key;
    }
    return kept;
}

void KeyPressFilter::insertAsTyped(const QString& text) {
    const QString kept = admit(text);
    if (!kept.isEmpty())
        field_->insert(kept);
}

void KeyPressFilter::pasteFrom(QClipboard::Mode mode) {
    insertAsTyped(QGuiApplication::clipboard()->text(mode));
}

void KeyPressFilter::forward(QEvent& event) {
    const QScopedValueRollback<bool> guard(forwarding_, true);
    QCoreApplication::sendEvent(field_, &event);
}

namespace {

class DoubleClickFilter final : public QObject {
public:
    DoubleClickFilter(QLineEdit* field, std::function<void()> handler)
        : QObject(field), field_(field), handler_(std::move(handler)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == field_ && event->type() == QEvent::MouseButtonDblClick)
            handler_(); // the field then selects the word under the pointer in the new text
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* field_;
    std::function<void()> handler_;
};

} // namespace

void onDoubleClick(QLineEdit* field, std::function<void()> handler) {
    new DoubleClickFilter(field, std::move(handler));
}

} // namespace zelvik
