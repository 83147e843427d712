#pragma once

// The application object of the editor and of the widget tests. An exception
// that escapes a handler ends in the program's error box instead of ending
// the program: the event that raised it is dropped and the program goes on
// with the next one.

#include <QApplication>

#include <functional>

namespace zelvik {

class ReportingApplication final : public QApplication {
public:
    // Shows the message of an error no handler caught.
    using ErrorReport = std::function<void(const QString& message)>;

    ReportingApplication(int& argc, char** argv);

    // The running application, or nullptr when it is another kind.
    static ReportingApplication* instance();

    // Where errors go. Without a report, and while one is being shown, they
    // go to stderr.
    void setErrorReport(ErrorReport report);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const QString& message);

    ErrorReport report_;
    // The box runs its own event loop: a handler that fails on every event
    // (a paint handler) must not stack one box on another.
    bool reporting_ = false;
};

} // namespace zelvik
