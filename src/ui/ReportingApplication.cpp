#include "ui/ReportingApplication.h"

#include <QScopedValueRollback>

#include <exception>

namespace zelvik {

ReportingApplication::ReportingApplication(int& argc, char** argv) : QApplication(argc, argv) {}

ReportingApplication* ReportingApplication::instance() {
    return dynamic_cast<ReportingApplication*>(QCoreApplication::instance());
}

void ReportingApplication::setErrorReport(ErrorReport report) {
    report_ = std::move(report);
}

bool ReportingApplication::notify(QObject* receiver, QEvent* event) {
    // Qt lets exceptions pass its event delivery up to here, and no further.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Unexpected error."));
    }
    // Reported: the event ends here.
    return true;
}

void ReportingApplication::report(const QString& message) {
    if (report_ && !reporting_) {
        const QScopedValueRollback<bool> guard(reporting_, true);
        try {
            report_(message);
            return;
        } catch (...) {
            // The box itself failed; stderr is all that is left.
        }
    }
    qCritical("%s", qUtf8Printable(message));
}

} // namespace zelvik
