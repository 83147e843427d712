// Writing the recovery copy of a full font: all 257 slots defined, 32 by 32
// pixels with ink, through the checked atomic write, as the editor does it a
// moment after the last edit.

#include "session/EditingSession.h"
#include "session/SessionRecovery.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace zelvik;

class NoQuestions final : public PlatformServices {
public:
    MessageAnswer messageBox(const QString&, const QString&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Cancel;
    }
    FileDialogAnswer openFileDialog(const FileDialogRequest&) override { return {}; }
    FileDialogAnswer saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<QFont> fontDialog(const QFont&) override { return std::nullopt; }
    bool openWithDesktop(const QUrl&) override { return false; }
};

void BM_WriteRecoveryCopyOfAFullFont(benchmark::State& state) {
    NoQuestions platform;
    EditingSession session(platform);
    QTemporaryDir folder;
    SessionRecovery recovery(session, folder.path());
    FontModel& font = session.font();
    font.ySize = kMaxSize;
    for (int i = 0; i < kSlotCount; ++i) {
        CharSlot& slot = font.slots[i];
        slot.name = "c" + std::to_string(i);
        slot.xSize = kMaxSize;
        for (int p = 0; p < kMatrixBytes; ++p)
            slot.pixels[p] = (p + i) % 3 == 0 ? 1 : 0;
    }
    session.markEdited();
    for (auto _ : state) {
        if (!recovery.writeNow()) {
            state.SkipWithError("the copy could not be written");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_WriteRecoveryCopyOfAFullFont)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
