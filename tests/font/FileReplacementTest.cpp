// replaceFiles is the one way the program writes: a failure must leave every
// target as it was and say why.
#include "font/FileReplacement.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#ifdef Q_OS_LINUX
#include "font/PrivateTmpfs.h"
#endif

using namespace zelvik;
using namespace zelvik::test;

namespace {

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

} // namespace

TEST(FileReplacement, ReplacesEveryFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("a.c"), "old source");
    // Left by runs that were killed (no process has a number this high), and
    // by one that is still running (process 1).
    writeFileBytes(dir.filePath(".a.c.2147483646.3.zelvik-tmp"), "half");
    writeFileBytes(dir.filePath(".a.h.2147483646.4.zelvik-old"), "old");
    writeFileBytes(dir.filePath(".a.c.1.0.zelvik-tmp"), "being written");
    const std::vector<FileContents> files = {{dir.filePath("a.c"), "new source", "source"},
                                             {dir.filePath("a.h"), "new header", "header"}};
    EXPECT_TRUE(replaceFiles(files));
    EXPECT_EQ(readFileBytes(dir.filePath("a.c")), "new source");
    EXPECT_EQ(readFileBytes(dir.filePath("a.h")), "new header");
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{".a.c.1.0.zelvik-tmp", "a.c", "a.h"}));
}

TEST(FileReplacement, FailureNamesTheFileWithTheSystemsReason) {
    QTemporaryDir dir;
    const Result<> result =
        replaceFile(dir.filePath("no/such/folder/x.fnt"), "bytes", "Can't create font file!");
    EXPECT_EQ(result.failure, Failure::CannotCreate);
    EXPECT_EQ(result.message, "Can't create font file!");
    EXPECT_EQ(result.reason, "No such file or directory");
    EXPECT_EQ(result.describe(), "Can't create font file!\nNo such file or directory");

    // The second file fails while staging: the first is not written either.
    ASSERT_TRUE(QDir(dir.path()).mkdir("f.h"));
    const std::vector<FileContents> pair = {{dir.filePath("f.c"), "source", "source failed"},
                                            {dir.filePath("f.h"), "header", "header failed"}};
    const Result<> second = replaceFiles(pair);
    EXPECT_EQ(second.message, "header failed");
    EXPECT_FALSE(second.reason.isEmpty());
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"f.h"});
}

TEST(FileReplacement, TwoFilesOfOneNameAreRefusedBeforeAnythingIsWritten) {
    QTemporaryDir dir;
    const std::vector<FileContents> files = {{dir.filePath("f.h"), "source", "source failed"},
                                             {dir.filePath("f.h"), "header", "header failed"}};
    const Result<> result = replaceFiles(files);
    EXPECT_EQ(result.failure, Failure::CannotCreate);
    EXPECT_EQ(result.message, "header failed");
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_TRUE(entriesOf(dir.path()).isEmpty());
}

#ifdef Q_OS_LINUX
// The second file is staged but cannot take its place (its name is a mount
// point, so the rename fails): the first, already replaced, goes back.
TEST(FileReplacement, PairRollsBackWhenTheSecondReplacementFails) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const int status = runOnPrivateTmpfs(folder, 1024 * 1024, [&folder] {
        const QString source = folder + "/a.c";
        const QString header = folder + "/a.h";
        const QString other = folder + "/pinned";
        writeFileBytes(source, "old source");
        writeFileBytes(header, "old header");
        writeFileBytes(other, "pinned");
        if (mount(QFile::encodeName(other).constData(), QFile::encodeName(header).constData(),
                  nullptr, MS_BIND, nullptr) != 0)
            return kCannotSetUp;

        const std::vector<FileContents> files = {{source, "new source", "source failed"},
                                                 {header, "new header", "header failed"}};
        Result<> result = replaceFiles(files);
        if (result.failure != Failure::CannotCreate || result.message != "header failed" ||
            result.reason.isEmpty())
            return 1;
        if (readFileBytes(source) != "old source" || readFileBytes(header) != "pinned")
            return 2;
        if (entriesOf(folder) != QStringList{"a.c", "a.h", "pinned"})
            return 3;

        // A first file that did not exist before is removed again.
        const QString fresh = folder + "/new.c";
        const std::vector<FileContents> withNew = {{fresh, "new source", "source failed"},
                                                   {header, "new header", "header failed"}};
        result = replaceFiles(withNew);
        if (result.ok() || QFile::exists(fresh))
            return 4;
        return 0;
    });
    if (status == kCannotSetUp)
        GTEST_SKIP() << "cannot mount a private tmpfs here (no user namespaces)";
    EXPECT_EQ(status, 0) << "failed check " << status;
}
#endif
