#pragma once

// The about box: the program's title, version and the maker's contact lines.
// It doubles as the two-second splash at start-up, which is why it has a timer
// of its own that closes it.

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

namespace zelvik {

class PlatformServices;

// The maker's contact lines.
constexpr const char* kMakerName = "The Zelvik developers";
constexpr const char* kMakerEmail = "zelvik@example.org";
constexpr const char* kMakerWeb = "https://example.org/zelvik/";

class TAForm final : public QDialog {
    Q_OBJECT
public:
    TAForm(PlatformServices& platform, QWidget* parent);

    // A click anywhere but on the e-mail and web lines closes the box.
    void Label1Click();
    // Esc (27) closes the box; other keys do nothing.
    void FormKeyPress(QChar key);
    // The splash's end: close the box (if still open) and stop the timer.
    void Timer1Timer();
    void Label9Click();
    void Label9MouseEnter();
    void Label9MouseLeave();
    void Label10Click();
    void Label10MouseEnter();
    void Label10MouseLeave();

    // Controls, named as on the form.
    QFrame* Panel1 = nullptr; // left, holds the logo
    QLabel* Image1 = nullptr;
    QFrame* Panel2 = nullptr;  // right, holds the texts
    QLabel* Label1 = nullptr;  // title
    QLabel* Label2 = nullptr;  // version
    QLabel* Label3 = nullptr;  // date
    QLabel* Label4 = nullptr;  // "Author:"
    QLabel* Label6 = nullptr;  // "E-mail:"
    QLabel* Label7 = nullptr;  // "www:"
    QLabel* Label8 = nullptr;  // the maker
    QLabel* Label9 = nullptr;  // e-mail address
    QLabel* Label10 = nullptr; // web address
    // 2000 ms, stopped until the start-up splash starts it.
    QTimer* Timer1 = nullptr;

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PlatformServices& platform_;
    // The logo is decoded and the lines take the size of their fonts when the
    // box first shows: the box is hidden until the splash, and measuring its
    // lines loads three fonts the main window does not use.
    bool linesFitted_ = false;
};

} // namespace zelvik
