#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include "font/PrivateTmpfs.h"
#endif

using namespace zelvik;
using namespace zelvik::test;

namespace {

// Offset of slot `index`'s record in a file whose names are all empty but the BlankSlot's.
std::size_t slotOffset(FontFileVersion v, std::size_t identifierLength, int index) {
    return kMagicLength + identifierLength + 1 + 1 + std::size_t(index) * slotRecordFixedBytes(v);
}

} // namespace

TEST(FontFileLayout, NewFontWithIdentifierAbcHasTheDocumentedSizes) {
    const FontModel font = newFont();
    EXPECT_EQ(serializeFontFile(FontFileVersion::V1, "abc", 16, font).size(), 33436u);
    EXPECT_EQ(serializeFontFile(FontFileVersion::V2, "abc", 16, font).size(), 263708u);

    QTemporaryDir dir;
    const QString path = dir.filePath("abc.fnt");
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V2, "abc", 16, font));
    EXPECT_EQ(QFileInfo(path).size(), 263708);
}

TEST(FontFileLayout, FieldsLieWhereOlderSoftwareExpectsThem) {
    FontModel font = newFont();
    font.slots[0].xSize = 12; // undefined, with a stored width and ink
    font.slots[0].pixels[pixelIndex(1, 2)] = 1;
    font.slots[1].name = "UA";
    font.slots[1].xSize = 5;

    const std::string v2 = serializeFontFile(FontFileVersion::V2, "abc", 20, font);
    EXPECT_EQ(v2.substr(0, 16), "Zelvik_glyphV2.0");
    EXPECT_EQ(v2.substr(16, 4), std::string("abc\0", 4));
    EXPECT_EQ(v2[20], 20);
    // An undefined slot: its empty name's 0, its x-size, then column 0, column 1, ...
    const std::size_t slot0 = slotOffset(FontFileVersion::V2, 3, 0);
    EXPECT_EQ(v2[slot0], 0);
    EXPECT_EQ(v2[slot0 + 1], 12);
    EXPECT_EQ(v2[slot0 + 2 + 1 * 32 + 2], 1);
    EXPECT_EQ(std::count(v2.begin() + slot0 + 2, v2.begin() + slot0 + 2 + 1024, '\1'), 1);
    const std::size_t slot1 = slotOffset(FontFileVersion::V2, 3, 1);
    EXPECT_EQ(v2.substr(slot1, 4), std::string("UA\0\5", 4));

    const std::string v1 = serializeFontFile(FontFileVersion::V1, "abc", 16, font);
    EXPECT_EQ(v1.substr(0, 16), "Zelvik_glyphV1.0");
    const std::size_t v1slot0 = slotOffset(FontFileVersion::V1, 3, 0);
    EXPECT_EQ(v1[v1slot0 + 1], 12);
    EXPECT_EQ(v1[v1slot0 + 2 + 1 * 16 + 2], 1); // runs of 16 rows in version 1.0
    // The BlankSlot comes last and nothing follows it.
    EXPECT_EQ(v1.substr(v1.size() - 129 - 6, 6), std::string("blank\0", 6));
}

TEST(FontFileRoundTrip, ReadingAndWritingAgainGivesTheSameBytes) {
    const FontModel font = sampleFont();
    for (const FontFileVersion v : {FontFileVersion::V1, FontFileVersion::V2}) {
        QTemporaryDir dir;
        const QString first = dir.filePath("first.fnt");
        const QString second = dir.filePath("second.fnt");
        ASSERT_TRUE(writeFontFile(first, v, font.fontIdentifier, font.ySize, font));
        const Result<FontModel> read = readFontFile(first);
        ASSERT_TRUE(read);
        const FontModel& loaded = *read;
        ASSERT_TRUE(writeFontFile(second, v, loaded.fontIdentifier, loaded.ySize, loaded));
        EXPECT_EQ(readFileBytes(first), readFileBytes(second));
        EXPECT_EQ(loaded.fontIdentifier, font.fontIdentifier);
        EXPECT_EQ(loaded.slots[0x8A].name, "\x8A_caron"); // bytes kept as they are
    }
}

TEST(FontFileRoundTrip, VersionTwoKeepsTheWholeMatrixOfEverySlot) {
    const FontModel font = sampleFont();
    const auto data = parseFontFile(serializeFontFile(FontFileVersion::V2, "fnt", 32, font));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->version, FontFileVersion::V2);
    EXPECT_EQ(data->ySize, 32);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(data->slots[i].name, font.slots[i].name) << i;
        EXPECT_EQ(data->slots[i].xSize, font.slots[i].xSize) << i;
        EXPECT_EQ(data->slots[i].pixels, font.slots[i].pixels) << i;
    }
}

TEST(FontFileRoundTrip, VersionOneLoadsWithColumns8To31AndRows16To31Cleared) {
    FontModel full = newFont();
    for (auto& slot : full.slots)
        slot.pixels.fill(1);
    QTemporaryDir dir;
    const QString path = dir.filePath("v1.fnt");
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V1, "abc", 16, full));

    FontModel loaded = newFont();
    for (auto& slot : loaded.slots)
        slot.pixels.fill(1); // whatever the slots held before
    const Result<FontFileData> data = loadFontFile(path);
    ASSERT_TRUE(data);
    applyFontFile(*data, loaded);
    for (int i = 0; i < kSlotCount; ++i) {
        for (int x = 0; x < kMatrixEdge; ++x) {
            for (int y = 0; y < kMatrixEdge; ++y) {
                const int expected = (x < 8 && y < 16) ? 1 : 0;
                ASSERT_EQ(loaded.slots[i].pixels[pixelIndex(x, y)], expected)
                    << "slot " << i << " x " << x << " y " << y;
            }
        }
    }
}

TEST(FontFileRoundTrip, BytesAfterTheLastSlotAreIgnored) {
    std::string bytes = serializeFontFile(FontFileVersion::V1, "abc", 16, sampleFont());
    bytes += std::string(2 * kLongestFontFile, '\xFF');
    EXPECT_TRUE(parseFontFile(bytes));
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("long.fnt"), bytes);
    const Result<FontModel> font = readFontFile(dir.filePath("long.fnt"));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->fontIdentifier, "abc");
}

TEST(FontFileVersionOne, AllowedOnlyWhenEightByEightSixteenHoldsEveryDefinedCharacter) {
    FontModel font = newFont();
    EXPECT_TRUE(versionOneAllowed(font));

    font.slots[40].xSize = 20; // undefined: does not count, and is written as stored
    EXPECT_TRUE(versionOneAllowed(font));
    const std::string v1 = serializeFontFile(FontFileVersion::V1, "abc", 16, font);
    EXPECT_EQ(v1[slotOffset(FontFileVersion::V1, 3, 40) + 1], 20);

    font.slots[65].name = "UA";
    font.slots[65].xSize = 8;
    EXPECT_TRUE(versionOneAllowed(font));
    font.slots[65].xSize = 9;
    EXPECT_FALSE(versionOneAllowed(font));

    font.slots[65].xSize = 8;
    font.slots[kBlankSlot].xSize = 9; // the BlankSlot counts while it has a name
    EXPECT_FALSE(versionOneAllowed(font));
    font.slots[kBlankSlot].name.clear();
    EXPECT_TRUE(versionOneAllowed(font));

    font.ySize = 17;
    EXPECT_FALSE(versionOneAllowed(font));
}

// Files the reader must refuse as a whole. Each starts from a sound file.
TEST(FontFileDamaged, RefusedAsAWholeAndTheFontInMemoryStaysAsItWas) {
    const FontModel font = newFont();
    const std::string good = serializeFontFile(FontFileVersion::V2, "abc", 16, font);
    const std::size_t slot0 = slotOffset(FontFileVersion::V2, 3, 0);
    auto with = [&](std::size_t offset, char byte) {
        std::string bytes = good;
        bytes[offset] = byte;
        return bytes;
    };
    auto header = [](std::string_view magic, const std::string& identifier) {
        return std::string(magic) + identifier + std::string(1, '\0') + "\x10";
    };
    const std::string namedSlot0 =
        good.substr(0, slot0) + std::string(32, 'n') + '\0' + good.substr(slot0 + 1);

    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty file", ""},
        {"short magic", "Zelvik_glyph"},
        {"magic with its last character changed", with(15, '1')},
        {"lower-case magic", with(0, 'z')},
        {"magic alone", std::string(kMagicV2)},
        {"identifier without its 0", std::string(kMagicV2) + "abc"},
        {"identifier of 256 characters", header(kMagicV2, std::string(256, 'i'))},
        {"no y-size", std::string(kMagicV2) + std::string("abc\0", 4)},
        {"y-size 0", with(20, 0)},
        {"y-size 33", with(20, 33)},
        {"x-size 0", with(slot0 + 1, 0)},
        {"x-size 33", with(slot0 + 1, 33)},
        {"pixel byte 2", with(slot0 + 2 + 100, 2)},
        {"pixel byte 0xFF", with(slot0 + 2 + 1023, '\xFF')},
        {"name of 32 characters", namedSlot0},
        {"last slot cut short", good.substr(0, good.size() - 1)},
        {"slot records missing", good.substr(0, slot0)},
    };

    QTemporaryDir dir;
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(parseFontFile(bytes)) << what;
        const QString path = dir.filePath("damaged.fnt");
        writeFileBytes(path, bytes);
        EXPECT_EQ(readFontFile(path).failure, Failure::InvalidFormat) << what;
    }
}

TEST(FontFileDamaged, TextsAtTheirLimitsAreAccepted) {
    FontModel font = newFont();
    font.slots[7].name = std::string(31, 'n');
    const std::string identifier(255, 'i');
    const auto data = parseFontFile(serializeFontFile(FontFileVersion::V1, identifier, 1, font));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->fontIdentifier, identifier);
    EXPECT_EQ(data->slots[7].name, std::string(31, 'n'));
    EXPECT_EQ(data->ySize, 1);
}

// Every prefix of a sound file is refused, read from a buffer of exactly its
// length so that a read past the end would be caught under AddressSanitizer.
TEST(FontFileDamaged, EveryTruncationIsRefusedCleanly) {
    const std::string v1 = serializeFontFile(FontFileVersion::V1, "abc", 16, sampleFont());
    for (std::size_t length = 0; length < v1.size(); ++length) {
        const std::unique_ptr<char[]> exact(new char[length ? length : 1]);
        std::copy_n(v1.data(), length, exact.get());
        ASSERT_FALSE(parseFontFile(std::string_view(exact.get(), length))) << length;
    }
    EXPECT_TRUE(parseFontFile(v1));

    // Version 2.0: every length through the first records, then a sample of the rest.
    const std::string v2 = serializeFontFile(FontFileVersion::V2, "abc", 16, sampleFont());
    for (std::size_t length = 0; length < v2.size(); length += length < 5000 ? 1 : 997) {
        const std::unique_ptr<char[]> exact(new char[length ? length : 1]);
        std::copy_n(v2.data(), length, exact.get());
        ASSERT_FALSE(parseFontFile(std::string_view(exact.get(), length))) << length;
    }
}

// A flipped byte in the header or the first records is either refused or read
// as a font that writes back to exactly the bytes that were read: the reader
// never accepts anything the writer would not produce.
TEST(FontFileDamaged, FlippedBytesInTheHeaderAndFirstRecordsAreReadOrRefusedCleanly) {
    struct Case {
        FontFileVersion version;
        int records;
        std::vector<unsigned char> masks;
    };
    // Version 2.0 files are eight times longer; its records are read by the same code.
    for (const auto& [v, records, masks] : {Case{FontFileVersion::V1, 3, {0x01, 0x20, 0x80, 0xFF}},
                                            Case{FontFileVersion::V2, 2, {0x01, 0xFF}}}) {
        const FontModel font = sampleFont();
        const std::string good = serializeFontFile(v, font.fontIdentifier, font.ySize, font);
        const std::size_t end = slotOffset(v, font.fontIdentifier.size(), records);
        auto reloaded = std::make_unique<FontModel>();
        int accepted = 0;
        for (std::size_t offset = 0; offset < end; ++offset) {
            for (const unsigned char mask : masks) {
                std::string bytes = good;
                bytes[offset] = char(bytes[offset] ^ mask);
                const auto data = parseFontFile(bytes);
                if (!data)
                    continue;
                ++accepted;
                applyFontFile(*data, *reloaded);
                const std::string again =
                    serializeFontFile(data->version, data->fontIdentifier, data->ySize, *reloaded);
                ASSERT_EQ(bytes.substr(0, again.size()), again) << offset << " ^ " << int(mask);
            }
        }
        EXPECT_GT(accepted, 0); // names, sizes and pixels that stay in range
    }
}

TEST(FontFileWriter, KeepsEveryFileItWritesReadable) {
    FontModel font = newFont();
    font.slots[3].name = std::string(40, 'l'); // longer than a slot holds
    font.slots[4].name = std::string("ab\0cd", 5);
    font.slots[5].name = "ink";
    font.slots[5].pixels[0] = 7; // background, as the editor draws it
    font.slots[5].xSize = 0;
    const std::string identifier = std::string(300, 'i');

    const auto data = parseFontFile(serializeFontFile(FontFileVersion::V2, identifier, 40, font));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->fontIdentifier, std::string(255, 'i'));
    EXPECT_EQ(data->ySize, 32);
    EXPECT_EQ(data->slots[3].name, std::string(31, 'l'));
    EXPECT_EQ(data->slots[4].name, "ab");
    EXPECT_EQ(data->slots[5].pixels[0], 0);
    EXPECT_EQ(data->slots[5].xSize, 1);
}

TEST(FontFileReader, ReportsFilesThatCannotBeOpened) {
    QTemporaryDir dir;
    const FontModel font = sampleFont();
    EXPECT_EQ(readFontFile(dir.filePath("missing.fnt")).failure, Failure::CannotOpen);
    EXPECT_EQ(readFontFile(dir.path()).failure, Failure::CannotOpen);
    const Result<FontModel> missing = readFontFile(dir.filePath("missing.fnt"));
    EXPECT_EQ(missing.message, "Can't open font file!");
    EXPECT_FALSE(missing.reason.isEmpty()) << "the system says why";
    writeFileBytes(dir.filePath("damaged.fnt"), "Zelvik_glyphV2.0");
    EXPECT_EQ(readFontFile(dir.filePath("damaged.fnt")).message,
              "Invalid font file format or version!");
    EXPECT_EQ(writeFontFile(dir.filePath("no/x.fnt"), FontFileVersion::V2, "abc", 16, font).message,
              "Can't create font file!");
}

TEST(FontFileWriter, ReplacesAnOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("font.fnt");
    writeFileBytes(path, std::string(400000, 'x')); // longer than any font file
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V1, "abc", 16, newFont()));
    EXPECT_EQ(QFileInfo(path).size(), 33436);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.fnt"});
}

TEST(FontFileWriter, FailsWithoutTouchingAnythingWhenTheFileCannotBeCreated) {
    QTemporaryDir dir;
    const Result<> missingFolder = writeFontFile(dir.filePath("no/such/folder/x.fnt"),
                                                 FontFileVersion::V2, "abc", 16, newFont());
    EXPECT_EQ(missingFolder.failure, Failure::CannotCreate);
    EXPECT_FALSE(missingFolder.reason.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.fnt"));
    EXPECT_EQ(
        writeFontFile(dir.filePath("taken.fnt"), FontFileVersion::V2, "abc", 16, newFont()).failure,
        Failure::CannotCreate);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.fnt")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

TEST(FontFileWriter, WritesThroughASymlinkAndKeepsIt) {
    QTemporaryDir dir;
    const QString target = dir.filePath("real.fnt");
    const QString link = dir.filePath("link.fnt");
    ASSERT_TRUE(writeFontFile(target, FontFileVersion::V1, "old", 16, newFont()));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(writeFontFile(link, FontFileVersion::V2, "new", 16, newFont()));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFileBytes(target), serializeFontFile(FontFileVersion::V2, "new", 16, newFont()));
}

#ifdef Q_OS_LINUX
TEST(FontFileWriter, ReadOnlyFolderLeavesTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("font.fnt");
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V1, "old", 16, newFont()));
    const std::string old = readFileBytes(path);
    const QString folder = dir.path();
    const int status = runInReadOnlyFolder(folder, [&] {
        if (writeFontFile(path, FontFileVersion::V2, "new", 16, sampleFont()).failure !=
            Failure::CannotCreate)
            return 1;
        if (readFileBytes(path) != old)
            return 2;
        return QDir(folder).entryList(QDir::Files | QDir::Hidden) == QStringList{"font.fnt"} ? 0
                                                                                             : 3;
    });
    if (status == kCannotSetUp)
        ZELVIK_NO_NAMESPACE("a read-only folder for root");
    EXPECT_EQ(status, 0) << "failed check " << status;
}
#endif
