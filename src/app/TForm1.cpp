#include "app/TForm1.h"

#include "ui/ApplicationError.h"
#include "ui/PanelStatusBar.h"
#include "export/ui/TFormE.h"
#include "font/SettingsFile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QShowEvent>
#include <QTimer>

namespace zelvik {

TForm1::TForm1(PlatformServices& platform, const QString& startupFolder, QWidget* parent)
    : QMainWindow(parent), platform_(platform), startupFolder_(startupFolder) {
    setObjectName("Form1");
    setWindowTitle(kProgramTitle);
    // Fixed frame: system menu and minimise only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Asked for by name; the system substitutes a font it lacks.
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    createControls();
    createMenu();
    createStatusBar();
    connectHandlers();

    sampleText = ">>> double-click to enter sample text <<<";
    loadSettings();
    createHelpAndSplash();

    resetFont(font_, working_);
    RefreshFontView();
    font_.characterModified = false;
    font_.fontModified = false;
    UpdateStatusBar();
}

TForm1::~TForm1() = default;

void TForm1::UpdateStatusBar() {
    QString file = QStringLiteral(" ") + QString::fromStdString(font_.currentFileName);
    if (font_.fontModified)
        file += QStringLiteral(" *");
    SB1->setPanelText(kPanelFile, file);
    SB1->setPanelText(kPanelModified,
                      font_.characterModified ? QStringLiteral("modified") : QString());
}

void TForm1::MarkEdited() {
    font_.characterModified = true;
    font_.fontModified = true;
    UpdateStatusBar();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::FormShow() {
    // Every showing of the main window starts the export dialog at its first target.
    if (dialogs.FormE)
        dialogs.FormE->ComboSrcList->setCurrentIndex(0);
    if (!splashShown_)
        Timer1->start();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

} // namespace zelvik
