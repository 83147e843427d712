// zelvik-cli on a hostile disk: a full device, a sync that fails, an output
// that is its own input, names that are not UTF-8. Every failure exits 1 with
// the system's reason and leaves the old file byte for byte.
#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "font/PrivateTmpfs.h"
#include "support/MissingTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdlib>

#include <string>
#include <vector>

using namespace zelvik;
using namespace zelvik::test;

namespace {

struct RawRun {
    int status = -1;
    std::string errors;
};

// Runs `argv` (byte strings, as a shell passes them) in the C locale.
RawRun runRaw(std::vector<std::string> argv, const std::string& errorFile) {
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 2);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        std::vector<char*> words;
        for (std::string& word : argv)
            words.push_back(word.data());
        words.push_back(nullptr);
        setenv("LC_ALL", "C", 1);
        unsetenv("DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        execvp(words[0], words.data());
        _exit(127);
    }
    int status = 0;
    RawRun run;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.errors = readFileBytes(QString::fromStdString(errorFile));
    return run;
}

RawRun runCliRaw(std::vector<std::string> args, const std::string& errorFile) {
    args.insert(args.begin(), ZELVIK_CLI_PATH);
    return runRaw(std::move(args), errorFile);
}

// Fills the device that holds `folder` up to its last byte.
void fillDevice(const QString& folder) {
    const int fd =
        open(QFile::encodeName(folder + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'x');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    while (write(fd, block.data(), 1) > 0) {
    }
    close(fd);
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = dir ? readdir(dir) : nullptr) {
        if (entry->d_name[0] != '.' ||
            std::string(entry->d_name).find("zelvik") != std::string::npos)
            names.emplace_back(entry->d_name);
    }
    if (dir)
        closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kNoSpace = "No space left on device";

} // namespace

// Small outputs were buffered by Qt and their failed flush went unseen: the
// command said success and left a 0-byte file.
TEST(WriteFaults, FullDeviceKeepsEveryOldFileAndTellsWhy) {
    QTemporaryDir dir;
    QTemporaryDir logs; // outside the full device
    const QString folder = dir.path();
    const std::string errors = logs.filePath("errors").toStdString();
    const int status = runOnPrivateTmpfs(folder, 64 * 1024, [&folder, &errors] {
        const std::string f = folder.toStdString();
        if (!writeFontFile(folder + "/font.fnt", FontFileVersion::V1, "old", 16, newFont()))
            return kCannotSetUp;
        writeFileBytes(folder + "/s.png", "old picture");
        writeFileBytes(folder + "/a.c", "old source");
        writeFileBytes(folder + "/a.h", "old header");
        fillDevice(folder);
        const std::vector<std::vector<std::string>> commands = {
            {"sample", f + "/font.fnt", "--text", "Hello", "-o", f + "/s.png"},
            {"export", f + "/font.fnt", "--target", "c", "--bytes", "vertical", "-o", f + "/a.c"},
            // 263708 bytes: written in part, then the device is full.
            {"convert", f + "/font.fnt", "--version", "2.0", "-o", f + "/big.fnt"},
        };
        int check = 1;
        for (const auto& command : commands) {
            const RawRun run = runCliRaw(command, errors);
            if (run.status != 1 || run.errors.find(kNoSpace) == std::string::npos)
                return check;
            ++check;
        }
        if (readFileBytes(folder + "/s.png") != "old picture" ||
            readFileBytes(folder + "/a.c") != "old source" ||
            readFileBytes(folder + "/a.h") != "old header")
            return 10;
        if (namesIn(f) != std::vector<std::string>{"a.c", "a.h", "filler", "font.fnt", "s.png"})
            return 11;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private tmpfs here (no user namespaces)";
    EXPECT_EQ(status, 0) << "failed check " << status;
}

TEST(WriteFaults, FailedSyncIsAFailedWrite) {
    if (runRaw({"strace", "-V"}, "/dev/null").status != 0)
        ZELVIK_MISSING_TOOL("strace is not installed");
    QTemporaryDir dir;
    const std::string f = dir.path().toStdString();
    ASSERT_TRUE(writeFontFile(dir.filePath("font.fnt"), FontFileVersion::V1, "old", 16, newFont()));
    writeFileBytes(dir.filePath("s.png"), "old picture");
    // The leak checker stops the process with ptrace, which a traced process
    // cannot: it would end the sanitizer build's run with an abort.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    const RawRun run =
        runRaw({"strace", "-f", "-o", "/dev/null", "-e", "inject=fdatasync:error=EIO",
                ZELVIK_CLI_PATH, "sample", f + "/font.fnt", "--text", "Hi", "-o", f + "/s.png"},
               f + "/errors");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("Input/output error"), std::string::npos) << run.errors;
    EXPECT_EQ(readFileBytes(dir.filePath("s.png")), "old picture");
    EXPECT_EQ(namesIn(f), (std::vector<std::string>{"errors", "font.fnt", "s.png"}));
}

TEST(WriteFaults, OutputThatIsTheInputIsRefused) {
    QTemporaryDir dir;
    const std::string f = dir.path().toStdString();
    ASSERT_TRUE(writeFontFile(dir.filePath("F.fnt"), FontFileVersion::V1, "old", 16, newFont()));
    const std::string before = readFileBytes(dir.filePath("F.fnt"));
    ASSERT_EQ(symlink("F.fnt", (f + "/link.fnt").c_str()), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"export", f + "/F.fnt", "--target", "c", "--bytes", "vertical", "-o", f + "/F.fnt"},
        {"export", f + "/F.fnt", "--target", "avr", "--bytes", "vertical", "-o", f + "/link.fnt"},
        {"export", f + "/F.fnt", "--target", "bdf", "-o", f + "/F.fnt"},
        {"sample", f + "/link.fnt", "--text", "A", "-o", f + "/F.fnt"},
        {"import", f + "/F.fnt", "-o", f + "/F.fnt"},
    };
    for (const auto& command : commands) {
        const RawRun run = runCliRaw(command, f + "/errors");
        EXPECT_EQ(run.status, 2) << command[0] << ' ' << command.back();
        EXPECT_NE(run.errors.find("is the input file"), std::string::npos) << run.errors;
    }
    EXPECT_EQ(readFileBytes(dir.filePath("F.fnt")), before);
}

// Linux names are bytes: "in\xff.fnt" was reported missing and "-o out\xfe"
// wrote a file of another name.
TEST(WriteFaults, NamesThatAreNotUtf8AreTakenAsGiven) {
    QTemporaryDir dir;
    const std::string f = dir.path().toStdString();
    const std::string input = f + "/in\xff.fnt";
    {
        const std::string bytes = serializeFontFile(FontFileVersion::V1, "old", 16, newFont());
        const int fd = open(input.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        close(fd);
    }
    const RawRun converted =
        runCliRaw({"convert", input, "--version", "2.0", "-o", f + "/out\xfe.fnt"}, f + "/errors");
    EXPECT_EQ(converted.status, 0) << converted.errors;
    const RawRun exported = runCliRaw(
        {"export", input, "--target", "c", "--bytes", "vertical", "-o", f + "/\xe9t\xe9.c"},
        f + "/errors");
    EXPECT_EQ(exported.status, 0) << exported.errors;
    EXPECT_EQ(namesIn(f), (std::vector<std::string>{"errors", "in\xff.fnt", "out\xfe.fnt",
                                                    "\xe9t\xe9.c", "\xe9t\xe9.h"}));
    // QTemporaryDir cannot name them to remove them.
    for (const std::string& name : namesIn(f))
        unlink((f + '/' + name).c_str());
}
