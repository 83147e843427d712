// Zelvik: the editor. It takes no arguments.

#include "app/AppWindows.h"
#include "app/FirstPaintMemory.h"
#include "app/FontConfigWarmUp.h"
#include "app/TForm1.h"
#include "session/ApplicationError.h"
#include "session/SessionRecovery.h"
#include "ui/DeferredIcon.h"
#include "ui/QtPlatformServices.h"
#include "ui/ReportingApplication.h"

#include <QDir>
#include <QIcon>

#include <memory>

int main(int argc, char** argv) {
    // The settings and help files lie relative to the folder we start in.
    const QString startupFolder = QDir::currentPath();
    zelvik::FontConfigWarmUp fonts;
    zelvik::ReportingApplication app(argc, argv);
    QApplication::setApplicationName(zelvik::kProgramTitle);
    // Ties the windows to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.example.Zelvik"));
    // Its picture is read when a window first shows it.
    QApplication::setWindowIcon(
        zelvik::deferredIcon([] { return QIcon(QStringLiteral(":/zelvik/zelvik-logo.png")); }));
    zelvik::QtPlatformServices platform;
    zelvik::AppWindows windows = zelvik::createAppWindows(platform, startupFolder, [&fonts] {
        fonts.finish([] { zelvik::prepareFirstPaintMemory(); });
    });
    app.setErrorReport(
        [&](const QString& message) { zelvik::reportApplicationError(platform, message); });
    // It holds a whole font, a quarter megabyte: on the heap, whose pages are
    // mapped by now.
    const auto recovery = std::make_unique<zelvik::SessionRecovery>(
        windows.Form1->session(), zelvik::SessionRecovery::defaultFolder());
    // Before the window shows, so that it shows the recovered font at once.
    recovery->offerRecovery();
    windows.Form1->show();
    const int status = app.exec();
    app.setErrorReport({});
    // Only a close the user agreed to ends here; a crash leaves the copy.
    recovery->sessionEnded();
    return status;
}
