#include "ui/ReportingApplication.h"

#include "ui/ApplicationError.h"

#include <QScopedValueRollback>
#include <QWidget>

#include <exception>

namespace zelvik {

ReportingApplication::ReportingApplication(int& argc, char** argv) : QApplication(argc, argv) {}

ReportingApplication* ReportingApplication::instance() {
    return dynamic_cast<ReportingApplication*>(QCoreApplication::instance());
}

void ReportingApplication::reportErrorsTo(PlatformServices& platform, QWidget* parent) {
    platform_ = &platform;
    parent_ = parent;
}

void ReportingApplication::stopReportingErrors() {
    platform_ = nullptr;
    parent_ = nullptr;
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
    if (platform_ && !reporting_) {
        const QScopedValueRollback<bool> guard(reporting_, true);
        try {
            reportApplicationError(*platform_, parent_, message);
            return;
        } catch (...) {
            // The box itself failed; the log is all that is left.
        }
    }
    qCritical("%s", qUtf8Printable(message));
}

} // namespace zelvik
