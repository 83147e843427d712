// The main window's controls, menu and status bar, placed at fixed positions
// on a window that cannot be resized, and wired to their handlers.

#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "preview/ui/SampleStripView.h"
#include "ui/Cp1250Validator.h"
#include "ui/DeferredIcon.h"
#include "ui/KeyPressFilter.h"
#include "ui/ListClickFilter.h"
#include "ui/MenuShortcuts.h"
#include "ui/PaintBox.h"
#include "ui/PanelStatusBar.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace zelvik {

namespace {

constexpr int kClientWidth = 776;
constexpr int kClientHeight = 541;
constexpr int kStatusBarHeight = 20;

template <class T> T* place(T* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const char* caption, QRect r) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    return place(box, name, r.x(), r.y(), r.width(), r.height());
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    return place(new QLabel(QString::fromLatin1(caption), parent), name, x, y, w, 20);
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, const char* hint, int x,
                int y, int w) {
    auto* field = place(new QLineEdit(text, parent), name, x, y, w, 22);
    if (hint)
        field->setToolTip(QString::fromLatin1(hint));
    return field;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* hint,
                    QRect r) {
    auto* b = place(new QPushButton(QString::fromLatin1(caption), parent), name, r.x(), r.y(),
                    r.width(), r.height());
    if (hint)
        b->setToolTip(QString::fromLatin1(hint));
    b->setAutoDefault(false);
    return b;
}

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const char* hint,
                         int x, int y) {
    auto* b = place(new QToolButton(parent), name, x, y, 24, 20);
    b->setArrowType(arrow);
    b->setAutoRaise(true);
    b->setToolTip(QString::fromLatin1(hint));
    return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, const char* hint,
                    bool checked, int x, int y, int w) {
    auto* box = place(new QCheckBox(QString::fromLatin1(caption), parent), name, x, y, w, 20);
    if (hint)
        box->setToolTip(QString::fromLatin1(hint));
    box->setChecked(checked);
    return box;
}

QAction* menuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut,
                  QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    // Its pictures are read when the menu first opens.
    if (icon != QStyle::SP_CustomBase)
        action->setIcon(deferredStandardIcon(menu->style(), icon));
    return action;
}

} // namespace

void TForm1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    setCentralWidget(client);

    // Character editor.
    GroupBox1 = groupBox(client, "GroupBox1", " Character editor: ", {4, 2, 376, 456});
    DrawMatrix = new PixelGrid(GroupBox1);
    DrawMatrix->setObjectName("DrawMatrix");
    DrawMatrix->move(10, 20);
    ImgChar = new PaintBox(60, 60, GroupBox1);
    ImgChar->setObjectName("ImgChar");
    ImgChar->move(10, 384);
    ImgChar->setToolTip("Symbol preview");
    BtnArru = arrowButton(GroupBox1, "BtnArru", Qt::UpArrow, "Move symbol data up", 98, 384);
    BtnArrl = arrowButton(GroupBox1, "BtnArrl", Qt::LeftArrow, "Move symbol data left", 74, 404);
    BtnArrr = arrowButton(GroupBox1, "BtnArrr", Qt::RightArrow, "Move symbol data right", 122, 404);
    BtnArrd = arrowButton(GroupBox1, "BtnArrd", Qt::DownArrow, "Move symbol data down", 98, 424);
    EditXres = edit(GroupBox1, "EditXres", "8", "X-size (1-32)", 170, 386, 34);
    UpDown1 = place(new UpDown(EditXres, kMinSize, kMaxSize, kDefaultXSize, GroupBox1), "UpDown1",
                    204, 386, 16, 22);
    Label1 = label(GroupBox1, "Label1", "x", 226, 387, 10);
    EditYres =
        edit(GroupBox1, "EditYres", "16", "Y-size (1-32), common for all symbols", 240, 386, 34);
    UpDown2 = place(new UpDown(EditYres, kMinSize, kMaxSize, kDefaultYSize, GroupBox1), "UpDown2",
                    274, 386, 16, 22);
    EditBaseline =
        edit(GroupBox1, "EditBaseline", "16",
             "Baseline: rows from the top of the cell down to it (1 to the y-size)", 310, 386, 34);
    UpDownBaseline =
        place(new UpDown(EditBaseline, kMinSize, kDefaultYSize, kDefaultYSize, GroupBox1),
              "UpDownBaseline", 344, 386, 16, 22);
    LabelBaseline = label(GroupBox1, "LabelBaseline", "Baseline", 310, 410, 60);
    BtnClearChar = button(GroupBox1, "BtnClearChar", "Clear symbol", "Clears symbol image",
                          {170, 418, 120, 26});

    // Character and font properties.
    GroupBox3 = groupBox(client, "GroupBox3", " Character/font propetries: ", {386, 2, 386, 130});
    Label2 = label(GroupBox3, "Label2", "Font name:", 10, 21, 86);
    EditFontPrefix =
        edit(GroupBox3, "EditFontPrefix", "", "Enter C style font identifier", 100, 20, 276);
    EditFontPrefix->setMaxLength(kMaxIdentifierLength);
    restrictToCp1250(EditFontPrefix);
    Label3 = label(GroupBox3, "Label3", "Symbol name:", 10, 47, 86);
    EditCharName = edit(GroupBox3, "EditCharName", "",
                        "Enter C style symbol identifier, double-click to generate automatically",
                        100, 46, 276);
    EditCharName->setMaxLength(kMaxNameLength);
    restrictToCp1250(EditCharName);
    Label4 = label(GroupBox3, "Label4", "Symbol code:", 10, 73, 86);
    EditCharCodeOrd =
        edit(GroupBox3, "EditCharCodeOrd", "", "Type character-key for this symbol", 100, 72, 34);
    EditCharCodeOrd->setMaxLength(1); // one key, also when pasted
    EditCharCode = edit(GroupBox3, "EditCharCode", "0", "Type character position in font (0-255)",
                        140, 72, 60);
    BtnSaveChar = button(GroupBox3, "BtnSaveChar", "Save character",
                         "Save current character changes", {10, 100, 180, 24});
    BtnEraseChar = button(GroupBox3, "BtnEraseChar", "Erase character",
                          "Remove character from font", {196, 100, 180, 24});

    // Font.
    GroupBox2 = groupBox(client, "GroupBox2", " Font: ", {386, 136, 190, 322});
    Label5 = label(GroupBox2, "Label5", "Generated characters:", 8, 16, 174);
    ListCharSet = place(new QListWidget(GroupBox2), "ListCharSet", 8, 36, 174, 172);
    ListCharSet->setToolTip("Click to select character");
    ListCharSet->setSelectionMode(QAbstractItemView::SingleSelection);
    ListCharSet->setUniformItemSizes(true);
    // Asked for by name; the style hint keeps the substitute monospaced.
    QFont listFont(QStringLiteral("Courier New"), 8);
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setFixedPitch(true);
    ListCharSet->setFont(listFont);
    BtnNew = button(GroupBox2, "BtnNew", "New (clear all symbols)", "Clear all characters in font",
                    {8, 214, 174, 24});
    BtnLoadCharSet =
        button(GroupBox2, "BtnLoadCharSet", "Open font", "Open font file", {8, 240, 174, 24});
    BtnSaveCharSet =
        button(GroupBox2, "BtnSaveCharSet", "Save font", "Save font to file", {8, 266, 174, 24});
    BtnGenSource = button(GroupBox2, "BtnGenSource", "Generate source", "Generate source code",
                          {8, 292, 174, 24});

    // Font generator.
    GroupBox4 = groupBox(client, "GroupBox4", " Font generator: ", {580, 136, 192, 322});
    BtnGenfont = button(GroupBox4, "BtnGenfont", "Generate font",
                        "Generate font with current settings", {8, 20, 176, 26});
    Label6 = label(GroupBox4, "Label6", "Characters to generate:", 8, 52, 176);
    CBgc_AZaz =
        checkBox(GroupBox4, "CBgc_AZaz", "A-Z, a-z", "Allow symbols a-z, A-Z", true, 8, 72, 176);
    CBgc_09 = checkBox(GroupBox4, "CBgc_09", "0-9", "Allow symbols 0-9", true, 8, 94, 176);
    CBgc_sx20x7F = checkBox(GroupBox4, "CBgc_sx20x7F", "Special 0x20-0x7F",
                            "Allow special ASCII symbols", true, 8, 116, 176);
    CBgc_Sx80xFF = checkBox(GroupBox4, "CBgc_Sx80xFF", "Special 0x80-0xFF",
                            "Allow additional symbols 128 to 255", false, 8, 138, 148);
    BtnSpecCustom = place(new QToolButton(GroupBox4), "BtnSpecCustom", 160, 137, 22, 22);
    BtnSpecCustom->setAutoRaise(true);
    BtnSpecCustom->setIcon(smallStandardIcon(style(), QStyle::SP_FileDialogDetailedView));
    BtnSpecCustom->setToolTip("Select aditional symbols to generate");
    Label7 = label(GroupBox4, "Label7", "Post processing:", 8, 166, 176);
    CBalign = checkBox(GroupBox4, "CBalign", "Align characters left", "Align all symbols left",
                       true, 8, 186, 176);
    CBcut = checkBox(GroupBox4, "CBcut", "Set minimum x-size", "Set minimal x-size for each symbol",
                     true, 8, 208, 176);
    CBnotalign09 = checkBox(GroupBox4, "CBnotalign09", "Don't align 0-9", "Don't align numbers",
                            true, 8, 230, 176);
    CBgfYofs = checkBox(GroupBox4, "CBgfYofs", "Add y-offset", nullptr, true, 8, 256, 100);
    EgfYofs = edit(GroupBox4, "EgfYofs", "0",
                   "Signed vertical offset for symbol generator. Use 0 as default. Use negative "
                   "value to move symbol up.",
                   110, 255, 50);
    UpDown3 = place(new UpDown(EgfYofs, -32, 32, 0, GroupBox4), "UpDown3", 160, 255, 16, 22);

    // Sample text strip.
    ImgTxt = new SampleStripView(client);
    ImgTxt->setObjectName("ImgTxt");
    ImgTxt->move(7, 464);
    ImgTxt->setToolTip("Double-click here to enter sample text");
}

void TForm1::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    QMenu* file = bar->addMenu("File");
    file->setObjectName("File1");
    MBtnNewFont =
        menuItem(file, "MBtnNewFont", "New font", QKeySequence("Ctrl+N"), QStyle::SP_FileIcon);
    MBtnOpenFont = menuItem(file, "MBtnOpenFont", "Open font", QKeySequence("Ctrl+O"),
                            QStyle::SP_DialogOpenButton);
    MBtnSaveFont = menuItem(file, "MBtnSaveFont", "Save font", QKeySequence("Ctrl+S"),
                            QStyle::SP_DialogSaveButton);
    MBtnImportBdf = menuItem(file, "MBtnImportBdf", "Import font...", {});
    MBtnExportBdf = menuItem(file, "MBtnExportBdf", "Export BDF font...", {});
    file->addSeparator();
    MBtnExit =
        menuItem(file, "MBtnExit", "Exit", QKeySequence("Alt+F4"), QStyle::SP_DialogCloseButton);

    QMenu* editMenu = bar->addMenu("Edit");
    editMenu->setObjectName("Edit1");
    MBtnGenFont = menuItem(editMenu, "MBtnGenFont", "Generate font", QKeySequence("Ctrl+G"));
    editMenu->addSeparator();
    MBtnClearChar = menuItem(editMenu, "MBtnClearChar", "Clear char", {});
    MBtnSaveChar = menuItem(editMenu, "MBtnSaveChar", "Save char", {});
    MBtnEraseChar = menuItem(editMenu, "MBtnEraseChar", "Erase char", {}, QStyle::SP_TrashIcon);
    editMenu->addSeparator();
    // Their captions name the step; the history sets them.
    MBtnUndo = menuItem(editMenu, "MBtnUndo", "Undo", QKeySequence("Ctrl+Z"), QStyle::SP_ArrowBack);
    MBtnRedo =
        menuItem(editMenu, "MBtnRedo", "Redo", QKeySequence("Ctrl+Y"), QStyle::SP_ArrowForward);
    MBtnRedo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});

    QMenu* generate = bar->addMenu("Generate");
    generate->setObjectName("Generate1");
    Generatesourcecode1 = menuItem(generate, "Generatesourcecode1", "Generate source code", {});
    Generatecharsetimage1 =
        menuItem(generate, "Generatecharsetimage1", "Generate charset image", {});

    QMenu* help = bar->addMenu("Help");
    help->setObjectName("Help1");
    MBtnHelp = menuItem(help, "MBtnHelp", "Help", QKeySequence("F1"), QStyle::SP_DialogHelpButton);
    MBtnAbout = menuItem(help, "MBtnAbout", "About", QKeySequence("Ctrl+A"),
                         QStyle::SP_MessageBoxInformation);
    // Ctrl+A is About also in a field, which would take it for select all.
    giveMenuShortcutsPriority(bar);
}

void TForm1::createStatusBar() {
    SB1 = new PanelStatusBar({{150, Qt::AlignHCenter},
                              {70, Qt::AlignHCenter},
                              {450, Qt::AlignLeft},
                              {50, Qt::AlignHCenter, QStringLiteral("x=31, y=31")}},
                             this);
    SB1->setObjectName("SB1");
    SB1->setFixedHeight(kStatusBarHeight);
    setStatusBar(SB1);
    // The client area holds the status bar; the menu bar lies above it.
    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
}

void TForm1::connectHandlers() {
    // Character list and current character.
    // A click selects through the session, also on the current item; the
    // keyboard moves the current row, and the session decides as for a click.
    new ListClickFilter(ListCharSet, [this](int row) { ListCharSetClick(row); });
    connect(ListCharSet, &QListWidget::currentRowChanged, this,
            [this](int row) { ListCharSetClick(row); });
    connect(BtnSaveChar, &QPushButton::clicked, this, [this] { BtnSaveCharClick(); });
    connect(MBtnSaveChar, &QAction::triggered, this, [this] { BtnSaveCharClick(); });
    connect(BtnEraseChar, &QPushButton::clicked, this, [this] { BtnEraseCharClick(); });
    connect(MBtnEraseChar, &QAction::triggered, this, [this] { BtnEraseCharClick(); });

    // Pixel matrix editor.
    DrawMatrix->onDrawCell = [this](QPainter& p, int col, int row, const QRect& r) {
        DrawMatrixDrawCell(p, col, row, r);
    };
    DrawMatrix->onMouseDown = [this](Qt::MouseButton b, Qt::MouseButtons held, QPoint pos) {
        DrawMatrixMouseDown(b, held, pos);
    };
    DrawMatrix->onMouseMove = [this](Qt::MouseButtons held, QPoint pos) {
        DrawMatrixMouseMove(held, pos);
    };
    DrawMatrix->onMouseUp = [this](Qt::MouseButton b, Qt::MouseButtons held, QPoint pos) {
        DrawMatrixMouseUp(b, held, pos);
    };
    ImgChar->onPaint = [this](QPainter& p) { ImgCharPaint(p); };
    new KeyPressFilter(EditXres, [this](QChar& key) { EditXresKeyPress(key); });
    new KeyPressFilter(EditYres, [this](QChar& key) { EditYresKeyPress(key); });
    connect(UpDown1, &UpDown::mouseUp, this, [this] { UpDown1MouseUp(); });
    connect(UpDown2, &UpDown::clicked, this, [this] { UpDown2Click(); });
    new KeyPressFilter(EditBaseline, [this](QChar& key) { EditBaselineKeyPress(key); });
    connect(UpDownBaseline, &UpDown::clicked, this, [this] { UpDownBaselineClick(); });
    connect(BtnClearChar, &QPushButton::clicked, this, [this] { BtnClearCharClick(); });
    connect(MBtnClearChar, &QAction::triggered, this, [this] { BtnClearCharClick(); });
    connect(BtnArru, &QToolButton::clicked, this, [this] { BtnArruClick(); });
    connect(BtnArrd, &QToolButton::clicked, this, [this] { BtnArrdClick(); });
    connect(BtnArrr, &QToolButton::clicked, this, [this] { BtnArrrClick(); });
    connect(BtnArrl, &QToolButton::clicked, this, [this] { BtnArrlClick(); });

    // Code, key, name and identifier fields.
    new KeyPressFilter(EditCharCode, [this](QChar& key) { EditCharCodeKeyPress(key); });
    new KeyPressFilter(EditCharCodeOrd, [this](QChar& key) { EditCharCodeOrdKeyPress(key); });
    new KeyPressFilter(EditCharName, [this](QChar& key) { EditCharNameKeyPress(key); });
    new KeyPressFilter(EditFontPrefix, [this](QChar& key) { EditFontPrefixKeyPress(key); });
    // Edits by commands (Delete, cut, undo) mark like a typed key, but only
    // when they change the text.
    connect(EditCharName, &QLineEdit::textEdited, this, [this] { MarkEdited(); });
    connect(EditFontPrefix, &QLineEdit::textEdited, this, [this] { session_.markFontEdited(); });
    onDoubleClick(EditCharName, [this] { EditCharNameDblClick(); });

    // Font commands.
    connect(BtnNew, &QPushButton::clicked, this, [this] { BtnNewClick(); });
    connect(MBtnNewFont, &QAction::triggered, this, [this] { BtnNewClick(); });
    connect(BtnLoadCharSet, &QPushButton::clicked, this, [this] { BtnLoadCharSetClick(); });
    connect(MBtnOpenFont, &QAction::triggered, this, [this] { BtnLoadCharSetClick(); });
    connect(BtnSaveCharSet, &QPushButton::clicked, this, [this] { BtnSaveCharSetClick(); });
    connect(MBtnSaveFont, &QAction::triggered, this, [this] { BtnSaveCharSetClick(); });
    connect(MBtnImportBdf, &QAction::triggered, this, [this] { MBtnImportBdfClick(); });
    connect(MBtnExportBdf, &QAction::triggered, this, [this] { MBtnExportBdfClick(); });
    connect(MBtnExit, &QAction::triggered, this, [this] { MBtnExitClick(); });

    // Generator, export, previews, help.
    connect(BtnGenfont, &QPushButton::clicked, this, [this] { BtnGenfontClick(); });
    connect(MBtnGenFont, &QAction::triggered, this, [this] { BtnGenfontClick(); });
    connect(BtnSpecCustom, &QToolButton::clicked, this, [this] { BtnSpecCustomClick(); });
    new KeyPressFilter(EgfYofs, [this](QChar& key) { EgfYofsKeyPress(key); });
    connect(BtnGenSource, &QPushButton::clicked, this, [this] { BtnGenSourceClick(); });
    connect(Generatesourcecode1, &QAction::triggered, this, [this] { BtnGenSourceClick(); });
    connect(Generatecharsetimage1, &QAction::triggered, this,
            [this] { Generatecharsetimage1Click(); });
    connect(ImgTxt, &SampleStripView::doubleClicked, this, [this] { ImgTxtDblClick(); });
    connect(MBtnHelp, &QAction::triggered, this, [this] { MBtnHelpClick(); });
    connect(MBtnAbout, &QAction::triggered, this, [this] { MBtnAboutClick(); });

    // Edit history.
    connect(MBtnUndo, &QAction::triggered, this, [this] { MBtnUndoClick(); });
    connect(MBtnRedo, &QAction::triggered, this, [this] { MBtnRedoClick(); });
}

} // namespace zelvik
