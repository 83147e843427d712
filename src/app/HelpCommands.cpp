// Help, the about box and the start-up splash.

#include "app/TAForm.h"
#include "app/TForm1.h"
#include "session/HelpFile.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUrl>

namespace zelvik {

void TForm1::createHelpAndSplash() {
    installedHelpPath = installedHelpFile(QCoreApplication::applicationDirPath());
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TForm1::MBtnHelpClick() {
    const QString file = helpFileToOpen(helpFilePath, installedHelpPath);
    if (file.isEmpty()) {
        platform_.messageBox(QStringLiteral("Missing help file!"), QStringLiteral("Error ..."),
                             MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    // Whether a viewer came up is the desktop's business.
    platform_.openWithDesktop(QUrl::fromLocalFile(file));
}

void TForm1::MBtnAboutClick() {
    if (dialogs.AForm)
        platform_.execDialog(*dialogs.AForm);
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    splashShown_ = true;
    if (!dialogs.AForm)
        return;
    dialogs.AForm->Timer1->start();
    platform_.execDialog(*dialogs.AForm);
}

} // namespace zelvik
