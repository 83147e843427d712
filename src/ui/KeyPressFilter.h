#pragma once

// Fields that filter keys as they are typed see each typed character before
// the field does and may cancel it by setting it to 0. Control characters
// count as typed: Backspace is '\b', Enter '\r', Esc 27 and Ctrl+letter the
// letter's control code (Ctrl+V, the keyboard paste, is 0x16). Keys that type
// nothing (arrows, Delete, Home) never reach the handler.

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;

namespace zelvik {

// The character a key press types, or 0 for a key that types none.
QChar typedCharacter(const QKeyEvent& event);

class KeyPressFilter final : public QObject {
public:
    using Handler = std::function<void(QChar& key)>;

    // Installs itself on `field` and lives as its child.
    KeyPressFilter(QLineEdit* field, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

// Runs `handler` on a double-click in `field`.
void onDoubleClick(QLineEdit* field, std::function<void()> handler);

} // namespace zelvik
