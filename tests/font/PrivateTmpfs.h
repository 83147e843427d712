#pragma once

// A small tmpfs that only one child process sees: it runs as root of its own
// user and mount namespaces, so tests can fill a device or mount it read-only
// without touching anything outside, and without being root. And a folder a
// child may not write into, whoever runs the tests.

#include "support/MissingTool.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>

namespace zelvik::test {

constexpr int kCannotSetUp = 77;

inline bool writeProcFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    return ok;
}

// Becomes root of a new user and mount namespace; the mounts it makes from
// now on are seen by this process alone.
inline bool enterPrivateUserNamespace() {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeProcFile("/proc/self/setgroups", "deny");
    if (!writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return false;
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Mounts a tmpfs of `bytes` at `folder`, visible to this process alone.
inline bool mountPrivateTmpfs(const QByteArray& folder, int bytes) {
    if (!enterPrivateUserNamespace())
        return false;
    const std::string options = "size=" + std::to_string(bytes);
    return mount("tmpfs", folder.constData(), "tmpfs", 0, options.c_str()) == 0;
}

// Runs `body` in a child that first mounts the tmpfs; the child's exit status
// is 0 on success, kCannotSetUp, or the number of the check that failed.
inline int runOnPrivateTmpfs(const QString& folder, int bytes, const std::function<int()>& body) {
    const QByteArray encoded = QFile::encodeName(folder);
    const pid_t child = fork();
    if (child == 0)
        _exit(mountPrivateTmpfs(encoded, bytes) ? body() : kCannotSetUp);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Makes the tmpfs mounted at `folder` by runOnPrivateTmpfs read-only.
inline bool remountReadOnly(const QString& folder) {
    return mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                 nullptr) == 0;
}

// Mounts `folder` over itself read-only, in a mount namespace of this process
// alone: a mount namespace of its own where it may make one (root), else a
// user namespace too.
inline bool bindReadOnly(const QByteArray& folder) {
    const bool own = unshare(CLONE_NEWNS) == 0 &&
                     mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!own && !enterPrivateUserNamespace())
        return false;
    struct statvfs fs {};
    if (mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr) != 0 ||
        statvfs(folder.constData(), &fs) != 0)
        return false;
    // A namespace may not clear the flags its parent mounted the folder with.
    unsigned long kept = 0;
    for (const auto& [has, flag] : {std::pair<unsigned long, unsigned long>{ST_NOSUID, MS_NOSUID},
                                    {ST_NODEV, MS_NODEV},
                                    {ST_NOEXEC, MS_NOEXEC},
                                    {ST_NOATIME, MS_NOATIME},
                                    {ST_NODIRATIME, MS_NODIRATIME},
                                    {ST_RELATIME, MS_RELATIME}})
        kept |= (fs.f_flag & has) ? flag : 0;
    return mount(nullptr, folder.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY | kept,
                 nullptr) == 0;
}

// Runs `body` in a child that may not write into `folder`: its mode forbids
// it, and where that stops nobody (root), a read-only bind mount of it does.
// The child's exit status as for runOnPrivateTmpfs.
inline int runInReadOnlyFolder(const QString& folder, const std::function<int()>& body) {
    const QByteArray encoded = QFile::encodeName(folder);
    if (chmod(encoded.constData(), 0555) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        const bool writable = access(encoded.constData(), W_OK) == 0;
        _exit(!writable || bindReadOnly(encoded) ? body() : kCannotSetUp);
    }
    int status = 0;
    const bool finished = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
    chmod(encoded.constData(), 0755);
    return finished ? WEXITSTATUS(status) : -1;
}

} // namespace zelvik::test

// Ends a test whose namespace could not be made: skipped on a machine without
// user namespaces, failed under CI, where every test is meant to run.
#define ZELVIK_NO_NAMESPACE(what)                                                                  \
    do {                                                                                           \
        if (::zelvik::test::missingToolFails()) {                                                  \
            GTEST_FAIL() << "cannot make " << what << " (CI is set: every test must run)";         \
        } else {                                                                                   \
            GTEST_SKIP() << "cannot make " << what << " here";                                     \
        }                                                                                          \
    } while (false)
