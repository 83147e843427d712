#include "app/AppWindows.h"

#include "app/TAForm.h"
#include "app/TFFForm.h"
#include "app/TForm1.h"
#include "export/ui/TFormE.h"
#include "generator/ui/TCCForm.h"
#include "preview/ui/TTxtForm.h"
#include "session/SourceExportCommand.h"

namespace zelvik {

AppWindows::AppWindows() = default;
AppWindows::AppWindows(AppWindows&&) noexcept = default;
AppWindows& AppWindows::operator=(AppWindows&&) noexcept = default;
AppWindows::~AppWindows() = default;

AppWindows createAppWindows(WidgetPlatform& platform, const QString& startupFolder,
                            const std::function<void()>& beforeFirstText) {
    AppWindows windows;
    windows.Form1 = std::make_unique<TForm1>(platform, startupFolder, nullptr, beforeFirstText);
    TForm1* main = windows.Form1.get();
    // Dialogs are children of the main window: they centre on it and live
    // exactly as long as it does.
    windows.FormE = new TFormE(main->session().sourceExport(), main);
    windows.FormE->setFlashSizeSource([main](ExportTarget target, const ExportOptions& options) {
        return sourceExportFlashBytes(main->session(), target, options);
    });
    windows.FFForm = new TFFForm(main);
    windows.TxtForm = new TTxtForm(main);
    windows.AForm = new TAForm(platform, main);
    windows.CCForm = new TCCForm(main->session().fontGenerator(), main);
    main->dialogs = {windows.FormE, windows.FFForm, windows.TxtForm, windows.AForm, windows.CCForm};
    return windows;
}

} // namespace zelvik
