#pragma once

// A small tmpfs that only one child process sees: it runs as root of its own
// user and mount namespaces, so tests can fill a device or mount it read-only
// without touching anything outside, and without being root.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

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

// Becomes root of a new user and mount namespace and mounts a tmpfs of
// `bytes` at `folder`, visible to this process alone.
inline bool mountPrivateTmpfs(const QByteArray& folder, int bytes) {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeProcFile("/proc/self/setgroups", "deny");
    if (!writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return false;
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
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

} // namespace zelvik::test
