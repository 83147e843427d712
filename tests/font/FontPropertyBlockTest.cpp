// The baseline in the block after a font file's last slot record: written
// only when it says something, read back in both versions, and ignored
// whole when it is damaged.
#include "font/FontPropertyBlock.h"
#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// A block of the given records, its length field counting them.
std::string block(const std::string& records) {
    std::string out(kPropertyBlockMagic);
    out.push_back(char(records.size() & 0xFF));
    out.push_back(char(records.size() >> 8));
    return out + records;
}

std::string record(std::string_view tag, const std::string& value) {
    return std::string(tag) + char(value.size()) + value;
}

} // namespace

TEST(FontFileBaseline, RoundTripsInBothVersionsAfterTheRecordsOlderReadersKnow) {
    FontModel font = sampleFont(); // 12 rows
    for (const FontFileVersion v : {FontFileVersion::V1, FontFileVersion::V2}) {
        SCOPED_TRACE(v == FontFileVersion::V1 ? "1.0" : "2.0");
        font.baseline = 0;
        const std::string plain = serializeFontFile(v, "fnt_test", 12, font);
        setFontBaseline(font, 12);
        EXPECT_EQ(serializeFontFile(v, "fnt_test", 12, font), plain)
            << "a baseline under the bottom row needs no block";

        setFontBaseline(font, 9);
        const std::string bytes = serializeFontFile(v, "fnt_test", 12, font);
        EXPECT_EQ(bytes, plain + block(record("BASE", "\x09")));

        QTemporaryDir dir;
        const QString first = dir.filePath("first.fnt");
        writeFileBytes(first, bytes);
        const Result<FontModel> read = readFontFile(first);
        ASSERT_TRUE(read);
        const FontModel& loaded = *read;
        EXPECT_EQ(fontBaseline(loaded), 9);
        EXPECT_EQ(loaded.slots, parseFontFile(plain)->slots);
        const QString second = dir.filePath("second.fnt");
        ASSERT_TRUE(writeFontFile(second, v, loaded.fontIdentifier, loaded.ySize, loaded));
        EXPECT_EQ(readFileBytes(second), bytes);
    }
}

TEST(FontFileBaseline, ADamagedBlockIsIgnoredAndTheFontKept) {
    const FontModel font = sampleFont();
    const std::string plain = serializeFontFile(FontFileVersion::V2, "fnt_test", 12, font);
    const std::string sound = block(record("BASE", "\x09"));
    std::vector<std::pair<std::string, std::string>> damaged = {
        {"baseline 0", block(record("BASE", std::string(1, '\0')))},
        {"below the cell", block(record("BASE", "\x0D"))},
        {"two bytes", block(record("BASE", std::string("\x09\x00", 2)))},
        {"twice", block(record("BASE", "\x09") + record("BASE", "\x08"))},
        {"length past the end",
         sound.substr(0, 16) + std::string("\xFF\x00", 2) + sound.substr(18)},
        {"record past the length", block("BASE\x05\x09")},
        {"half a record header", block("BAS")},
        {"another magic", "Zelvik_fontProp!" + sound.substr(16)},
    };
    for (std::size_t length = 0; length < sound.size(); ++length)
        damaged.emplace_back("cut at " + std::to_string(length), sound.substr(0, length));

    for (const auto& [what, trailing] : damaged) {
        const auto data = parseFontFile(plain + trailing);
        ASSERT_TRUE(data) << what;
        EXPECT_EQ(data->baseline, 0) << what;
        EXPECT_EQ(data->fontIdentifier, "fnt_test") << what;
        EXPECT_EQ(data->slots, font.slots) << what;
    }
}

TEST(FontFileBaseline, RecordsOfUnknownTagsAreSkipped) {
    EXPECT_EQ(decodePropertyBlock(
                  block(record("WIDE", "abc") + record("BASE", "\x05") + record("NONE", "")), 8)
                  .baseline,
              5);
    EXPECT_EQ(decodePropertyBlock(block(record("WIDE", "abc")), 8), FontProperties{});
    EXPECT_EQ(encodePropertyBlock(FontProperties{}), "");
}
