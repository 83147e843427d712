#pragma once

// The program's six windows, created in their fixed order: the main window,
// then the export settings, font file version, sample text, about and custom
// characters dialogs. The program and the tests build them the same way.

#include <QString>

#include <functional>
#include <memory>

namespace zelvik {

class WidgetPlatform;
class TForm1;
class TFormE;
class TFFForm;
class TTxtForm;
class TAForm;
class TCCForm;

struct AppWindows {
    std::unique_ptr<TForm1> Form1; // owns the dialogs below
    TFormE* FormE = nullptr;
    TFFForm* FFForm = nullptr;
    TTxtForm* TxtForm = nullptr;
    TAForm* AForm = nullptr;
    TCCForm* CCForm = nullptr;

    AppWindows();
    AppWindows(AppWindows&&) noexcept;
    AppWindows& operator=(AppWindows&&) noexcept;
    ~AppWindows();
};

// `beforeFirstText` runs inside, before the first control measures a text
// (see TForm1).
AppWindows createAppWindows(WidgetPlatform& platform, const QString& startupFolder,
                            const std::function<void()>& beforeFirstText = {});

} // namespace zelvik
