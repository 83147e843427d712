#pragma once

// All six windows of the program over a ScriptedPlatform, the main window
// shown offscreen, plus small helpers that act as a person would: click,
// type, press Enter, paint a cell.

#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "support/ScriptedPlatform.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zelvik::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TForm1& form() { return *windows.Form1; }
    FontModel& font() { return form().fontModel(); }
    WorkingCharacter& working() { return form().working(); }

    // A control of the main window found by its name; fails the test when missing.
    template <class T> T* control(const char* name) {
        T* widget = form().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Shows the main window without its start-up splash.
    void showMainWindow();
    QString panel(int index) const;
    bool pixel(int x, int y) { return pixelSet(working().pixels, x, y); }

    // Types `text` into a field key by key, as the keyboard would.
    void type(QLineEdit* field, const QString& text);
    void pressEnter(QLineEdit* field);
    // The Delete key with the text X11 sends along, U+007F.
    void pressDelete(QLineEdit* field);
    // Clears the field (select all + Delete; neither types a character).
    void clearField(QLineEdit* field);
    // Selects the field's text and pastes `text` over it with Ctrl+V.
    void pasteText(QLineEdit* field, const QString& text);

    void clickListItem(int index);
    // The centre of a grid cell, in DrawMatrix coordinates.
    QPoint cellCentre(int col, int row);
    void clickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton);
    void setSize(const char* field, int value);

    // The start-up folder: config.ini is read from and written to it.
    QTemporaryDir startupDir;
    ScriptedPlatform platform;
    AppWindows windows;
};

} // namespace zelvik::test
