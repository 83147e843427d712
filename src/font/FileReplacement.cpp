#include "font/FileReplacement.h"

#include "font/SystemPath.h"

#ifdef Q_OS_UNIX

#include <QDir>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelvik {

namespace {

// Each file is written to a temporary file beside its target, synced, closed
// and checked, and only then renamed over the target. Qt's QSaveFile is not
// used: it buffers small writes and only flushes them inside commit(), where
// a full disk goes unseen, and it never syncs.
//
// Names of the temporary files: ".NAME.PID.N.zelvik-tmp" for the new contents,
// ".NAME.PID.N.zelvik-old" for a second link to the old file while a group of
// files is replaced. A run that is killed leaves them behind; the next
// successful write of NAME removes those whose process is gone.
constexpr const char* kNewSuffix = ".zelvik-tmp";
constexpr const char* kOldSuffix = ".zelvik-old";
// Room for the dot, the process number, the counter and the suffix within
// the 255 bytes a name may have.
constexpr qsizetype kLongestStem = 200;

std::atomic<unsigned> sideFileCounter{0};

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

struct Target {
    QByteArray path;   // as the system names it
    QByteArray folder; // "." for a bare name
    QByteArray stem;   // the name, shortened to fit into the names of side files
    bool existed = false;
    bool direct = false; // a device or pipe: written in place
    mode_t mode = 0;
    QByteArray temporary; // the new contents, complete and synced
    QByteArray previous;  // a link to the old file, for putting it back
};

Target targetOf(const QString& path) {
    Target target;
    target.path = pathToSystem(path);
    struct stat info {};
    if (::lstat(target.path.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // A link stays a link: the file it points to is the one replaced.
        if (char* resolved = ::realpath(target.path.constData(), nullptr)) {
            target.path = resolved;
            std::free(resolved);
        }
    }
    const qsizetype slash = target.path.lastIndexOf('/');
    target.folder = slash < 0    ? QByteArray(".")
                    : slash == 0 ? QByteArray("/")
                                 : target.path.left(slash);
    target.stem = target.path.mid(slash + 1).left(kLongestStem);
    if (::stat(target.path.constData(), &info) == 0) {
        target.existed = true;
        target.mode = info.st_mode;
        target.direct = S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode);
    }
    return target;
}

QByteArray sideName(const Target& target, const char* suffix) {
    return target.folder + "/." + target.stem + '.' + QByteArray::number(::getpid()) + '.' +
           QByteArray::number(sideFileCounter.fetch_add(1)) + suffix;
}

// Creates a new side file and names it in `name`; -1 with errno on failure.
int createSideFile(const Target& target, const char* suffix, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A name of a process number used again by a run killed long ago is
        // taken: try the next number.
        name = sideName(target, suffix);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0)
                name.clear();
            return fd;
        }
    }
    name.clear();
    errno = EEXIST;
    return -1;
}

// 0, or the errno of the first failing call.
int writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::min<std::size_t>(left, 1u << 30));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

int syncData(int fd) {
#if defined(Q_OS_LINUX)
    const int synced = ::fdatasync(fd);
#else
    const int synced = ::fsync(fd);
#endif
    // A device or pipe has nothing to sync.
    return synced == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
}

// Writes, syncs and closes; 0 or the errno of the failing step.
int writeAndClose(int fd, const QByteArray& bytes) {
    int error = writeAll(fd, bytes);
    if (error == 0)
        error = syncData(fd);
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

int stage(Target& target, const QByteArray& bytes) {
    if (target.existed && S_ISDIR(target.mode))
        return EISDIR;
    if (target.direct) {
        const int fd = ::open(target.path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return fd < 0 ? errno : writeAndClose(fd, bytes);
    }
    const int fd = createSideFile(target, kNewSuffix, target.temporary);
    if (fd < 0)
        return errno;
    // The new file keeps the old one's permissions, as an editor's save does.
    if (target.existed)
        (void)::fchmod(fd, target.mode & 07777);
    const int error = writeAndClose(fd, bytes);
    if (error != 0) {
        ::unlink(target.temporary.constData());
        target.temporary.clear();
    }
    return error;
}

// Keeps the old contents of a target under a side name: a second link, or
// where the file system has none (FAT), a synced copy. 0 or the errno.
int keepPrevious(Target& target) {
    if (!target.existed || target.direct)
        return 0;
    target.previous = sideName(target, kOldSuffix);
    if (::link(target.path.constData(), target.previous.constData()) == 0)
        return 0;
    target.previous.clear();
    QFile old;
    if (!openForReading(
             old, pathFromSystem(std::string_view(target.path.constData(),
                                                  static_cast<std::size_t>(target.path.size()))))
             .isEmpty())
        return errno != 0 ? errno : EIO;
    const QByteArray bytes = old.readAll();
    if (old.error() != QFileDevice::NoError)
        return EIO;
    const int fd = createSideFile(target, kOldSuffix, target.previous);
    if (fd < 0)
        return errno;
    const int error = writeAndClose(fd, bytes);
    if (error != 0) {
        ::unlink(target.previous.constData());
        target.previous.clear();
    }
    return error;
}

void discardStaged(std::vector<Target>& targets) {
    for (Target& target : targets) {
        if (!target.temporary.isEmpty())
            ::unlink(target.temporary.constData());
        if (!target.previous.isEmpty())
            ::unlink(target.previous.constData());
    }
}

// Makes the renames durable. A folder that cannot be synced (some file
// systems refuse) holds the new files all the same.
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

bool processIsGone(const QByteArray& pid) {
    bool ok = false;
    const long number = pid.toLong(&ok);
    return ok && number > 0 && number != ::getpid() && ::kill(static_cast<pid_t>(number), 0) != 0 &&
           errno == ESRCH;
}

// Removes the side files of `target` that runs killed before they finished
// left behind.
void removeLeftovers(const Target& target) {
    DIR* folder = ::opendir(target.folder.constData());
    if (!folder)
        return;
    const QByteArray prefix = '.' + target.stem + '.';
    std::vector<QByteArray> stale;
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix) || !(name.endsWith(kNewSuffix) || name.endsWith(kOldSuffix)))
            continue;
        const QList<QByteArray> parts = name.mid(prefix.size()).split('.');
        // PID, N and the suffix's word.
        if (parts.size() == 3 && processIsGone(parts[0]))
            stale.push_back(target.folder + '/' + name);
    }
    ::closedir(folder);
    for (const QByteArray& path : stale)
        ::unlink(path.constData());
}

// Signals a user can send (Ctrl+C, a closed terminal, kill) wait while the
// targets are renamed, so that they never stop a group half replaced.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_{};
};

QString displayName(const FileContents& file) {
    return QDir::toNativeSeparators(file.path);
}

// Puts back the targets before `failed` after a later one could not be
// renamed. Empty when every one is as it was, else what each was left as.
QString rollBack(std::span<const FileContents> files, std::vector<Target>& targets,
                 std::size_t failed) {
    QStringList states;
    bool allRestored = true;
    for (std::size_t i = 0; i < failed; ++i) {
        Target& target = targets[i];
        if (target.direct)
            continue;
        bool restored = false;
        if (target.existed)
            restored = !target.previous.isEmpty() &&
                       ::rename(target.previous.constData(), target.path.constData()) == 0;
        else
            restored = ::unlink(target.path.constData()) == 0;
        if (restored)
            target.previous.clear();
        allRestored = allRestored && restored;
        states << (restored
                       ? QStringLiteral("%1: unchanged").arg(displayName(files[i]))
                       : QStringLiteral("%1: holds the new contents").arg(displayName(files[i])));
    }
    for (std::size_t i = failed; i < files.size(); ++i)
        states << QStringLiteral("%1: unchanged").arg(displayName(files[i]));
    return allRestored ? QString() : states.join(QLatin1Char('\n'));
}

} // namespace

Result<> replaceFiles(std::span<const FileContents> files) {
    std::vector<Target> targets;
    targets.reserve(files.size());
    for (const FileContents& file : files) {
        Target target = targetOf(file.path);
        for (const Target& earlier : targets) {
            if (earlier.path == target.path) {
                discardStaged(targets);
                return Result<>::fail(Failure::CannotCreate, file.failureMessage,
                                      QStringLiteral("Two output files have the same name."));
            }
        }
        const int error = stage(target, file.bytes);
        targets.push_back(std::move(target));
        if (error != 0) {
            discardStaged(targets);
            return Result<>::fail(Failure::CannotCreate, file.failureMessage, systemReason(error));
        }
    }

    // Every file is complete on disk. A group keeps a second link to each old
    // file so that it can go back should a later rename fail.
    for (std::size_t i = 0; i < targets.size() && files.size() > 1; ++i) {
        if (const int error = keepPrevious(targets[i]); error != 0) {
            discardStaged(targets);
            return Result<>::fail(Failure::CannotCreate, files[i].failureMessage,
                                  systemReason(error));
        }
    }

    {
        const SignalsHeld held;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            Target& target = targets[i];
            if (target.direct)
                continue;
            if (::rename(target.temporary.constData(), target.path.constData()) == 0) {
                target.temporary.clear();
                continue;
            }
            const int error = errno;
            const QString leftAs = rollBack(files, targets, i);
            discardStaged(targets);
            QString reason = systemReason(error);
            if (!leftAs.isEmpty())
                reason += QStringLiteral("\nThe files could not all be put back:\n") + leftAs;
            return Result<>::fail(Failure::CannotCreate, files[i].failureMessage, reason);
        }
    }
    discardStaged(targets); // the links to the old files
    for (std::size_t i = 0; i < targets.size(); ++i) {
        // A source and its header mostly share a folder: it is synced once.
        const auto sameFolder = [&](const Target& earlier) {
            return earlier.folder == targets[i].folder;
        };
        if (std::none_of(targets.begin(), targets.begin() + static_cast<std::ptrdiff_t>(i),
                         sameFolder))
            syncFolder(targets[i].folder);
        removeLeftovers(targets[i]);
    }
    return Result<>::success();
}

} // namespace zelvik

#else // not Unix: Qt's atomic save, with every step checked

#include <QSaveFile>

#include <memory>
#include <optional>
#include <vector>

namespace zelvik {

namespace {

bool stage(QSaveFile& file, const QByteArray& bytes) {
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.error() == QFileDevice::NoError;
}

std::optional<QByteArray> currentContents(const QString& path) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool restore(const QString& path, const std::optional<QByteArray>& previous) {
    if (!previous)
        return QFile::remove(path);
    QSaveFile file(path);
    return stage(file, *previous) && file.commit();
}

} // namespace

Result<> replaceFiles(std::span<const FileContents> files) {
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const FileContents& file : files) {
        for (const auto& earlier : staged) {
            if (earlier->fileName() == file.path)
                return Result<>::fail(Failure::CannotCreate, file.failureMessage,
                                      QStringLiteral("Two output files have the same name."));
        }
        staged.push_back(std::make_unique<QSaveFile>(file.path));
        if (!stage(*staged.back(), file.bytes))
            return Result<>::fail(Failure::CannotCreate, file.failureMessage,
                                  staged.back()->errorString());
    }
    std::vector<std::optional<QByteArray>> previous;
    for (const FileContents& file : files)
        previous.push_back(files.size() > 1 ? currentContents(file.path) : std::nullopt);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (staged[i]->commit())
            continue;
        QString reason = staged[i]->errorString();
        QStringList leftAs;
        for (std::size_t j = 0; j < i; ++j) {
            if (!restore(files[j].path, previous[j]))
                leftAs << files[j].path + QStringLiteral(": holds the new contents");
        }
        if (!leftAs.isEmpty())
            reason += QStringLiteral("\nThe files could not all be put back:\n") +
                      leftAs.join(QLatin1Char('\n'));
        return Result<>::fail(Failure::CannotCreate, files[i].failureMessage, reason);
    }
    return Result<>::success();
}

} // namespace zelvik

#endif

namespace zelvik {

Result<> replaceFile(const QString& path, const QByteArray& bytes, const QString& failureMessage) {
    const FileContents file{path, bytes, failureMessage};
    return replaceFiles(std::span<const FileContents>(&file, 1));
}

} // namespace zelvik
