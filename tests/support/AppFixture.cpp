#include "support/AppFixture.h"

#include "editor/ui/PixelGrid.h"
#include "session/ApplicationError.h"
#include "ui/PanelStatusBar.h"
#include "ui/ReportingApplication.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTimer>

namespace zelvik::test {

void AppFixture::SetUp() {
    ASSERT_TRUE(startupDir.isValid());
    windows = createAppWindows(platform, startupDir.path());
    if (auto* app = ReportingApplication::instance()) {
        app->setErrorReport(
            [this](const QString& message) { reportApplicationError(platform, message); });
    }
    showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
}

void AppFixture::showMainWindow() {
    form().show();
    // The start-up splash would come up in the middle of a test that runs the
    // event loop for long enough; its own tests start it themselves.
    form().Timer1->stop();
}

void AppFixture::TearDown() {
    EXPECT_TRUE(platform.scriptUsedUp()) << "scripted answers left over";
    if (auto* app = ReportingApplication::instance())
        app->setErrorReport({});
    windows = AppWindows();
}

QString AppFixture::panel(int index) const {
    return windows.Form1->SB1->panelText(index);
}

void AppFixture::type(QLineEdit* field, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void AppFixture::pressEnter(QLineEdit* field) {
    QTest::keyClick(field, Qt::Key_Return);
}

void AppFixture::pressDelete(QLineEdit* field) {
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
}

void AppFixture::clearField(QLineEdit* field) {
    field->selectAll();
    pressDelete(field);
}

void AppFixture::pasteText(QLineEdit* field, const QString& text) {
    field->selectAll();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void AppFixture::clickListItem(int index) {
    QListWidget* list = form().ListCharSet;
    QListWidgetItem* item = list->item(index);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QPoint AppFixture::cellCentre(int col, int row) {
    return form().DrawMatrix->cellRect(col, row).center();
}

void AppFixture::clickCell(int col, int row, Qt::MouseButton button) {
    QTest::mouseClick(form().DrawMatrix, button, {}, cellCentre(col, row));
}

void AppFixture::setSize(const char* field, int value) {
    auto* edit = control<QLineEdit>(field);
    clearField(edit);
    type(edit, QString::number(value));
    pressEnter(edit);
}

} // namespace zelvik::test
