// Writes the seed corpus of the font file fuzzer: sound files of both versions
// that the reader accepts, with and without a property block, so that the
// fuzzer starts from the real format.
#include "font/FontFile.h"
#include "font/FontFileTestData.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

TEST(FontFileSeedCorpus, WritesSoundFilesOfBothVersions) {
    const QString folder = QStringLiteral(ZELVIK_SEED_CORPUS_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));

    FontModel small = newFont();
    small.slots[kBlankSlot].name.clear(); // the shortest file there is
    small.ySize = 1;
    const FontModel sample = sampleFont();
    FontModel withBaseline = sampleFont();
    setFontBaseline(withBaseline, 9); // a property block after the last slot
    const std::vector<std::pair<const char*, std::string>> seeds = {
        {"new-v1.fnt", serializeFontFile(FontFileVersion::V1, "abc", 16, newFont())},
        {"new-v2.fnt", serializeFontFile(FontFileVersion::V2, "abc", 16, newFont())},
        {"small-v1.fnt", serializeFontFile(FontFileVersion::V1, "", 1, small)},
        {"sample-v1.fnt", serializeFontFile(FontFileVersion::V1, "fnt_test", 12, sample)},
        {"sample-v2.fnt", serializeFontFile(FontFileVersion::V2, "fnt_test", 32, sample)},
        {"baseline-v1.fnt", serializeFontFile(FontFileVersion::V1, "fnt_test", 12, withBaseline)},
        {"baseline-v2.fnt", serializeFontFile(FontFileVersion::V2, "fnt_test", 12, withBaseline)},
    };
    for (const auto& [name, bytes] : seeds) {
        ASSERT_TRUE(parseFontFile(bytes)) << name;
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size())) << name;
    }
}
