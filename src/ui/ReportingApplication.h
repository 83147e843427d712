#pragma once

// The application object of the editor and of the widget tests. An exception
// that escapes a handler ends in the program's error box (see
// ApplicationError.h) instead of ending the program: the event that raised it
// is dropped and the program goes on with the next one.

#include <QApplication>
#include <QPointer>

namespace zelvik {

class PlatformServices;

class ReportingApplication final : public QApplication {
public:
    ReportingApplication(int& argc, char** argv);

    // The running application, or nullptr when it is another kind.
    static ReportingApplication* instance();

    // Where the error box goes. Until this is called, after
    // stopReportingErrors and while a box is up, errors go to stderr.
    void reportErrorsTo(PlatformServices& platform, QWidget* parent);
    void stopReportingErrors();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const QString& message);

    PlatformServices* platform_ = nullptr;
    QPointer<QWidget> parent_;
    // The box runs its own event loop: a handler that fails on every event
    // (a paint handler) must not stack one box on another.
    bool reporting_ = false;
};

} // namespace zelvik
