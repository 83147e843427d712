#include "app/TForm1.h"

#include "editor/ui/PixelGrid.h"
#include "export/ui/TFormE.h"
#include "font/Cp1250.h"
#include "font/SettingsFile.h"
#include "session/ApplicationError.h"
#include "session/SourceExportCommand.h"
#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QTimer>

#include <tuple>

namespace zelvik {

TForm1::TForm1(WidgetPlatform& platform, const QString& startupFolder, QWidget* parent,
               const std::function<void()>& beforeFirstText)
    : QMainWindow(parent), folders(session_.folders), sampleText(session_.sampleText),
      platform_(platform), startupFolder_(startupFolder), session_(platform) {
    setObjectName("Form1");
    setWindowTitle(kProgramTitle);
    // Fixed frame: system menu and minimise only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Asked for by name; the system substitutes a font it lacks.
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    createMenu();
    if (beforeFirstText)
        beforeFirstText();
    createControls();
    createStatusBar();
    connectHandlers();
    connectSession();
    connectGenerator();
    connectHistory();

    loadSettings();
    createHelpAndSplash();

    RefreshFontView();
    ShowSizes();
    UpdateStatusBar();
}

TForm1::~TForm1() {
    // Destroying a focused field takes its focus away, and it would report
    // the end of editing to the session, which is gone by then.
    disconnect(EditFontPrefix, &QLineEdit::editingFinished, this, nullptr);
    disconnect(EditCharName, &QLineEdit::editingFinished, this, nullptr);
}

void TForm1::connectSession() {
    session_.chooseFontFileVersion = [this] { return chooseFontFileVersion(); };
    connect(&session_, &EditingSession::fontViewRefreshed, this, [this] { showFontView(); });
    connect(&session_, &EditingSession::currentCharacterChanged, this,
            [this](int index) { showCurrentCharacter(index); });
    connect(&session_, &EditingSession::selectionKept, this,
            [this](int index) { showKeptCharacter(index); });
    connect(&session_, &EditingSession::pixelsChanged, this, [this] {
        DrawMatrix->update();
        ImgChar->update();
    });
    connect(&session_, &EditingSession::sizesChanged, this, [this] { ShowSizes(); });
    connect(&session_, &EditingSession::nameFieldChanged, this,
            [this] { EditCharName->setText(fromCp1250(session_.nameField())); });
    connect(&session_, &EditingSession::flagsChanged, this, [this] { UpdateStatusBar(); });
    connect(&session_, &EditingSession::characterStored, this, [this] { ListCharSet->setFocus(); });
    connect(&session_, &EditingSession::slotChanged, this, [this](int index) { showSlot(index); });
    connect(&session_, &EditingSession::identifierFieldChanged, this,
            [this] { EditFontPrefix->setText(fromCp1250(session_.identifierField())); });
    // The fields' texts live in the session; Save character and Save font read them there.
    connect(EditCharName, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_.setNameField(toCp1250Lossy(text)); });
    connect(EditFontPrefix, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_.setIdentifierField(toCp1250Lossy(text)); });
}

QString TForm1::fileStatusText() const {
    const FontModel& font = session_.font();
    QString file = QStringLiteral(" ") + QString::fromStdString(font.currentFileName);
    if (font.fontModified)
        file += QStringLiteral(" *");
    return file;
}

void TForm1::UpdateStatusBar() {
    const FontModel& font = session_.font();
    SB1->setPanelText(kPanelFile, fileStatusText());
    SB1->setPanelText(kPanelModified,
                      font.characterModified ? QStringLiteral("modified") : QString());
}

void TForm1::MarkEdited() {
    session_.markEdited();
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
    session_.sourceExport().selectItem(0);
    if (dialogs.FormE)
        dialogs.FormE->showChoices();
    if (!splashShown_)
        Timer1->start();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

// The export dialog edits the session's choices; the session exports.
void TForm1::BtnGenSourceClick() {
    if (dialogs.FormE && platform().execDialog(*dialogs.FormE) == QDialog::Accepted)
        std::ignore = exportSourceCommand(session_); // it shows its own warnings
}

} // namespace zelvik
