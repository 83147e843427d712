#include "session/SessionRecovery.h"

#include "font/FileReplacement.h"
#include "session/EditingSession.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <cstdio>

namespace zelvik {

namespace {

// Far more than any copy the writer makes; a larger file is damaged.
constexpr qint64 kLongestCopy = 4 << 20;

std::unique_ptr<QLockFile> lockFor(const QString& copyPath) {
    auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
    // Only a dead editor leaves a stale lock; a lock's age says nothing.
    lock->setStaleLockTime(0);
    return lock;
}

QString recoveryQuestion(const RecoveryCopy& copy) {
    const QString file = copy.font.currentFileName.empty()
                             ? QStringLiteral("untitled")
                             : QString::fromStdString(copy.font.currentFileName);
    const QString when = QDateTime::fromMSecsSinceEpoch(copy.lastChanged)
                             .toLocalTime()
                             .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return QStringLiteral("Zelvik was closed without saving the font\n") + file +
           QStringLiteral(", last changed ") + when + QStringLiteral(".\nRecover it?");
}

} // namespace

SessionRecovery::SessionRecovery(EditingSession& session, QString folder, QObject* parent)
    : QObject(parent), session_(session), folder_(std::move(folder)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { delayElapsed(); });
    connect(&session_, &EditingSession::changed, this, [this] { sessionChanged(); });
}

SessionRecovery::~SessionRecovery() = default;

QString SessionRecovery::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

bool SessionRecovery::unsaved() const {
    return session_.fontModified() || session_.characterModified();
}

void SessionRecovery::sessionChanged() {
    if (!unsaved()) {
        timer_.stop();
        removeCopy();
        return;
    }
    // The write waits for a pause; an edit only notes the time.
    lastChange_ = QDateTime::currentMSecsSinceEpoch();
    if (!timer_.isActive())
        timer_.start(kDelayMs);
}

void SessionRecovery::delayElapsed() {
    const std::int64_t quiet = QDateTime::currentMSecsSinceEpoch() - lastChange_;
    if (quiet >= 0 && quiet < kDelayMs) {
        timer_.start(static_cast<int>(kDelayMs - quiet));
        return;
    }
    writeNow();
}

bool SessionRecovery::claimCopyPath() {
    if (!QDir().mkpath(folder_))
        return false;
    const QString path = QDir(folder_).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                                QString::fromLatin1(kRecoveryCopySuffix));
    auto lock = lockFor(path);
    if (!lock->tryLock(0))
        return false;
    copyPath_ = path;
    lock_ = std::move(lock);
    return true;
}

bool SessionRecovery::writeNow() {
    if (!unsaved())
        return true;
    if (copyPath_.isEmpty() && !claimCopyPath()) {
        reportOnce(QStringLiteral("cannot lock a recovery copy in ") + folder_);
        return false;
    }
    session_.fillRecoveryCopy(copy_);
    copy_.lastChanged = lastChange_ ? lastChange_ : QDateTime::currentMSecsSinceEpoch();
    const std::string bytes = serializeRecoveryCopy(copy_);
    const Result<> result =
        replaceFile(copyPath_, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                    QStringLiteral("cannot write the recovery copy ") + copyPath_);
    if (!result) {
        // A box on every pause in the editing would be worse than none.
        reportOnce(result.describe());
        return false;
    }
    written_ = true;
    failureReported_ = false;
    return true;
}

void SessionRecovery::reportOnce(const QString& message) {
    if (failureReported_)
        return;
    failureReported_ = true;
    std::fprintf(stderr, "zelvik: %s\n", qPrintable(message));
}

void SessionRecovery::removeCopy() {
    if (!written_)
        return;
    QFile::remove(copyPath_);
    written_ = false;
}

void SessionRecovery::sessionEnded() {
    timer_.stop();
    removeCopy();
    if (lock_)
        lock_->unlock();
}

void SessionRecovery::offerRecovery() {
    const QDir dir(folder_);
    if (!dir.exists())
        return;
    const QStringList copies = dir.entryList(
        {QLatin1Char('*') + QString::fromLatin1(kRecoveryCopySuffix)}, QDir::Files, QDir::Time);
    for (const QString& name : copies) {
        const QString path = dir.filePath(name);
        if (path == copyPath_)
            continue;
        // A copy whose lock we cannot take belongs to an editor still running.
        auto lock = lockFor(path);
        if (!lock->tryLock(0))
            continue;
        if (offer(path, std::move(lock)))
            return;
    }
}

bool SessionRecovery::offer(const QString& path, std::unique_ptr<QLockFile> lock) {
    QFile file(path);
    std::unique_ptr<RecoveryCopy> copy;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kLongestCopy + 1);
        file.close();
        if (bytes.size() <= kLongestCopy)
            copy = parseRecoveryCopy(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!copy) {
        // Kept for whoever wants to look into it, out of the way of the next start.
        const QString aside = path + QString::fromLatin1(kDamagedRecoveryCopySuffix);
        QFile::remove(aside);
        QFile::rename(path, aside);
        return false;
    }
    const MessageAnswer answer = session_.platform().messageBox(
        recoveryQuestion(*copy), QStringLiteral("Recovering font ..."), MessageIcon::Question,
        MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::No) {
        QFile::remove(path);
        return false;
    }
    if (answer != MessageAnswer::Yes)
        return false;
    // The copy becomes ours: it stays on disk until the session is saved.
    sessionEnded();
    copyPath_ = path;
    lock_ = std::move(lock);
    session_.restoreRecoveryCopy(*copy);
    // Restoring is no edit: the copy on disk is the session as it now is.
    timer_.stop();
    written_ = true;
    lastChange_ = copy->lastChanged;
    return true;
}

} // namespace zelvik
