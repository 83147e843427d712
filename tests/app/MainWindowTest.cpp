// The main window as the program starts: its windows, controls, menu, status
// bar, menu shortcuts over fields, and the one error box for a number that
// does not fit and for an exception that escapes a handler.

#include "editor/ui/PixelGrid.h"
#include "support/AppFixture.h"
#include "ui/PanelStatusBar.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <stdexcept>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class MainWindow : public AppFixture {};

} // namespace

TEST_F(MainWindow, StartsWithAnEmptyFontAndCodeZeroCurrent) {
    EXPECT_EQ(form().windowTitle(), "Zelvik");
    EXPECT_EQ(form().objectName(), "Form1");
    EXPECT_EQ(form().minimumSize(), form().maximumSize()) << "the window is not resizable";
    EXPECT_EQ(form().width(), 776);
    EXPECT_EQ(form().height() - form().menuBar()->height(), 541);

    auto* list = control<QListWidget>("ListCharSet");
    EXPECT_EQ(list->count(), 257);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(font().currentIndex, 0);
    EXPECT_EQ(form().DrawMatrix->colCount(), 8);
    EXPECT_EQ(form().DrawMatrix->rowCount(), 16);
    EXPECT_EQ(control<QLineEdit>("EditXres")->text(), "8");
    EXPECT_EQ(control<QLineEdit>("EditYres")->text(), "16");
    EXPECT_EQ(control<UpDown>("UpDown1")->position(), 8);
    EXPECT_EQ(control<UpDown>("UpDown2")->position(), 16);
    EXPECT_EQ(control<QLineEdit>("EditFontPrefix")->text(), "");
    EXPECT_EQ(control<QLineEdit>("EditCharCode")->text(), "0");
    EXPECT_EQ(control<QLineEdit>("EditCharName")->text(), "");
    EXPECT_EQ(panel(kPanelFile), " ");
    EXPECT_EQ(panel(kPanelModified), "");
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(form().sampleText, ">>> double-click to enter sample text <<<");
    EXPECT_FALSE(form().folders.fontSaveFolder.isEmpty());
    EXPECT_EQ(form().folders.pictureFolder, form().folders.fontOpenFolder);
}

TEST_F(MainWindow, CreatesTheSixWindowsInOrder) {
    const auto dialogs = form().findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(dialogs.size(), 5);
    const char* names[] = {"FormE", "FFForm", "TxtForm", "AForm", "CCForm"};
    const char* classes[] = {"zelvik::TFormE", "zelvik::TFFForm", "zelvik::TTxtForm",
                             "zelvik::TAForm", "zelvik::TCCForm"};
    const char* captions[] = {"Font data export settings", "Font file version", "Sample text", "",
                              "Customize characters 0x80-0xFF"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dialogs[i]->objectName(), names[i]);
        EXPECT_STREQ(dialogs[i]->metaObject()->className(), classes[i]);
        EXPECT_EQ(dialogs[i]->windowTitle(), captions[i]) << names[i];
        EXPECT_FALSE(dialogs[i]->isVisible());
    }
    EXPECT_EQ(form().dialogs.FormE, windows.FormE);
    EXPECT_EQ(form().dialogs.CCForm, windows.CCForm);
}

TEST_F(MainWindow, ControlsCarryTheirNamesCaptionsAndHints) {
    struct Expected {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Expected buttons[] = {
        {"BtnClearChar", "Clear symbol", "Clears symbol image"},
        {"BtnSaveChar", "Save character", "Save current character changes"},
        {"BtnEraseChar", "Erase character", "Remove character from font"},
        {"BtnNew", "New (clear all symbols)", "Clear all characters in font"},
        {"BtnLoadCharSet", "Open font", "Open font file"},
        {"BtnSaveCharSet", "Save font", "Save font to file"},
        {"BtnGenSource", "Generate source", "Generate source code"},
        {"BtnGenfont", "Generate font", "Generate font with current settings"},
    };
    for (const auto& e : buttons) {
        auto* b = control<QPushButton>(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), e.caption);
        EXPECT_EQ(b->toolTip(), e.hint);
    }
    const Expected checks[] = {
        {"CBgc_AZaz", "A-Z, a-z", "Allow symbols a-z, A-Z"},
        {"CBgc_09", "0-9", "Allow symbols 0-9"},
        {"CBgc_sx20x7F", "Special 0x20-0x7F", "Allow special ASCII symbols"},
        {"CBgc_Sx80xFF", "Special 0x80-0xFF", "Allow additional symbols 128 to 255"},
        {"CBalign", "Align characters left", "Align all symbols left"},
        {"CBcut", "Set minimum x-size", "Set minimal x-size for each symbol"},
        {"CBnotalign09", "Don't align 0-9", "Don't align numbers"},
        {"CBgfYofs", "Add y-offset", ""},
    };
    for (const auto& e : checks) {
        auto* c = control<QCheckBox>(e.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->text(), e.caption);
        EXPECT_EQ(c->toolTip(), e.hint);
        EXPECT_EQ(c->isChecked(), std::string(e.name) != "CBgc_Sx80xFF") << e.name;
    }
    const Expected fields[] = {
        {"EditXres", "8", "X-size (1-32)"},
        {"EditYres", "16", "Y-size (1-32), common for all symbols"},
        {"EditFontPrefix", "", "Enter C style font identifier"},
        {"EditCharName", "",
         "Enter C style symbol identifier, double-click to generate automatically"},
        {"EditCharCodeOrd", "", "Type character-key for this symbol"},
        {"EditCharCode", "0", "Type character position in font (0-255)"},
        {"EgfYofs", "0",
         "Signed vertical offset for symbol generator. Use 0 as default. Use negative value to "
         "move symbol up."},
    };
    for (const auto& e : fields) {
        auto* f = control<QLineEdit>(e.name);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->text(), e.caption);
        EXPECT_EQ(f->toolTip(), e.hint);
    }
    const Expected labels[] = {{"Label1", "x", ""},
                               {"Label2", "Font name:", ""},
                               {"Label3", "Symbol name:", ""},
                               {"Label4", "Symbol code:", ""},
                               {"Label5", "Generated characters:", ""},
                               {"Label6", "Characters to generate:", ""},
                               {"Label7", "Post processing:", ""}};
    for (const auto& e : labels)
        EXPECT_EQ(control<QLabel>(e.name)->text(), e.caption);
    const Expected groups[] = {{"GroupBox1", " Character editor: ", ""},
                               {"GroupBox3", " Character/font propetries: ", ""},
                               {"GroupBox4", " Font generator: ", ""},
                               {"GroupBox2", " Font: ", ""}};
    for (const auto& e : groups)
        EXPECT_EQ(control<QGroupBox>(e.name)->title(), e.caption);
    const Expected tools[] = {{"BtnArru", "", "Move symbol data up"},
                              {"BtnArrd", "", "Move symbol data down"},
                              {"BtnArrr", "", "Move symbol data right"},
                              {"BtnArrl", "", "Move symbol data left"},
                              {"BtnSpecCustom", "", "Select aditional symbols to generate"}};
    for (const auto& e : tools)
        EXPECT_EQ(control<QToolButton>(e.name)->toolTip(), e.hint);
    EXPECT_EQ(control<QListWidget>("ListCharSet")->toolTip(), "Click to select character");

    auto* grid = control<PixelGrid>("DrawMatrix");
    EXPECT_EQ(grid->size(), QSize(356, 355));
    EXPECT_EQ(grid->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(control<QWidget>("ImgChar")->size(), QSize(60, 60));
    EXPECT_EQ(control<QWidget>("ImgChar")->toolTip(), "Symbol preview");
    EXPECT_EQ(control<QWidget>("ImgTxt")->size(), QSize(762, 50));
    EXPECT_EQ(control<QWidget>("ImgTxt")->toolTip(), "Double-click here to enter sample text");
    auto* yOffset = control<UpDown>("UpDown3");
    EXPECT_EQ(yOffset->minimum(), -32);
    EXPECT_EQ(yOffset->maximum(), 32);
    EXPECT_EQ(yOffset->position(), 0);

    const QFont listFont = control<QListWidget>("ListCharSet")->font();
    EXPECT_EQ(listFont.family(), "Courier New");
    EXPECT_EQ(listFont.pointSize(), 8);
    const QFontMetrics metrics(listFont);
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'))
        << "the substitute is not monospaced: " << QFontInfo(listFont).family().toStdString();
    EXPECT_EQ(form().QWidget::font().family(), "Tahoma");
}

TEST_F(MainWindow, MenuItemsHaveTheirCaptionsAndShortcuts) {
    EXPECT_EQ(form().menuBar()->objectName(), "MainMenu1");
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"MBtnNewFont", "New font", "Ctrl+N"},
        {"MBtnOpenFont", "Open font", "Ctrl+O"},
        {"MBtnSaveFont", "Save font", "Ctrl+S"},
        {"MBtnExit", "Exit", "Alt+F4"},
        {"MBtnGenFont", "Generate font", "Ctrl+G"},
        {"MBtnClearChar", "Clear char", ""},
        {"MBtnSaveChar", "Save char", ""},
        {"MBtnEraseChar", "Erase char", ""},
        {"Generatesourcecode1", "Generate source code", ""},
        {"Generatecharsetimage1", "Generate charset image", ""},
        {"MBtnHelp", "Help", "F1"},
        {"MBtnAbout", "About", "Ctrl+A"},
    };
    for (const auto& item : items) {
        auto* action = control<QAction>(item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)))
            << item.name;
    }
    QStringList menus;
    for (QAction* a : form().menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"File", "Edit", "Generate", "Help"}));
}

TEST_F(MainWindow, StatusBarHasFourPanels) {
    auto* bar = control<PanelStatusBar>("SB1");
    ASSERT_EQ(bar->panelCount(), 4);
    const int widths[] = {150, 70, 450, 50};
    const Qt::Alignment aligns[] = {Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft,
                                    Qt::AlignHCenter};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bar->panel(i)->width(), widths[i]);
    // The coordinate panel grows when the substituted font needs more room.
    QLabel* xy = bar->panel(kPanelXY);
    EXPECT_GE(xy->width(), widths[3]);
    EXPECT_LE(xy->fontMetrics().horizontalAdvance("x=31, y=31"), xy->contentsRect().width());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->panel(i)->alignment() & Qt::AlignHorizontal_Mask, aligns[i]);
    }
}

TEST_F(MainWindow, ExitShortcutClosesTheWindow) {
    QTest::keyClick(&form(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(form().isVisible());
}

TEST_F(MainWindow, MenuItemsRunTheHandlersOfTheirButtons) {
    clickCell(1, 1);
    control<QAction>("MBtnClearChar")->trigger();
    EXPECT_FALSE(pixel(1, 1));

    form().EditCharName->setText("nul");
    control<QAction>("MBtnSaveChar")->trigger();
    EXPECT_EQ(font().slots[0].name, "nul");

    platform.answer(MessageAnswer::Yes);
    control<QAction>("MBtnEraseChar")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Erasing character ...");
    EXPECT_EQ(font().slots[0].name, "");
}

TEST_F(MainWindow, OneAcceptedKeyInTheIdentifierMarksOnlyTheFont) {
    type(form().EditFontPrefix, "f");
    EXPECT_EQ(panel(kPanelFile), "  *");
    EXPECT_EQ(panel(kPanelModified), "");
    EXPECT_TRUE(font().fontModified);
    EXPECT_FALSE(font().characterModified);
}

TEST_F(MainWindow, NumberThatDoesNotFitIsReportedOnceAndChangesNothing) {
    struct Case {
        const char* field;
        const char* text;
    };
    const Case cases[] = {
        {"EditXres", "4294967297"}, {"EditYres", "2147483648"}, {"EditCharCode", "99999999999"}};
    for (const auto& c : cases) {
        platform.messages.clear();
        auto* field = control<QLineEdit>(c.field);
        pasteText(field, c.text);
        pressEnter(field);
        ASSERT_EQ(platform.messages.size(), 1u) << c.field;
        const RecordedMessage& m = platform.messages[0];
        EXPECT_EQ(m.text, QString("'%1' is not a valid integer value").arg(c.text));
        EXPECT_EQ(m.caption, "Zelvik");
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_EQ(field->text(), c.text) << "the field keeps what was pasted";
        EXPECT_EQ(working().xSize, 8);
        EXPECT_EQ(font().ySize, 16);
        EXPECT_EQ(form().DrawMatrix->colCount(), 8);
        EXPECT_EQ(form().DrawMatrix->rowCount(), 16);
        EXPECT_EQ(font().currentIndex, 0);
        EXPECT_FALSE(font().characterModified);
        EXPECT_FALSE(font().fontModified);
    }
}

TEST_F(MainWindow, MenuShortcutsWinOverTheControlWithTheFocus) {
    QSignalSpy about(form().MBtnAbout, &QAction::triggered);
    QSignalSpy help(form().MBtnHelp, &QAction::triggered);
    const char* fields[] = {"EditCharName", "EditFontPrefix", "EditCharCode", "EditCharCodeOrd",
                            "EditXres",     "EditYres",       "EgfYofs"};
    int presses = 0;
    for (const char* name : fields) {
        auto* field = control<QLineEdit>(name);
        const QString before = field->text();
        field->setFocus();
        platform.rejectDialog(); // the about box
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(about.count(), ++presses) << name;
        EXPECT_FALSE(field->hasSelectedText()) << "Ctrl+A is About, not select all: " << name;
        EXPECT_EQ(field->text(), before) << name;
        QTest::keyClick(field, Qt::Key_F1);
        EXPECT_EQ(help.count(), presses) << name;
    }
    platform.rejectDialog();
    QTest::keyClick(form().ListCharSet, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(about.count(), presses + 1);
    EXPECT_FALSE(font().characterModified);
    EXPECT_FALSE(font().fontModified);
    EXPECT_EQ(control<QLineEdit>("EditCharCode")->text(), "0");

    // Shortcuts no menu item binds stay the field's own.
    QLineEdit* name = form().EditCharName;
    name->setText("ab");
    name->setSelection(0, 1);
    QTest::keyClick(name, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(name->selectedText(), "ab");
}

TEST_F(MainWindow, AnExceptionFromAHandlerIsReportedAndTheProgramGoesOn) {
    // A timer tick runs its handler the way the splash timer does.
    QTimer tick;
    tick.setSingleShot(true);
    QObject::connect(&tick, &QTimer::timeout, &form(),
                     [] { throw std::runtime_error("Out of memory while drawing"); });
    for (std::size_t failures = 1; failures <= 2; ++failures) {
        tick.start(0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return platform.messages.size() == failures; }));
        const RecordedMessage& m = platform.messages.back();
        EXPECT_EQ(m.text, "Out of memory while drawing");
        EXPECT_EQ(m.caption, "Zelvik");
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }

    EXPECT_TRUE(form().isVisible());
    clickCell(2, 3);
    EXPECT_TRUE(pixel(2, 3));
    EXPECT_EQ(platform.messages.size(), 2u);
}
