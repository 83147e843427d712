// Zelvik: the editor. It takes no arguments.

#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "session/ApplicationError.h"
#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    // The settings and help files lie relative to the folder we start in.
    const QString startupFolder = QDir::currentPath();
    QApplication app(argc, argv);
    QApplication::setApplicationName(zelvik::kProgramTitle);
    zelvik::QtPlatformServices platform;
    zelvik::AppWindows windows = zelvik::createAppWindows(platform, startupFolder);
    windows.Form1->show();
    return app.exec();
}
