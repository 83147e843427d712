#pragma once

// The main window. It owns the one font and the one working character for the
// whole run; its controls are the view of both. The handlers are named after
// their control and event and live in the file of their concern:
//   app/TForm1.cpp             construction, status bar, close
//   app/DialogSettings.cpp     remembered folders and help path in config.ini
//   app/MainWindowLayout.cpp   the controls and the menu
//   app/CharacterList.cpp      list, select, save and erase
//   editor/MatrixEditor.cpp    grid, sizes, shifts, clear and preview
//   editor/CharacterFields.cpp code, key, name and identifier fields
//   app/FontCommands.cpp, app/HelpCommands.cpp, export/SourceExportCommand.cpp,
//   generator/GenerateFontCommand.cpp, preview/SampleTextStrip.cpp,
//   preview/CharsetImageCommand.cpp   the commands of the other menus

#include "app/FontCommands.h"
#include "font/FontModel.h"
#include "session/PlatformServices.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace zelvik {

class PaintBox;
class SettingsFile;
class PanelStatusBar;
class PixelGrid;
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

// Initial folders of the file dialogs, each ending in a separator.
struct DialogFolders {
    QString SaveDialog1; // font save
    QString OpenDialog1; // font open
    QString SaveDialog2; // source export
    QString SD3;         // character set picture
    QString bdfPath;     // BDF export
};

// The key character of a slot as the code and key fields show it: nothing for
// code 0 and the BlankSlot.
QString keyCharacterText(int index);

// Status bar panels.
enum StatusPanelIndex { kPanelCharacter = 0, kPanelModified = 1, kPanelFile = 2, kPanelXY = 3 };

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    TForm1(PlatformServices& platform, const QString& startupFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    FontModel& fontModel() { return font_; }
    const FontModel& fontModel() const { return font_; }
    WorkingCharacter& working() { return working_; }
    const WorkingCharacter& working() const { return working_; }
    PlatformServices& platform() { return platform_; }
    const QString& startupFolder() const { return startupFolder_; }

    AppDialogs dialogs;
    DialogFolders folders;
    // The HTML help file, from the settings file at start-up.
    QString helpFilePath;
    // The sample strip's text, Windows-1250 bytes.
    std::string sampleText;

    // Current character (character list).
    void RefreshFontView();
    // False when the user declined to drop unsaved changes.
    bool SelectCharacter(int index);
    SaveCharacterOutcome SaveCharacter();
    void UpdateStatusBar();
    void MarkEdited();
    void ListCharSetClick();
    void BtnSaveCharClick();
    void BtnEraseCharClick();

    // Pixel matrix editor.
    void DrawMatrixDrawCell(QPainter& painter, int col, int row, const QRect& rect);
    void DrawMatrixMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void DrawMatrixMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void EditXresKeyPress(QChar& key);
    void UpDown1MouseUp();
    void EditYresKeyPress(QChar& key);
    void UpDown2Click();
    void BtnClearCharClick();
    void BtnArruClick();
    void BtnArrdClick();
    void BtnArrrClick();
    void BtnArrlClick();
    void ImgCharPaint(QPainter& painter);
    // Shows the working x-size in the field and the grid.
    void ShowXSize(int xSize);
    // Shows the y-size in the spinner, the field and the grid.
    void ShowYSize(int ySize);

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
    void MBtnExitClick();
    void FormCloseQuery(bool& canClose);
    // Each showing of the window.
    void FormShow();
    OpenFontOutcome OpenFont();
    SaveFontOutcome SaveFont();
    // Offers to save a modified font (and before that a modified character)
    // with the command's texts. True when the command may go on; on a stop
    // the prompt's stop action has run.
    bool ConfirmUnsavedChanges(const UnsavedChangesPrompt& prompt);
    // Font generator.
    void BtnGenfontClick();
    // Source export.
    void BtnGenSourceClick();
    // Previews and images.
    void RenderSampleText();
    void ImgTxtDblClick();
    void Generatecharsetimage1Click();
    // Help and about.
    void MBtnHelpClick();
    void MBtnAboutClick();

    // Controls, named as on the form.
    QGroupBox* GroupBox1 = nullptr;
    PixelGrid* DrawMatrix = nullptr;
    QLineEdit* EditXres = nullptr;
    UpDown* UpDown1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EditYres = nullptr;
    UpDown* UpDown2 = nullptr;
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

    PaintBox* ImgTxt = nullptr;
    PanelStatusBar* SB1 = nullptr;

    QAction* MBtnNewFont = nullptr;
    QAction* MBtnOpenFont = nullptr;
    QAction* MBtnSaveFont = nullptr;
    QAction* MBtnExit = nullptr;
    QAction* MBtnGenFont = nullptr;
    QAction* MBtnClearChar = nullptr;
    QAction* MBtnSaveChar = nullptr;
    QAction* MBtnEraseChar = nullptr;
    QAction* Generatesourcecode1 = nullptr;
    QAction* Generatecharsetimage1 = nullptr;
    QAction* MBtnHelp = nullptr;
    QAction* MBtnAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createMenu();
    void createStatusBar();
    void connectHandlers();
    // Puts the list selection on `index` without running the list handler.
    void selectListItem(int index);
    // The code, key and name fields of a slot.
    void showSlotFields(int index);
    // Paints or clears the pixel under the pointer as the held buttons say;
    // true when the character was marked edited.
    bool paintWithButtons(Qt::MouseButtons buttons, int col, int row);
    void afterMatrixEdit();
    // At start-up: the dialog folders and the help file from the settings file.
    void loadSettings();
    // When the close goes ahead: the dialog folders into the settings file.
    void saveSettings();

    PlatformServices& platform_;
    QString startupFolder_;
    FontModel font_;
    WorkingCharacter working_;
    // Lives from start-up until the close goes ahead.
    std::unique_ptr<SettingsFile> settings_;
};

} // namespace zelvik
