#pragma once

// Keeps the recovery copy of one editing session: written a short while after
// the last edit while anything is unsaved, removed as soon as nothing is. The
// copy lies in a folder shared by every editor of the user; each editor
// writes a copy of its own and holds a lock on it, so that at start-up an
// editor offers back only the copies whose editor is gone.

#include "session/RecoveryCopy.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace zelvik {

class EditingSession;

class SessionRecovery final : public QObject {
    Q_OBJECT
public:
    // The quiet time after an edit before the copy is written.
    static constexpr int kDelayMs = 2000;

    SessionRecovery(EditingSession& session, QString folder, QObject* parent = nullptr);
    ~SessionRecovery() override;

    // The user's data folder for the copies.
    static QString defaultFolder();

    // At start-up: asks about each copy whose editor is gone. Yes restores it
    // into the session (and this editor keeps it as its own copy), No deletes
    // it, Cancel keeps it for the next start. A damaged copy is set aside
    // without a question. After a Yes the remaining copies wait for the next
    // start: one editor holds one session.
    void offerRecovery();
    // The editor closed normally: its copy goes.
    void sessionEnded();

    // Writes the copy now if anything is unsaved; false when the write failed.
    bool writeNow();
    // Where this editor's copy goes; empty until it is first written.
    QString copyPath() const { return copyPath_; }
    bool hasCopy() const { return written_; }

private:
    void sessionChanged();
    void delayElapsed();
    bool unsaved() const;
    void removeCopy();
    // Takes the lock of a new copy of ours; false when the folder is unusable.
    bool claimCopyPath();
    // Reads, asks and acts on one copy whose lock we hold. True after a Yes.
    bool offer(const QString& path, std::unique_ptr<QLockFile> lock);
    void reportOnce(const QString& message);

    EditingSession& session_;
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    RecoveryCopy copy_;
    std::int64_t lastChange_ = 0;
    bool written_ = false;
    bool failureReported_ = false;
};

} // namespace zelvik
