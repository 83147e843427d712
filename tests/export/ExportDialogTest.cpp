// The export settings dialog driven as a person would: the source type list
// and the pages follow each other, and every choice stays until exit.

#include "export/ExportFiles.h"
#include "export/LibraryGlyphs.h"
#include "export/ui/TFormE.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class ExportDialog : public AppFixture {
protected:
    TFormE& dialog() { return *windows.FormE; }

    void showDialog() {
        dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog()));
    }
    void clickTab(int index) {
        QTabBar* bar = dialog().PCsrc->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Picks a list item with the keyboard, from the top of the list.
    void pickItem(int index) {
        QComboBox* list = dialog().ComboSrcList;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    }
    template <class T> T* find(const char* name) {
        T* widget = dialog().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

struct PageRow {
    const char* sheet;
    const char* radios[2];
    const char* boxes[10];
};

constexpr PageRow kPages[] = {
    {"TabSheet1",
     {"RBc51vertikal", "RBc51horizontal"},
     {"CBc51VtsMSB", "CBc51VrightFirst", "CBc51ValignMSB", "CBc51Vinv", "CBc51Vbe", "CBc51HrsLSB",
      "CBc51HbsFirst", "CBc51HalignMSB", "CBc51Hinv", "CBc51Hbe"}},
    {"TabSheet2",
     {"RBavrVertical", "RBavrHorizontal"},
     {"CBavrVtsMSB", "CBavrVrsFirst", "CBavrVaMSB", "CBavrVinv", "CBavrVbe", "CBavrHrsLSB",
      "CBavrHbsFirst", "CBavrHaMSB", "CBavrHinv", "CBavrHbe"}},
    {"TabSheet3",
     {"RBcVertical", "RBcHorizontal"},
     {"CBcVtsMSB", "CBcVrsFirst", "CBcVaMSB", "CBcVinv", "CBcVbe", "CBcHrsLSB", "CBcHbsFirst",
      "CBcHaMSB", "CBcHinv", "CBcHbe"}},
};

constexpr const char* kBoxCaptions[10] = {
    "Top side to MSB",   "Right side first",  "Align to MSB", "Invert colors", "Big endian",
    "Right side to LSB", "Bottom side first", "Align to MSB", "Invert colors", "Big endian"};

} // namespace

TEST_F(ExportDialog, HasItsControlsNamedAndCaptionedWithEveryChoiceAtItsStart) {
    EXPECT_EQ(dialog().objectName(), "FormE");
    EXPECT_EQ(dialog().windowTitle(), "Font data export settings");
    EXPECT_FALSE(dialog().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(dialog().windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog().font().family(), "Tahoma");
    EXPECT_EQ(dialog().font().pointSize(), 8);
    showDialog();
    EXPECT_EQ(dialog().minimumSize(), dialog().maximumSize()) << "the frame is fixed";
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Source type:");
    EXPECT_EQ(find<QPushButton>("BtnSrcGen")->text(), "Generate source");

    QComboBox* list = find<QComboBox>("ComboSrcList");
    ASSERT_EQ(list->count(), 6);
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->currentIndex(), 0);
    QTabWidget* pages = find<QTabWidget>("PCsrc");
    ASSERT_EQ(pages->count(), 6);
    EXPECT_EQ(pages->currentIndex(), 0);

    const char* titles[] = {"C51 assembler", "AVR assembler", "C/C++"};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(titles[p]);
        EXPECT_EQ(list->itemText(p), titles[p]);
        EXPECT_FALSE(list->itemIcon(p).isNull());
        EXPECT_EQ(pages->tabText(p), titles[p]);
        QWidget* sheet = pages->widget(p);
        pages->setCurrentIndex(p); // only the shown page is laid out
        EXPECT_EQ(sheet->objectName(), kPages[p].sheet);

        auto* vertical = sheet->findChild<QRadioButton*>(kPages[p].radios[0]);
        auto* horizontal = sheet->findChild<QRadioButton*>(kPages[p].radios[1]);
        ASSERT_TRUE(vertical && horizontal);
        EXPECT_EQ(vertical->text(), "Vertical bytes");
        EXPECT_EQ(horizontal->text(), "Horizontal bytes");
        EXPECT_TRUE(vertical->isChecked());
        EXPECT_FALSE(horizontal->isChecked());
        for (int b = 0; b < 10; ++b) {
            auto* box = sheet->findChild<QCheckBox*>(kPages[p].boxes[b]);
            ASSERT_NE(box, nullptr) << kPages[p].boxes[b];
            EXPECT_EQ(box->text(), kBoxCaptions[b]) << kPages[p].boxes[b];
            EXPECT_FALSE(box->isChecked());
            EXPECT_TRUE(box->isEnabled());
            // Vertical boxes stand in the column of "Vertical bytes", below it.
            QRadioButton* radio = b < 5 ? vertical : horizontal;
            EXPECT_EQ(box->x(), radio->x()) << kPages[p].boxes[b];
            EXPECT_GT(box->y(), radio->y());
        }
    }
}

TEST_F(ExportDialog, ListAndPagesFollowEachOther) {
    showDialog();
    clickTab(1);
    EXPECT_EQ(dialog().PCsrc->currentIndex(), 1);
    EXPECT_EQ(dialog().ComboSrcList->currentIndex(), 1) << "clicking a tab selects its item";
    EXPECT_EQ(dialog().ComboSrcList->currentText(), "AVR assembler");

    pickItem(2);
    EXPECT_EQ(dialog().ComboSrcList->currentText(), "C/C++");
    EXPECT_EQ(dialog().PCsrc->currentWidget(), dialog().TabSheet3)
        << "picking an item shows its page";

    clickTab(0);
    EXPECT_EQ(dialog().ComboSrcList->currentIndex(), 0);
    pickItem(1);
    EXPECT_EQ(dialog().PCsrc->currentWidget(), dialog().TabSheet2);
}

TEST_F(ExportDialog, EachShowingOpensThePageOfTheSelectedItem) {
    showDialog();
    clickTab(2);
    dialog().hide();
    // Something else selected the item while the dialog was hidden.
    dialog().ComboSrcList->setCurrentIndex(1);
    EXPECT_EQ(dialog().PCsrc->currentIndex(), 2);
    showDialog();
    EXPECT_EQ(dialog().PCsrc->currentIndex(), 1);
}

TEST_F(ExportDialog, MainWindowSelectsTheFirstItemEachTimeItIsShown) {
    showDialog();
    clickTab(2);
    dialog().hide();
    form().hide();
    form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    EXPECT_EQ(dialog().ComboSrcList->currentIndex(), 0);
    showDialog();
    EXPECT_EQ(dialog().PCsrc->currentIndex(), 0);
}

TEST_F(ExportDialog, ChoicesStayBetweenShowingsAndAreReadFromTheirOwnPage) {
    showDialog();
    clickTab(1);
    QTest::mouseClick(find<QRadioButton>("RBavrHorizontal"), Qt::LeftButton);
    QTest::mouseClick(find<QCheckBox>("CBavrHbsFirst"), Qt::LeftButton);
    QTest::mouseClick(find<QCheckBox>("CBavrHbe"), Qt::LeftButton);
    // Boxes of the other orientation stay enabled, and can be set, but are not read.
    auto* vertical = find<QCheckBox>("CBavrVinv");
    EXPECT_TRUE(vertical->isEnabled());
    QTest::mouseClick(vertical, Qt::LeftButton);
    clickTab(2);
    QTest::mouseClick(find<QCheckBox>("CBcVtsMSB"), Qt::LeftButton);
    dialog().hide();
    showDialog();

    EXPECT_TRUE(find<QRadioButton>("RBavrHorizontal")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("RBavrVertical")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CBavrHbsFirst")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CBcVtsMSB")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("RBc51vertikal")->isChecked());

    EXPECT_EQ(dialog().selectedTarget(), ExportTarget::C);
    EXPECT_FALSE(dialog().verticalChosen(ExportTarget::Avr));
    ExportOptions avr;
    avr.vertical = false;
    avr.bottomSideFirst = true;
    avr.bigEndian = true;
    EXPECT_EQ(dialog().ReadExportOptions(ExportTarget::Avr, false), avr);
    ExportOptions c;
    c.topSideToMSB = true;
    EXPECT_EQ(dialog().ReadExportOptions(ExportTarget::C, true), c);
    EXPECT_EQ(dialog().ReadExportOptions(ExportTarget::C51, true), ExportOptions{});

    dialog().ComboSrcList->setCurrentIndex(-1);
    EXPECT_FALSE(dialog().selectedTarget().has_value()) << "no item selected: nothing to write";
}

TEST_F(ExportDialog, GenerateSourceAcceptsAndTheCloseBoxDoesNot) {
    showDialog();
    QTest::mouseClick(dialog().BtnSrcGen, Qt::LeftButton);
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_FALSE(dialog().isVisible());
    showDialog();
    dialog().close();
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
}

TEST_F(ExportDialog, ShowsTheFlashSizeOfTheChosenTargetAndOptionsAsTheyChange) {
    FontModel& f = font();
    f.fontIdentifier = "fnt";
    form().EditFontPrefix->setText("fnt");
    f.ySize = 9;
    for (int code = 'A'; code <= 'Z'; ++code) {
        f.slots[code].name = std::string(1, static_cast<char>(code));
        f.slots[code].xSize = 5;
        f.slots[code].pixels[pixelIndex(1, 2)] = 1;
    }
    f.slots[kBlankSlot].name = "blank";
    auto expected = [&](ExportTarget target, const ExportOptions& options) {
        GeneratedFiles files;
        EXPECT_TRUE(generateExport(f, "fnt", target, options,
                                   exportTarget(target).pathsForOutput("f.c"), files));
        return QString::fromStdString(flashSizeText(files.flashBytes));
    };
    showDialog();
    QLabel* flash = find<QLabel>("LabelFlashSize");
    EXPECT_EQ(flash->text(), expected(ExportTarget::C51, {}));
    // Nine rows take two bytes a column, five columns one byte a row.
    QTest::mouseClick(find<QRadioButton>("RBc51horizontal"), Qt::LeftButton);
    ExportOptions horizontal;
    horizontal.vertical = false;
    EXPECT_EQ(flash->text(), expected(ExportTarget::C51, horizontal));
    EXPECT_NE(expected(ExportTarget::C51, horizontal), expected(ExportTarget::C51, {}));
    pickItem(4);
    EXPECT_EQ(dialog().ComboSrcList->currentText(), "u8g2");
    EXPECT_EQ(flash->text(), expected(ExportTarget::U8g2, {}));
    EXPECT_TRUE(find<QLabel>("TabSheet5Use")->text().contains("u8g2.setFont(ID);"));
}

TEST_F(ExportDialog, DisplayListSetsThePagesAndShowsCustomAfterAChangeByHand) {
    showDialog();
    QComboBox* display = find<QComboBox>("ComboDisplay");
    EXPECT_EQ(display->currentText(), "SSD1306/SH1106") << "the start's layout is the SSD1306's";
    display->setFocus();
    QTest::keyClick(display, Qt::Key_End); // the last preset: SHARP memory LCD
    EXPECT_EQ(display->currentText(), "SHARP memory LCD");
    EXPECT_TRUE(find<QRadioButton>("RBc51horizontal")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CBc51Hinv")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CBcHinv")->isChecked()) << "every page is that display's";

    QTest::mouseClick(find<QCheckBox>("CBc51Hbe"), Qt::LeftButton);
    EXPECT_EQ(display->currentText(), "Custom");
    clickTab(2);
    EXPECT_EQ(display->currentText(), "SHARP memory LCD") << "the C page is unchanged";
    pickItem(4);
    EXPECT_FALSE(display->isEnabled()) << "a display library takes no packing";
}
