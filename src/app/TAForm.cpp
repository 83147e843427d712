#include "app/TAForm.h"

#include "session/ApplicationError.h"
#include "session/PlatformServices.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

namespace zelvik {

namespace {

// The hover colour of the two link lines.
const QColor kLinkColour(0, 0, 221);

QFrame* loweredPanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QPoint at) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->move(at);
    return l;
}

void setLinkLook(QLabel* label, bool hovered) {
    QFont font = label->font();
    font.setUnderline(hovered);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     hovered ? kLinkColour : QApplication::palette().color(QPalette::WindowText));
    label->setPalette(palette);
    label->adjustSize();
}

} // namespace

TAForm::TAForm(PlatformServices& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), platform_(platform) {
    setObjectName("AForm");
    // No caption: the box is borderless.
    setFixedSize(492, 136);

    Panel1 = loweredPanel(this, "Panel1", QRect(0, 0, 128, 136));
    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(10, 9, 109, 119);
    Image1->setAlignment(Qt::AlignCenter);

    Panel2 = loweredPanel(this, "Panel2", QRect(128, 0, 364, 136));
    Label1 = label(Panel2, "Label1", kProgramTitle, {16, 10});
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(24);
    title.setBold(true);
    Label1->setFont(title);

    QFont italic = font();
    italic.setPixelSize(13);
    italic.setItalic(true);
    Label2 = label(Panel2, "Label2", QStringLiteral("V" ZELVIK_VERSION " "), {250, 14});
    Label2->setFont(italic);
    Label3 = label(Panel2, "Label3",
                   QDate::fromString(QStringLiteral(ZELVIK_RELEASE_DATE), Qt::ISODate)
                       .toString(QStringLiteral("d.M.yyyy ")),
                   {250, 32});
    Label3->setFont(italic);

    Label4 = label(Panel2, "Label4", QStringLiteral("Author:"), {16, 66});
    Label6 = label(Panel2, "Label6", QStringLiteral("E-mail:"), {16, 86});
    Label7 = label(Panel2, "Label7", QStringLiteral("www:"), {16, 106});
    Label8 = label(Panel2, "Label8", QString::fromLatin1(kMakerName), {72, 66});
    Label9 = label(Panel2, "Label9", QString::fromLatin1(kMakerEmail), {72, 86});
    Label10 = label(Panel2, "Label10", QString::fromLatin1(kMakerWeb), {72, 106});
    for (QLabel* link : {Label9, Label10})
        link->setCursor(Qt::PointingHandCursor);

    // Every part of the box answers the mouse, so the box watches them all.
    for (QWidget* w :
         std::initializer_list<QWidget*>{Panel1, Panel2, Image1, Label1, Label2, Label3, Label4,
                                         Label6, Label7, Label8, Label9, Label10})
        w->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TAForm::Label1Click() {
    close();
}

void TAForm::FormKeyPress(QChar key) {
    if (key.unicode() == 27)
        close();
}

void TAForm::Timer1Timer() {
    // A splash closed early by a click leaves this tick to find the box closed.
    close();
    Timer1->stop();
}

void TAForm::Label9Click() {
    platform_.openWithDesktop(QUrl(QStringLiteral("mailto:") + Label9->text()));
}

void TAForm::Label9MouseEnter() {
    setLinkLook(Label9, true);
}

void TAForm::Label9MouseLeave() {
    setLinkLook(Label9, false);
}

void TAForm::Label10Click() {
    platform_.openWithDesktop(QUrl(Label10->text()));
}

void TAForm::Label10MouseEnter() {
    setLinkLook(Label10, true);
}

void TAForm::Label10MouseLeave() {
    setLinkLook(Label10, false);
}

void TAForm::setVisible(bool visible) {
    if (visible && !linesFitted_) {
        Image1->setPixmap(QPixmap(QStringLiteral(":/zelvik/zelvik-logo.png")));
        for (QLabel* line :
             {Label1, Label2, Label3, Label4, Label6, Label7, Label8, Label9, Label10})
            line->adjustSize();
        linesFitted_ = true;
    }
    // Qt centres a dialog by guessing the frame of a window it cannot see;
    // the box has no frame, so it centres itself, before it appears.
    if (visible && parentWidget()) {
        const QRect main = parentWidget()->window()->frameGeometry();
        move(main.x() + (main.width() - width()) / 2, main.y() + (main.height() - height()) / 2);
    }
    QDialog::setVisible(visible);
}

bool TAForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        if (watched == Label9)
            Label9MouseEnter();
        else if (watched == Label10)
            Label10MouseEnter();
        break;
    case QEvent::Leave:
        if (watched == Label9)
            Label9MouseLeave();
        else if (watched == Label10)
            Label10MouseLeave();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Taken here, so that a panel does not see a press on its label as well.
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        // A click is a release over the control that was pressed.
        if (mouse->button() != Qt::LeftButton ||
            !widget->rect().contains(mouse->position().toPoint()))
            return false;
        if (watched == Label9)
            Label9Click();
        else if (watched == Label10)
            Label10Click();
        else
            Label1Click();
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAForm::keyPressEvent(QKeyEvent* event) {
    // The box sees every key; none reaches the dialog's default handling, so
    // Enter does not close it.
    const QString text = event->text();
    if (event->key() == Qt::Key_Escape)
        FormKeyPress(QChar(27));
    else if (!text.isEmpty())
        FormKeyPress(text.front());
    event->accept();
}

} // namespace zelvik
