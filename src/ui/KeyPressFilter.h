#pragma once

// Fields that filter keys as they are typed see each typed character before
// the field does and may cancel it by setting it to 0. Control characters
// count as typed: Backspace is '\b', Enter '\r', Esc 27 and Ctrl+letter the
// letter's control code.
//
// Commands are not typed characters: Delete (which X11 sends with the text
// U+007F), the arrows, Home and End, and the field's own editing shortcuts
// (copy, cut, paste, undo, redo, select all, word deletion) reach the field
// unfiltered and work as in any field.
//
// Text that arrives another way obeys the same filter as typed text: a paste
// (keyboard, context menu or the X11 middle button), a drop and the text an
// input method commits pass the handler character by character, as if typed,
// and the characters it lets through go into the field as one edit. Line
// breaks and other control characters in such text never reach the field.

#include <QClipboard>
#include <QObject>

#include <functional>

class QContextMenuEvent;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;

namespace zelvik {

// The character a key press types, or 0 for a key that types none or that is
// a command.
QChar typedCharacter(const QKeyEvent& event);

class KeyPressFilter final : public QObject {
public:
    using Handler = std::function<void(QChar& key)>;

    // Installs itself on `field` and lives as its child.
    KeyPressFilter(QLineEdit* field, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(const QKeyEvent& event);
    bool inputMethod(const QInputMethodEvent& event);
    bool drop(QDropEvent& event);
    bool contextMenu(const QContextMenuEvent& event);
    bool mouseRelease(const QMouseEvent& event);
    // The characters of `text` the handler lets through, in order.
    QString admit(const QString& text);
    void insertAsTyped(const QString& text);
    void pasteFrom(QClipboard::Mode mode);
    // Hands a rewritten event to the field without filtering it again.
    void forward(QEvent& event);

    QLineEdit* field_;
    Handler handler_;
    bool forwarding_ = false;
};

// Runs `handler` on a double-click in `field`.
void onDoubleClick(QLineEdit* field, std::function<void()> handler);

} // namespace zelvik
