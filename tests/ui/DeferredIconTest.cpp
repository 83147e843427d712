// Icons made at their first use: nothing is made before, once after, and
// they draw as the icon they stand for; the menu items draw the style's icons.

#include "ui/DeferredIcon.h"
#include "support/AppFixture.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>

using namespace zelvik;
using namespace zelvik::test;

namespace {

QImage painted(const QIcon& icon, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect());
    return image;
}

class MenuIcons : public AppFixture {};

} // namespace

TEST(DeferredIcon, MakesTheIconOnceAtItsFirstUseAndDrawsAsIt) {
    const QIcon real = QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton);
    int made = 0;
    const QIcon icon = deferredIcon([&] {
        ++made;
        return real;
    });
    EXPECT_EQ(made, 0);
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(made, 1);
    QIcon copy = icon;
    copy.detach(); // a copy of its own engine

    for (const QSize size : {QSize(16, 16), QSize(20, 20), QSize(32, 32)}) {
        EXPECT_EQ(icon.actualSize(size), real.actualSize(size));
        EXPECT_EQ(icon.pixmap(size).toImage(), real.pixmap(size).toImage());
        EXPECT_EQ(copy.pixmap(size, QIcon::Disabled).toImage(),
                  real.pixmap(size, QIcon::Disabled).toImage());
        EXPECT_EQ(painted(icon, size), painted(real, size));
    }
    EXPECT_EQ(icon.availableSizes(), real.availableSizes());
    EXPECT_EQ(made, 1) << "copies share the one made icon";
}

TEST(DeferredIcon, ASmallStandardIconDrawsAsTheStylesIconAtEverySizeAndMode) {
    const QStyle* style = QApplication::style();
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogSaveButton, QStyle::SP_TrashIcon}) {
        const QIcon real = style->standardIcon(which);
        for (const QSize size : {QSize(16, 16), QSize(32, 32)}) {
            // Each case from a fresh icon: the first request may be the quick one.
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                const QIcon icon = smallStandardIcon(style, which);
                EXPECT_EQ(icon.pixmap(size, mode).toImage(), real.pixmap(size, mode).toImage())
                    << which << " " << size.width() << " " << mode;
            }
            EXPECT_EQ(painted(smallStandardIcon(style, which), size), painted(real, size));
            EXPECT_EQ(smallStandardIcon(style, which).actualSize(size), real.actualSize(size));
        }
    }
}

TEST(DeferredIcon, IsNullWhenTheMadeIconIs) {
    EXPECT_TRUE(deferredIcon([] { return QIcon(); }).isNull());
}

TEST_F(MenuIcons, DrawTheStylesStandardIcons) {
    const std::pair<QAction*, QStyle::StandardPixmap> items[] = {
        {form().MBtnNewFont, QStyle::SP_FileIcon},
        {form().MBtnOpenFont, QStyle::SP_DialogOpenButton},
        {form().MBtnSaveFont, QStyle::SP_DialogSaveButton},
        {form().MBtnExit, QStyle::SP_DialogCloseButton},
        {form().MBtnEraseChar, QStyle::SP_TrashIcon},
        {form().MBtnUndo, QStyle::SP_ArrowBack},
        {form().MBtnRedo, QStyle::SP_ArrowForward},
        {form().MBtnHelp, QStyle::SP_DialogHelpButton},
        {form().MBtnAbout, QStyle::SP_MessageBoxInformation},
    };
    for (const auto& [action, which] : items) {
        const QIcon expected = form().style()->standardIcon(which);
        EXPECT_EQ(action->icon().pixmap(16, 16).toImage(), expected.pixmap(16, 16).toImage())
            << action->objectName().toStdString();
    }
    EXPECT_TRUE(form().MBtnImportBdf->icon().isNull());
}
