// F1 and the help file, the about box and the start-up splash.

#include "app/TAForm.h"
#include "support/AppFixture.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class HelpCommand : public AppFixture {
protected:
    QString makeFile(const QString& relative) {
        const QString path = startupDir.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        writeFileBytes(path, "<html></html>");
        return QDir::toNativeSeparators(path);
    }
};

class AboutBox : public AppFixture {
protected:
    TAForm& about() { return *windows.AForm; }

    // Answers the next about box with `body`, run while the box is shown.
    void whileShown(std::function<void(TAForm&)> body) {
        platform.dialogAnswers.push_back([this, body](QDialog& d) {
            EXPECT_EQ(&d, &about());
            d.show();
            body(about());
            return d.result();
        });
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }

    static void hover(QWidget* w, bool inside) {
        if (inside) {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(w, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(w, &leave);
        }
    }
};

} // namespace

TEST_F(HelpCommand, WithoutAFileShowsOnlyItsMessage) {
    // Run from the build folder: there is no manual installed beside it.
    EXPECT_TRUE(form().installedHelpPath.endsWith(
        QDir::toNativeSeparators("share/zelvik/help/help_eng.html")));
    ASSERT_FALSE(QFileInfo::exists(form().installedHelpPath));

    form().MBtnHelp->trigger();

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Missing help file!");
    EXPECT_EQ(platform.messages[0].caption, "Error ...");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(platform.openedUrls.empty());
    EXPECT_TRUE(platform.dialogTitles.empty());
    EXPECT_FALSE(font().fontModified);
}

TEST_F(HelpCommand, OpensExactlyTheFileOfTheStartUpFolder) {
    const QString file = makeFile("help/help_eng.html");
    ASSERT_EQ(form().helpFilePath, file);
    form().installedHelpPath = makeFile("installed/help_eng.html");

    form().MBtnHelp->trigger();

    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_EQ(platform.openedUrls[0], QUrl::fromLocalFile(file));
}

TEST_F(HelpCommand, TheSettingsFileCanNameAnotherFile) {
    const QString manual = makeFile("doc/manual.html");
    makeFile("help/help_eng.html");
    writeFileBytes(startupDir.filePath("config.ini"), "[PATH]\nhelp=doc\\manual.html\n");
    windows = AppWindows();
    windows = createAppWindows(platform, startupDir.path());
    showMainWindow();

    form().MBtnHelp->trigger();

    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_EQ(platform.openedUrls[0], QUrl::fromLocalFile(manual));
}

TEST_F(HelpCommand, WithoutAFileInTheStartUpFolderTheInstalledManualOpens) {
    form().installedHelpPath = makeFile("prefix/share/zelvik/help/help_eng.html");
    // A failed start of the viewer is not the program's to report.
    platform.openResult = false;

    form().MBtnHelp->trigger();

    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_EQ(platform.openedUrls[0], QUrl::fromLocalFile(form().installedHelpPath));
}

TEST_F(AboutBox, IsABorderlessBoxCentredOnTheMainWindow) {
    form().move(40, 30);
    bool checked = false;
    whileShown([&](TAForm& box) {
        EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(box.size(), QSize(492, 136));
        const QRect main = form().frameGeometry();
        EXPECT_NEAR(box.geometry().center().x(), main.center().x(), 1);
        EXPECT_NEAR(box.geometry().center().y(), main.center().y(), 1);
        EXPECT_EQ(box.Label1->text(), "Zelvik");
        // One version and date, from the build, in all three places.
        const CliRun cli = runCli({QStringLiteral("--version")});
        const QString version = QString::fromStdString(cli.out).section(u' ', 1).trimmed();
        EXPECT_EQ(cli.out, "zelvik-cli " + version.toStdString() + "\n");
        EXPECT_EQ(box.Label2->text(), "V" + version + " ");
        EXPECT_EQ(box.Label3->text(), "17.1.2015 ");
        EXPECT_TRUE(QString::fromStdString(readFileBytes(QStringLiteral(ZELVIK_METAINFO_PATH)))
                        .contains("<release version=\"" + version + "\" date=\"2015-01-17\"/>"));
        EXPECT_FALSE(box.Image1->pixmap().isNull()) << "the logo is in the resources";
        checked = true;
        box.FormKeyPress(QChar(27));
    });
    form().MBtnAbout->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(form().MBtnAbout->shortcut(), QKeySequence("Ctrl+A"));
}

TEST_F(AboutBox, TheLinkLinesOpenMailAndWebAndKeepTheBoxOpen) {
    whileShown([&](TAForm& box) {
        click(box.Label9);
        EXPECT_TRUE(box.isVisible()) << "the e-mail line does not close the box";
        click(box.Label10);
        EXPECT_TRUE(box.isVisible()) << "the web line does not close the box";
        click(box.Label1);
        EXPECT_FALSE(box.isVisible()) << "the title closes the box";
    });
    form().MBtnAbout->trigger();
    ASSERT_EQ(platform.openedUrls.size(), 2u);
    EXPECT_EQ(platform.openedUrls[0], QUrl("mailto:zelvik@example.org"));
    EXPECT_EQ(platform.openedUrls[1], QUrl("https://example.org/zelvik/"));
}

TEST_F(AboutBox, AClickAnywhereElseClosesIt) {
    TAForm& box = about();
    for (QWidget* w : std::initializer_list<QWidget*>{
             box.Label1, box.Label2, box.Label3, box.Label4, box.Label6, box.Label7, box.Label8,
             box.Image1, box.Panel1, box.Panel2}) {
        whileShown([&](TAForm& shown) {
            // A right click is no click.
            QTest::mouseClick(w, Qt::RightButton, {}, QPoint(2, 2));
            EXPECT_TRUE(shown.isVisible()) << w->objectName().toStdString();
            click(w);
            EXPECT_FALSE(shown.isVisible()) << w->objectName().toStdString();
        });
        form().MBtnAboutClick();
    }
    EXPECT_TRUE(platform.openedUrls.empty());
}

TEST_F(AboutBox, TheLinkLinesTurnUnderlinedAndBlueUnderTheMouse) {
    TAForm& box = about();
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    for (QLabel* link : {box.Label9, box.Label10}) {
        hover(link, true);
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->palette().color(link->foregroundRole()), QColor(0, 0, 221));
        hover(link, false);
        EXPECT_FALSE(link->font().underline());
        EXPECT_EQ(link->palette().color(link->foregroundRole()), text);
    }
    // Other lines do not react.
    hover(box.Label8, true);
    EXPECT_FALSE(box.Label8->font().underline());
}

TEST_F(AboutBox, EscClosesItAndOtherKeysDoNot) {
    whileShown([&](TAForm& box) {
        QTest::keyClick(&box, Qt::Key_A);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClick(&box, Qt::Key_Space);
        EXPECT_TRUE(box.isVisible());
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_FALSE(box.isVisible());
    });
    form().MBtnAbout->trigger();
}

// The real timers: 200 ms after the first showing the box comes up, modal, and
// closes itself two seconds later.
TEST_F(AboutBox, TheSplashComesAfterTheFirstShowingAndClosesItself) {
    windows = AppWindows();
    windows = createAppWindows(platform, startupDir.path());
    ASSERT_EQ(form().Timer1->interval(), 200);
    ASSERT_EQ(about().Timer1->interval(), 2000);
    ASSERT_FALSE(about().Timer1->isActive());

    QElapsedTimer clock;
    qint64 shownAt = -1;
    qint64 closedAt = -1;
    platform.dialogAnswers.push_back([&](QDialog& d) {
        shownAt = clock.elapsed();
        EXPECT_EQ(&d, &about());
        EXPECT_FALSE(form().Timer1->isActive()) << "the main window's timer ticks once";
        EXPECT_TRUE(about().Timer1->isActive());
        const int result = d.exec();
        closedAt = clock.elapsed();
        return result;
    });
    clock.start();
    form().show();
    QTRY_VERIFY_WITH_TIMEOUT(closedAt >= 0, 10000);

    // Qt's coarse timers may fire up to 5% early, and both clocks count
    // whole milliseconds.
    EXPECT_GE(shownAt, 188);
    EXPECT_GE(closedAt - shownAt, 1898);
    EXPECT_FALSE(about().isVisible());
    EXPECT_FALSE(about().Timer1->isActive());

    // Only the first showing brings the splash.
    form().hide();
    form().show();
    QTest::qWait(300);
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
}

TEST_F(AboutBox, OpenedFromTheMenuItStaysUntilClosed) {
    about().Timer1->setInterval(50); // would have fired many times below
    whileShown([&](TAForm& box) {
        EXPECT_FALSE(box.Timer1->isActive());
        QTest::qWait(300);
        EXPECT_TRUE(box.isVisible());
        click(box.Label8);
        EXPECT_FALSE(box.isVisible());
    });
    form().MBtnAbout->trigger();
}

TEST_F(AboutBox, ASplashClosedEarlyLeavesItsTickHarmless) {
    about().Timer1->setInterval(300);
    // The splash, closed at once by a click.
    whileShown([](TAForm& box) { click(box.Label1); });
    form().Timer1Timer();
    ASSERT_TRUE(about().Timer1->isActive()) << "the box's timer still runs";

    // The tick finds the box closed and only stops itself.
    QTRY_VERIFY_WITH_TIMEOUT(!about().Timer1->isActive(), 5000);
    EXPECT_FALSE(about().isVisible());
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());

    // A box reopened from the menu before that tick closes with it.
    whileShown([](TAForm& box) { click(box.Label1); });
    form().Timer1Timer();
    ASSERT_TRUE(about().Timer1->isActive());
    QElapsedTimer clock;
    bool closedByTick = false;
    platform.dialogAnswers.push_back([&](QDialog& d) {
        clock.start();
        d.exec();
        closedByTick = !about().Timer1->isActive();
        return d.result();
    });
    form().MBtnAbout->trigger();
    EXPECT_TRUE(closedByTick);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutBox, ItsTitleLinesFitTheirFontsWhenShown) {
    whileShown([](TAForm& box) {
        for (QLabel* line : {box.Label1, box.Label2, box.Label3})
            EXPECT_EQ(line->size(), line->sizeHint()) << line->objectName().toStdString();
        EXPECT_EQ(box.Label1->font().pixelSize(), 24);
        EXPECT_TRUE(box.Label1->font().bold());
        EXPECT_TRUE(box.Label2->font().italic());
    });
    form().MBtnAbout->trigger();
}
