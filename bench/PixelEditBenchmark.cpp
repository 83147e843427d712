// One pixel edit in the character editor, from the mouse event to the
// finished repaint of the grid and the preview, with a 32 by 32 character,
// offscreen. Each iteration drags the held left (then right) button onto the
// next cell, so every iteration really changes a pixel. Every preview paint
// rebuilds the sample strip: the second case has a full sample text of 128
// stored characters of 32 by 32 pixels.
// And the undo and the redo of one stroke, each to the finished repaint.
// The recovery copy is kept as in the program: an edit only notes its time.

#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "editor/ui/PixelGrid.h"
#include "preview/SampleStrip.h"
#include "preview/ui/SampleStripView.h"
#include "session/PlatformServices.h"
#include "session/SessionRecovery.h"
#include "ui/PaintBox.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvik;

// Answers every question with its default; a pixel edit asks none.
class SilentPlatform final : public WidgetPlatform {
public:
    MessageAnswer messageBox(const QString&, const QString&, MessageIcon,
                             MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    FileDialogAnswer openFileDialog(const FileDialogRequest&) override { return {}; }
    FileDialogAnswer saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<QFont> fontDialog(const QFont&) override { return std::nullopt; }
    int execDialog(QDialog&) override { return 0; }
    bool openWithDesktop(const QUrl&) override { return false; }
};

class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// 128 characters of 32 by 32 pixels, each stored with ink, and a sample
// text that uses all of them.
void storeFullSampleText(TForm1& form) {
    FontModel& font = form.fontModel();
    std::string text;
    for (int i = 0; i < kMaxSampleTextLength; ++i) {
        const int code = 128 + i;
        CharSlot& slot = font.slots[code];
        slot.name = "c" + std::to_string(code);
        slot.xSize = kMaxSize;
        for (int x = 0; x < kMatrixEdge; ++x)
            for (int y = 0; y < kMatrixEdge; ++y)
                slot.pixels[pixelIndex(x, y)] = (x + y + i) % 3 == 0 ? 1 : 0;
        text.push_back(static_cast<char>(code));
    }
    form.sampleText = text;
}

// The main window showing a 32 by 32 character, with its grid and preview
// paints counted; with `fullSampleText`, 128 stored 32 by 32 characters in
// the sample strip, which every preview paint rebuilds.
struct EditorWindow {
    SilentPlatform platform;
    AppWindows windows;
    PaintCounter gridPaints;
    PaintCounter previewPaints;
    QTemporaryDir recoveryFolder;
    std::unique_ptr<SessionRecovery> recovery;

    TForm1& form() { return *windows.Form1; }

    // Nothing when the window is ready, or why it is not.
    const char* open(bool fullSampleText = false) {
        windows = createAppWindows(platform, QDir::tempPath());
        recovery = std::make_unique<SessionRecovery>(form().session(), recoveryFolder.path());
        if (fullSampleText)
            storeFullSampleText(form());
        form().working().xSize = 32;
        form().ShowXSize(32);
        form().fontModel().ySize = 32;
        form().ShowYSize(32);
        form().show();
        if (!QTest::qWaitForWindowExposed(&form()))
            return "the main window was never exposed";
        QApplication::processEvents();
        if (fullSampleText && form().ImgTxt->picture() == renderSampleStrip(FontModel(), ""))
            return "the sample strip shows no characters";
        form().DrawMatrix->installEventFilter(&gridPaints);
        form().ImgChar->installEventFilter(&previewPaints);
        return nullptr;
    }
};

void BM_PixelEditToRepaint(benchmark::State& state) {
    const bool fullSampleText = state.range(0) != 0;
    state.SetLabel(fullSampleText ? "128 characters of 32x32 in the sample strip"
                                  : "starting sample text, empty font");
    EditorWindow window;
    if (const char* why = window.open(fullSampleText)) {
        state.SkipWithError(why);
        return;
    }
    PixelGrid* grid = window.form().DrawMatrix;
    const PaintCounter& gridPaints = window.gridPaints;
    const PaintCounter& previewPaints = window.previewPaints;

    int step = 0;
    for (auto _ : state) {
        const int cell = step % 1024;
        const Qt::MouseButton button = (step / 1024) % 2 ? Qt::RightButton : Qt::LeftButton;
        ++step;
        const QPoint pos = grid->cellRect(cell % 32, cell / 32).center();
        QMouseEvent move(QEvent::MouseMove, pos, grid->mapToGlobal(pos), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
        QApplication::processEvents(); // runs the repaint of grid and preview
    }
    state.SetItemsProcessed(step);
    if (gridPaints.paints < step || previewPaints.paints < step)
        state.SkipWithError("not every edit repainted the grid and the preview");
}

BENCHMARK(BM_PixelEditToRepaint)
    ->ArgName("fullSampleText")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_UndoRedoStrokeToRepaint(benchmark::State& state) {
    EditorWindow window;
    if (const char* why = window.open()) {
        state.SkipWithError(why);
        return;
    }
    TForm1& form = window.form();
    PixelGrid* grid = form.DrawMatrix;
    // One stroke: press, a drag across the diagonal, release.
    const auto at = [grid](int i) { return grid->cellRect(i, i).center(); };
    QTest::mousePress(grid, Qt::LeftButton, {}, at(0));
    for (int i = 1; i < 32; ++i) {
        QMouseEvent move(QEvent::MouseMove, at(i), grid->mapToGlobal(at(i)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    QTest::mouseRelease(grid, Qt::LeftButton, {}, at(31));
    QApplication::processEvents();
    if (form.session().history().count() != 1) {
        state.SkipWithError("the drag was not one step");
        return;
    }
    const int gridBefore = window.gridPaints.paints;
    const int previewBefore = window.previewPaints.paints;

    int rounds = 0;
    for (auto _ : state) {
        form.MBtnUndo->trigger();
        QApplication::processEvents(); // the repaint of grid and preview
        form.MBtnRedo->trigger();
        QApplication::processEvents();
        ++rounds;
    }
    state.SetItemsProcessed(rounds);
    if (window.gridPaints.paints - gridBefore < 2 * rounds ||
        window.previewPaints.paints - previewBefore < 2 * rounds)
        state.SkipWithError("not every undo and redo repainted the grid and the preview");
}

// One iteration is an undo and a redo, each with its repaint.
BENCHMARK(BM_UndoRedoStrokeToRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
