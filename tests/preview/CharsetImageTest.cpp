// The character set picture: the table, the characters in their cells, the
// labels, and the BMP file as real image readers see it.

#include "preview/CharsetImage.h"
#include "export/ExportTestSupport.h"
#include "preview/BmpFile.h"
#include "support/MissingTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

constexpr int kSize = 640;

bool blackAt(const std::vector<std::uint8_t>& raster, int x, int y) {
    return raster[static_cast<std::size_t>(y * kSize + x)] == 0;
}

bool blackAt(const QImage& picture, int x, int y) {
    return picture.pixelIndex(x, y) == 0;
}

bool isGridLine(int v) {
    return v == 43 || v == 621 || (v >= 44 && v <= 620 && (v - 44) % 36 == 0);
}

// Where the table draws black: the grid lines and nothing else.
bool onGrid(int x, int y) {
    const bool inX = x >= 43 && x <= 621;
    const bool inY = y >= 43 && y <= 621;
    return (isGridLine(y) && inX) || (isGridLine(x) && inY);
}

// The black pixels of the cells' insides (between the grid lines).
std::vector<std::pair<int, int>> cellInk(const std::vector<std::uint8_t>& raster) {
    std::vector<std::pair<int, int>> ink;
    for (int y = 45; y <= 619; ++y)
        for (int x = 45; x <= 619; ++x)
            if (!onGrid(x, y) && blackAt(raster, x, y))
                ink.emplace_back(x, y);
    return ink;
}

// Black pixels of `picture` inside `r`.
int blackIn(const QImage& picture, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += blackAt(picture, x, y);
    return n;
}

QRect columnLabelClip(int c) {
    return QRect(QPoint(44 + 36 * c, 0), QPoint(79 + 36 * c, 41));
}
QRect rowLabelClip(int r) {
    return QRect(QPoint(0, 44 + 36 * r), QPoint(41, 79 + 36 * r));
}

std::uint32_t le32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t le16(const QByteArray& b, int at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Bit of picture pixel (x, y) in a 640 by 640 file: rows bottom first, the
// leftmost pixel in the most significant bit, 1 white.
bool fileBitWhite(const QByteArray& file, int x, int y) {
    const std::uint8_t byte = std::uint8_t(file[62 + (639 - y) * 80 + x / 8]);
    return (byte >> (7 - x % 8)) & 1;
}

} // namespace

TEST(CharsetRaster, AnEmptyFontIsTheGridAlone) {
    const FontModel font = newExportFont();
    const auto raster = charsetRaster(font);
    ASSERT_EQ(raster.size(), 409600u);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            ASSERT_EQ(raster[std::size_t(y * kSize + x)], onGrid(x, y) ? 0 : 255) << x << "," << y;
    // The examples: the double frame and one inner line.
    EXPECT_TRUE(blackAt(raster, 43, 43));
    EXPECT_TRUE(blackAt(raster, 44, 44));
    EXPECT_TRUE(blackAt(raster, 621, 621));
    EXPECT_TRUE(blackAt(raster, 80, 300));
    EXPECT_FALSE(blackAt(raster, 45, 45));
    EXPECT_FALSE(blackAt(raster, 0, 0));
}

TEST(CharsetRaster, CharactersAreCentredInTheirCellsDefinedOrNot) {
    FontModel font = newExportFont();
    defineCharacter(font, 0x41, "UA", 8, {{0, 0}});
    EXPECT_EQ(cellInk(charsetRaster(font)), (std::vector<std::pair<int, int>>{{94, 198}}));

    // An unnamed slot with ink from a file shows; its x-size places it.
    FontModel unnamed = newExportFont();
    unnamed.slots[0x41].xSize = 8;
    unnamed.slots[0x41].pixels[pixelIndex(0, 0)] = 1;
    EXPECT_EQ(cellInk(charsetRaster(unnamed)), (std::vector<std::pair<int, int>>{{94, 198}}));

    // The BlankSlot is not in the table; pixel bytes other than 1 are background.
    FontModel blank = newExportFont();
    blank.slots[kBlankSlot].pixels.fill(1);
    blank.slots[3].pixels.fill(2);
    EXPECT_TRUE(cellInk(charsetRaster(blank)).empty());
}

TEST(CharsetRaster, FullCharactersOfEverySizeStayInsideTheirCells) {
    for (int size : {1, 2, 8, 31, 32}) {
        FontModel font = newExportFont();
        font.ySize = size;
        for (int code = 0; code < 256; ++code) {
            font.slots[code].xSize = size;
            font.slots[code].pixels.fill(1);
        }
        const auto raster = charsetRaster(font);
        const int offset = (35 - size) / 2;
        for (int code : {0, 0x5A, 0xFF}) {
            const int x0 = 45 + 36 * (code % 16) + offset;
            const int y0 = 45 + 36 * (code / 16) + offset;
            for (int y = y0 - 1; y <= y0 + size; ++y) {
                for (int x = x0 - 1; x <= x0 + size; ++x) {
                    const bool inside = x >= x0 && x < x0 + size && y >= y0 && y < y0 + size;
                    ASSERT_EQ(blackAt(raster, x, y), inside || onGrid(x, y))
                        << "size " << size << " code " << code << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(cellInk(raster).size(), std::size_t(256 * size * size)) << size;
    }
}

TEST(CharsetImage, LabelsAreDrawnInsideTheirClipRectanglesOnly) {
    FontModel font = newExportFont();
    // Ink everywhere a character can reach, to see that no label erases it.
    for (int code = 0; code < 256; ++code) {
        font.slots[code].xSize = 32;
        font.slots[code].pixels.fill(1);
    }
    font.ySize = 32;
    const QImage picture = charsetImage(font);
    ASSERT_EQ(picture.size(), QSize(640, 640));
    ASSERT_EQ(picture.format(), QImage::Format_Mono);
    ASSERT_EQ(picture.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));

    const auto raster = charsetRaster(font);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool inLabel = false;
            for (int i = 0; i < 16; ++i)
                inLabel =
                    inLabel || columnLabelClip(i).contains(x, y) || rowLabelClip(i).contains(x, y);
            if (!inLabel) {
                ASSERT_EQ(blackAt(picture, x, y), blackAt(raster, x, y)) << x << "," << y;
            }
        }
    }
    // Every label has ink, the 17-pixel type starting at its top-left corner:
    // nothing above row 17 (column labels) or left of column 15 (row labels).
    for (int i = 0; i < 16; ++i) {
        const QRect column = columnLabelClip(i);
        EXPECT_GT(blackIn(picture, column), 10) << "column label " << i;
        EXPECT_EQ(blackIn(picture, QRect(column.left(), 0, column.width(), 17)), 0) << i;
        EXPECT_EQ(blackIn(picture, QRect(column.left(), 0, 53 + 36 * i - column.left(), 42)), 0)
            << i;
        const QRect row = rowLabelClip(i);
        EXPECT_GT(blackIn(picture, row), 10) << "row label " << i;
        EXPECT_EQ(blackIn(picture, QRect(0, row.top(), 15, row.height())), 0) << i;
        EXPECT_EQ(blackIn(picture, QRect(0, row.top(), 42, 53 + 36 * i - row.top())), 0) << i;
    }
    // Different digits draw differently: "x0" is not "x1", "0x" is not "1x".
    auto labelPixels = [&](QRect r) { return picture.copy(r); };
    EXPECT_NE(labelPixels(columnLabelClip(0)), labelPixels(columnLabelClip(1)));
    EXPECT_NE(labelPixels(rowLabelClip(0)), labelPixels(rowLabelClip(1)));
}

TEST(MonoBmp, HeaderFieldsAndRowsAreThoseOfA1BitWindowsBitmap) {
    FontModel font = newExportFont();
    defineCharacter(font, 0x41, "UA", 8, {{0, 0}});
    const QImage picture = charsetImage(font);
    const QByteArray file = monoBmpBytes(picture);
    ASSERT_EQ(file.size(), 51262);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(le32(file, 2), 51262u);
    EXPECT_EQ(le16(file, 6), 0);
    EXPECT_EQ(le16(file, 8), 0);
    EXPECT_EQ(le32(file, 10), 62u);
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), 640u);
    EXPECT_EQ(le32(file, 22), 640u);
    EXPECT_EQ(le16(file, 26), 1);
    EXPECT_EQ(le16(file, 28), 1);
    EXPECT_EQ(le32(file, 30), 0u);
    EXPECT_EQ(le32(file, 34), 51200u);
    EXPECT_EQ(le32(file, 38), 0u);
    EXPECT_EQ(le32(file, 42), 0u);
    EXPECT_EQ(le32(file, 46), 2u);
    EXPECT_EQ(le32(file, 50), 0u);
    EXPECT_EQ(file.mid(54, 8), QByteArray("\0\0\0\0\xFF\xFF\xFF\0", 8));

    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            ASSERT_EQ(fileBitWhite(file, x, y), !blackAt(picture, x, y)) << x << "," << y;
    EXPECT_TRUE(fileBitWhite(file, 0, 0));
    EXPECT_FALSE(fileBitWhite(file, 43, 43));
    EXPECT_FALSE(fileBitWhite(file, 44, 44));
    EXPECT_FALSE(fileBitWhite(file, 621, 621));
    EXPECT_FALSE(fileBitWhite(file, 80, 300));
    EXPECT_TRUE(fileBitWhite(file, 45, 45));
    EXPECT_FALSE(fileBitWhite(file, 94, 198));
    EXPECT_TRUE(fileBitWhite(file, 95, 198));
}

TEST(MonoBmp, RowsArePaddedToFourBytesAndBitsPastTheWidthAreClear) {
    QImage picture(10, 3, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(1);
    picture.setPixel(9, 0, 0);
    const QByteArray file = monoBmpBytes(picture);
    ASSERT_EQ(file.size(), 62 + 3 * 4);
    EXPECT_EQ(le32(file, 34), 12u);
    // Bottom row first: rows 2 and 1 all white, row 0 with its last pixel black.
    EXPECT_EQ(file.mid(62), QByteArray("\xFF\xC0\0\0\xFF\xC0\0\0\xFF\x80\0\0", 12));

    EXPECT_TRUE(monoBmpBytes(QImage()).isEmpty());
    EXPECT_TRUE(monoBmpBytes(QImage(8, 8, QImage::Format_RGB32)).isEmpty());
}

TEST(CharsetImageFile, ImageReadersSeeThePicture) {
    QTemporaryDir dir;
    FontModel font = newExportFont();
    defineCharacter(font, 0x41, "UA", 8, {{0, 0}, {7, 15}});
    const QString path = dir.filePath("chars.bmp");
    ASSERT_TRUE(writeCharsetImage(font, path).ok());
    EXPECT_EQ(QFile(path).size(), 51262);

    // Qt's reader: the same pixels.
    const QImage expected = charsetImage(font);
    QImage read(path);
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.size(), QSize(640, 640));
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            ASSERT_EQ(read.pixel(x, y), expected.pixel(x, y)) << x << "," << y;

    // ImageMagick's reader.
    const QString identify = QStandardPaths::findExecutable("identify");
    if (identify.isEmpty())
        ZELVIK_MISSING_TOOL(
            "ImageMagick's identify is missing (tools/install-deps.sh installs it)");
    QProcess process;
    process.start(
        identify,
        {"-format", "%m %w %h %k %[fx:p{94,198}.intensity] %[fx:p{95,198}.intensity]", path});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput().trimmed().toStdString(), "BMP3 640 640 2 0 1");
}

TEST(CharsetImageFile, AFailedWriteNamesTheFileAndLeavesNothing) {
    QTemporaryDir dir;
    const FontModel font = newExportFont();
    const QString path = dir.filePath("missing/chars.bmp");
    const Result<> result = writeCharsetImage(font, path);
    EXPECT_EQ(result.failure, Failure::CannotCreate);
    EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(path)))
        << result.message.toStdString();
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
