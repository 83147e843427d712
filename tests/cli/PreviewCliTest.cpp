// zelvik-cli image and sample, run as the real program the way scripts run it.

#include "export/ExportTestSupport.h"
#include "font/FontFile.h"
#include "preview/CharsetImage.h"
#include "preview/SampleStrip.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class PreviewCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        font = newExportFont("lcd");
        defineCharacter(font, 'A', "A", 5, {{0, 0}, {4, 15}, {2, 7}});
        defineCharacter(font, 0x8A, "Scaron", 3, {{1, 1}}); // Windows-1250 S caron
        defineCharacter(font, ' ', "space", 4);
        // Ink in an unnamed slot: the picture shows it, the strip does not.
        font.slots['z'].pixels[pixelIndex(1, 1)] = 1;
        fontPath = dir.filePath("font.fnt");
        ASSERT_TRUE(writeFontFile(fontPath, FontFileVersion::V2, "lcd", 16, font));
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    FontModel font;
    QString fontPath;
};

} // namespace

TEST_F(PreviewCli, ImageWritesTheEditorsPictureUnderABmpName) {
    const CliRun run = runCli({"image", fontPath, "-o", dir.filePath("chars.png")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(files(), (QStringList{"chars.bmp", "font.fnt"}));
    const QString reference = dir.filePath("reference.bmp");
    ASSERT_TRUE(writeCharsetImage(font, reference).ok());
    const std::string written = readFileBytes(dir.filePath("chars.bmp"));
    EXPECT_EQ(written.size(), 51262u);
    EXPECT_TRUE(written == readFileBytes(reference)) << "not the editor's picture";

    EXPECT_EQ(runCli({"image", fontPath, "-o", dir.filePath("my.font.x")}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("my.font.bmp")));
}

TEST_F(PreviewCli, ImageRefusesBadInputAndUsage) {
    writeFileBytes(dir.filePath("bad.fnt"), "not a font");
    CliRun run = runCli({"image", dir.filePath("bad.fnt"), "-o", dir.filePath("x.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Invalid font file format or version!"), std::string::npos) << run.err;

    run = runCli({"image", fontPath, "-o", dir.filePath("no/such/folder/x.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("x.bmp"), std::string::npos) << run.err;

    EXPECT_EQ(runCli({"image", fontPath}).exitCode, 2);
    EXPECT_EQ(runCli({"image", "-o", dir.filePath("x.bmp")}).exitCode, 2);
    EXPECT_EQ(runCli({"image", fontPath, "--text", "A", "-o", dir.filePath("x.bmp")}).exitCode, 2);
    EXPECT_EQ(files(), (QStringList{"bad.fnt", "font.fnt"}));
}

TEST_F(PreviewCli, SampleWritesTheStripAsAPng) {
    // "Š" is Windows-1250 0x8A; the unnamed 'z' takes no room.
    const QString text = QStringLiteral("A z\u0160A");
    const CliRun run = runCli({"sample", fontPath, "--text", text, "-o", dir.filePath("s.png")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const QImage expected = renderSampleStrip(font, "A z\x8A"
                                                    "A");
    QImage png;
    ASSERT_TRUE(png.load(dir.filePath("s.png"), "PNG"));
    ASSERT_EQ(png.size(), QSize(762, 50));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 762; ++x)
            ASSERT_EQ(png.pixel(x, y), expected.pixel(x, y)) << x << "," << y;

    EXPECT_EQ(
        runCli({"sample", fontPath, "--text", text, "--scale", "16", "-o", dir.filePath("big.png")})
            .exitCode,
        0);
    QImage big;
    ASSERT_TRUE(big.load(dir.filePath("big.png"), "PNG"));
    ASSERT_EQ(big.size(), QSize(762 * 16, 50 * 16));
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            ASSERT_EQ(big.pixel(x, y), expected.pixel(x / 16, y / 16)) << x << "," << y;
}

TEST_F(PreviewCli, SampleRefusesTextItCannotHoldAndBadScales) {
    const QString out = dir.filePath("s.png");
    EXPECT_EQ(runCli({"sample", fontPath, "--text", QString(128, 'A'), "-o", out}).exitCode, 0);
    ASSERT_TRUE(QFile::remove(out));
    const CliRun tooLong = runCli({"sample", fontPath, "--text", QString(129, 'A'), "-o", out});
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_NE(tooLong.err.find("128"), std::string::npos) << tooLong.err;
    EXPECT_EQ(runCli({"sample", fontPath, "--text", QStringLiteral("\u2603"), "-o", out}).exitCode,
              2);
    for (const char* scale : {"0", "17", "-1", "2x", ""})
        EXPECT_EQ(runCli({"sample", fontPath, "--text", "A", "--scale", scale, "-o", out}).exitCode,
                  2)
            << scale;
    EXPECT_EQ(runCli({"sample", fontPath, "-o", out}).exitCode, 2);
    EXPECT_EQ(runCli({"sample", fontPath, "--text", "A"}).exitCode, 2);
    EXPECT_EQ(runCli({"sample", dir.filePath("none.fnt"), "--text", "A", "-o", out}).exitCode, 1);
    EXPECT_EQ(runCli({"sample", fontPath, "--text", "A", "-o", dir.filePath("no/s.png")}).exitCode,
              1);
    EXPECT_EQ(files(), QStringList{"font.fnt"});
    // An empty text is a text: the empty framed strip.
    EXPECT_EQ(runCli({"sample", fontPath, "--text", "", "-o", out}).exitCode, 0);
}
