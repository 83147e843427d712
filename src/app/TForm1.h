#pragma once

// The main window: the view of the one editing session, which owns the font
// and the working character for the whole run. The handlers keep the names of
// their control and event and forward to the session or to a subsystem's
// widgets; the session's signals bring the controls up to date.
//   app/TForm1.cpp             construction, the session's signals, status bar, close
//   app/DialogSettings.cpp     remembered folders and help path in config.ini
//   app/MainWindowLayout.cpp   the controls and the menu
//   app/CharacterList.cpp      list, select, save and erase
//   app/MatrixEditor.cpp       grid, sizes, shifts, clear and preview
//   app/CharacterFields.cpp    code, key, name and identifier fields
//   app/EditHistory.cpp        undo and redo
//   app/FontCommands.cpp, app/HelpCommands.cpp, app/GenerateFontCommand.cpp,
//   app/SampleTextStrip.cpp, app/CharsetImageCommand.cpp   the commands of
//   the other menus; "Generate source" is session/SourceExportCommand

#include "font/FontModel.h"
#include "font/Result.h"
#include "session/EditingSession.h"
#include "session/UnsavedChangesPrompt.h"
#include "ui/WidgetPlatform.h"

#include <QMainWindow>

#include <functional>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;

namespace zelvik {

class PaintBox;
class SettingsFile;
class PanelStatusBar;
class PixelGrid;
class SampleStripView;
class UpDown;
class TFormE;
class TFFForm;
class TTxtForm;
class TAForm;
class TCCForm;

// The modal dialogs the main window shows; all are created at start-up.
struct AppDialogs {
    TFormE* FormE = nullptr;
    TFFForm* FFForm = nullptr;
    TTxtForm* TxtForm = nullptr;
    TAForm* AForm = nullptr;
    TCCForm* CCForm = nullptr;
};

// The key character of a slot as the code and key fields show it: nothing for
// code 0 and the BlankSlot.
QString keyCharacterText(int index);

// Status bar panels.
enum StatusPanelIndex { kPanelCharacter = 0, kPanelModified = 1, kPanelFile = 2, kPanelXY = 3 };

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    // The menus measure no text, so they are made first; `beforeFirstText`
    // runs after them, before the first control (main.cpp waits there for
    // the system's fonts, read on another core meanwhile).
    TForm1(WidgetPlatform& platform, const QString& startupFolder, QWidget* parent = nullptr,
           const std::function<void()>& beforeFirstText = {});
    ~TForm1() override;

    EditingSession& session() { return session_; }
    FontModel& fontModel() { return session_.font(); }
    const FontModel& fontModel() const { return session_.font(); }
    WorkingCharacter& working() { return session_.working(); }
    const WorkingCharacter& working() const { return session_.working(); }
    WidgetPlatform& platform() { return platform_; }
    const QString& startupFolder() const { return startupFolder_; }

    AppDialogs dialogs;
    // The session's remembered folders of the four file dialogs.
    DialogFolders& folders;
    // The HTML help file, from the settings file at start-up.
    QString helpFilePath;
    // The manual installed with the program, opened when helpFilePath has no file.
    QString installedHelpPath;
    // The session's sample strip text, Windows-1250 bytes.
    std::string& sampleText;

    // Current character (character list).
    void RefreshFontView();
    // False when the user declined to drop unsaved changes.
    bool SelectCharacter(int index);
    SaveCharacterOutcome SaveCharacter();
    void UpdateStatusBar();
    // Panel 2's text: " " + file name, and " *" while the font is modified.
    QString fileStatusText() const;
    void MarkEdited();
    // A click on list item `row`, or the keyboard making it current.
    void ListCharSetClick(int row);
    void BtnSaveCharClick();
    void BtnEraseCharClick();

    // Pixel matrix editor.
    void DrawMatrixDrawCell(QPainter& painter, int col, int row, const QRect& rect);
    void DrawMatrixMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void DrawMatrixMouseMove(Qt::MouseButtons buttons, QPoint pos);
    // buttons: those still held after the release.
    void DrawMatrixMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void EditXresKeyPress(QChar& key);
    void UpDown1MouseUp();
    void EditYresKeyPress(QChar& key);
    void UpDown2Click();
    void EditBaselineKeyPress(QChar& key);
    void UpDownBaselineClick();
    void BtnClearCharClick();
    void BtnArruClick();
    void BtnArrdClick();
    void BtnArrrClick();
    void BtnArrlClick();
    void ImgCharPaint(QPainter& painter);
    // Shows the working x-size in the field and the grid.
    void ShowXSize(int xSize);
    // Shows the y-size in the spinner, the field and the grid, and the
    // baseline within it.
    void ShowYSize(int ySize);
    // Shows the font's baseline in its field, its spinner and the grid.
    void ShowBaseline();
    // Shows both sizes of the working character.
    void ShowSizes();

    // Character code, key, name and identifier fields.
    void EditCharCodeKeyPress(QChar& key);
    void EditCharCodeOrdKeyPress(QChar& key);
    void EditCharNameKeyPress(QChar& key);
    void EditFontPrefixKeyPress(QChar& key);
    void EditCharNameDblClick();
    // The identifier field as Windows-1250 bytes, as the font and the
    // exported sources store it.
    std::string FontPrefixBytes() const;

    // Font commands.
    void BtnNewClick();
    void BtnLoadCharSetClick();
    void BtnSaveCharSetClick();
    void MBtnImportBdfClick();
    void MBtnExportBdfClick();
    void MBtnExitClick();
    void FormCloseQuery(bool& canClose);
    // Each showing of the window.
    void FormShow();
    // Offers to save a modified font (and before that a modified character)
    // with the command's texts. True when the command may go on; on a stop
    // the prompt's stop action has run.
    bool ConfirmUnsavedChanges(const UnsavedChangesPrompt& prompt);
    // Font generator.
    void BtnGenfontClick();
    void BtnSpecCustomClick();
    void EgfYofsKeyPress(QChar& key);
    // Source export.
    void BtnGenSourceClick();
    // Previews and images.
    void RenderSampleText();
    void ImgTxtDblClick();
    void Generatecharsetimage1Click();
    // Help and about.
    void MBtnHelpClick();
    void MBtnAboutClick();
    // The start-up splash: shows the about box for its two seconds.
    void Timer1Timer();
    // Edit history.
    void MBtnUndoClick();
    void MBtnRedoClick();

    // Controls, named as on the form.
    QGroupBox* GroupBox1 = nullptr;
    PixelGrid* DrawMatrix = nullptr;
    QLineEdit* EditXres = nullptr;
    UpDown* UpDown1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EditYres = nullptr;
    UpDown* UpDown2 = nullptr;
    QLineEdit* EditBaseline = nullptr;
    UpDown* UpDownBaseline = nullptr;
    QLabel* LabelBaseline = nullptr;
    PaintBox* ImgChar = nullptr;
    QPushButton* BtnClearChar = nullptr;
    QToolButton* BtnArru = nullptr;
    QToolButton* BtnArrd = nullptr;
    QToolButton* BtnArrl = nullptr;
    QToolButton* BtnArrr = nullptr;

    QGroupBox* GroupBox3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EditFontPrefix = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* EditCharName = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EditCharCodeOrd = nullptr;
    QLineEdit* EditCharCode = nullptr;
    QPushButton* BtnSaveChar = nullptr;
    QPushButton* BtnEraseChar = nullptr;

    QGroupBox* GroupBox4 = nullptr;
    QPushButton* BtnGenfont = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* CBgc_AZaz = nullptr;
    QCheckBox* CBgc_09 = nullptr;
    QCheckBox* CBgc_sx20x7F = nullptr;
    QCheckBox* CBgc_Sx80xFF = nullptr;
    QToolButton* BtnSpecCustom = nullptr;
    QLabel* Label7 = nullptr;
    QCheckBox* CBalign = nullptr;
    QCheckBox* CBcut = nullptr;
    QCheckBox* CBnotalign09 = nullptr;
    QCheckBox* CBgfYofs = nullptr;
    QLineEdit* EgfYofs = nullptr;
    UpDown* UpDown3 = nullptr;

    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label5 = nullptr;
    QListWidget* ListCharSet = nullptr;
    QPushButton* BtnNew = nullptr;
    QPushButton* BtnLoadCharSet = nullptr;
    QPushButton* BtnSaveCharSet = nullptr;
    QPushButton* BtnGenSource = nullptr;

    SampleStripView* ImgTxt = nullptr;
    PanelStatusBar* SB1 = nullptr;

    QAction* MBtnNewFont = nullptr;
    QAction* MBtnOpenFont = nullptr;
    QAction* MBtnSaveFont = nullptr;
    QAction* MBtnImportBdf = nullptr;
    QAction* MBtnExportBdf = nullptr;
    QAction* MBtnExit = nullptr;
    QAction* MBtnGenFont = nullptr;
    QAction* MBtnClearChar = nullptr;
    QAction* MBtnSaveChar = nullptr;
    QAction* MBtnEraseChar = nullptr;
    QAction* MBtnUndo = nullptr;
    QAction* MBtnRedo = nullptr;
    QAction* Generatesourcecode1 = nullptr;
    QAction* Generatecharsetimage1 = nullptr;
    QAction* MBtnHelp = nullptr;
    QAction* MBtnAbout = nullptr;
    // 200 ms after the first showing: the start-up splash.
    QTimer* Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createMenu();
    void createStatusBar();
    void connectHandlers();
    void connectSession();
    // The generator group edits the session's generator choices and shows them.
    void connectGenerator();
    void showGeneratorChoices();
    // Puts the list selection on `index` without running the list handler.
    void selectListItem(int index);
    // The code, key and name fields of a slot.
    void showSlotFields(int index);
    // The session's signals.
    void showFontView();
    void showCurrentCharacter(int index);
    void showKeptCharacter(int index);
    // Status panel 0 for the slot `index`.
    void showCharacterPanel(int index);
    // The list text of one slot, and the status panel when it is current.
    void showSlot(int index);
    // The Undo and Redo items follow the history; the fields leave their
    // shortcuts to them.
    void connectHistory();
    // Paints or clears the pixel under the pointer as the held buttons say;
    // true when the character was painted.
    bool paintWithButtons(Qt::MouseButtons buttons, int col, int row);
    // The version dialog of Save font; nothing when it was cancelled.
    std::optional<FontFileVersion> chooseFontFileVersion();
    // At start-up: the dialog folders and the help file from the settings file.
    void loadSettings();
    // When the close goes ahead: the dialog folders into the settings file.
    void saveSettings();
    // The splash timer and where the installed manual lies.
    void createHelpAndSplash();

    WidgetPlatform& platform_;
    QString startupFolder_;
    EditingSession session_;
    // Lives from start-up until the close goes ahead.
    std::unique_ptr<SettingsFile> settings_;
    // The splash shows once, at the first showing of the window.
    bool splashShown_ = false;
};

} // namespace zelvik
