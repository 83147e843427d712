// Saving onto a device that fills up, or that is mounted read-only, must leave
// the previous file whole. Each case runs in a child process that mounts a
// small private tmpfs in its own namespaces, so nothing outside it is touched.
#include "font/FontFile.h"
#include "font/FontFileTestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

using namespace zelvik;
using namespace zelvik::test;

namespace {

constexpr int kCannotSetUp = 77;

bool writeProcFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    return ok;
}

// Becomes root of a new user and mount namespace and mounts a tmpfs of
// `bytes` at `folder`, visible to this process alone.
bool mountPrivateTmpfs(const QByteArray& folder, int bytes) {
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
int runOnPrivateTmpfs(const QString& folder, int bytes, const std::function<int()>& body) {
    const QByteArray encoded = QFile::encodeName(folder);
    const pid_t child = fork();
    if (child == 0)
        _exit(mountPrivateTmpfs(encoded, bytes) ? body() : kCannotSetUp);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), bytes.size());
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(FontFileWriter, FullDeviceLeavesTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 48 * 1024, [&folder] {
        const QString path = folder + "/font.fnt";
        const FontModel font = sampleFont();
        // Version 1.0 (33436 bytes) fits; version 2.0 (263708 bytes) cannot.
        if (writeFontFile(path, FontFileVersion::V1, "old", 16, font) != WriteFontOutcome::Success)
            return 1;
        const std::string old = readBytes(path);
        QString detail;
        if (writeFontFile(path, FontFileVersion::V2, "new", 16, font, &detail) !=
            WriteFontOutcome::CannotCreate)
            return 2;
        if (detail.isEmpty())
            return 3;
        if (readBytes(path) != old)
            return 4;
        if (writeFontFile(folder + "/other.fnt", FontFileVersion::V2, "new", 16, font) !=
            WriteFontOutcome::CannotCreate)
            return 5;
        if (filesIn(folder) != QStringList{"font.fnt"})
            return 6;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private tmpfs here (no user namespaces)";
    EXPECT_EQ(status, 0) << "failed check " << status;
}

TEST(FontFileWriter, ReadOnlyFileSystemLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 1024 * 1024, [&folder] {
        const QString path = folder + "/font.fnt";
        if (writeFontFile(path, FontFileVersion::V1, "old", 16, newFont()) !=
            WriteFontOutcome::Success)
            return 1;
        const std::string old = readBytes(path);
        if (mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                  nullptr) != 0)
            return kCannotSetUp;
        if (writeFontFile(path, FontFileVersion::V2, "new", 16, sampleFont()) !=
            WriteFontOutcome::CannotCreate)
            return 2;
        if (readBytes(path) != old || filesIn(folder) != QStringList{"font.fnt"})
            return 3;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private read-only tmpfs here";
    EXPECT_EQ(status, 0) << "failed check " << status;
}
