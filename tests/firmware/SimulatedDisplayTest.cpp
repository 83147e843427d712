// The AVR firmware example, built with a freshly exported font, runs in simavr
// with its SSD1306 part; the display's memory must show the same pixels as
// zelvik-cli sample for the same text and font.

#include "font/FontFile.h"
#include "support/MissingTool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <iostream>
#include <vector>

using namespace zelvik;

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 64;
using Display = std::array<std::array<bool, kWidth>, kHeight>;

struct Line {
    int x;
    int y;
    std::string text;
};
using Screen = std::vector<Line>;

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ToolRun result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = process.readAll().toStdString();
    return result;
}

// Codes 'A'-'Z' and 'a'-'f', x-sizes 1 to 32, y-size 13, which crosses a page
// of the display wherever it starts; every character has ink at its corners.
void writeDrawnFont(const QString& path) {
    FontModel font;
    font.ySize = 13;
    const std::string codes = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef";
    for (int i = 0; i < 32; ++i) {
        CharSlot& slot = font.slots[static_cast<unsigned char>(codes[static_cast<size_t>(i)])];
        // avrasm's labels ignore case: "cA" and "ca" would be one label.
        slot.name = "c" + std::to_string(static_cast<int>(codes[static_cast<size_t>(i)]));
        slot.xSize = i + 1;
        for (int x = 0; x < kMatrixEdge; ++x)
            for (int y = 0; y < kMatrixEdge; ++y)
                slot.pixels[pixelIndex(x, y)] = (x * 7 + y * 3 + i) % 5 < 2 ? 1 : 0;
        for (int x : {0, i})
            for (int y : {0, 12})
                slot.pixels[pixelIndex(x, y)] = 1;
    }
    ASSERT_TRUE(writeFontFile(path, FontFileVersion::V2, "font", font.ySize, font));
}

// The display as zelvik-cli sample sets the screen's lines: each line's run of
// characters cut out of its strip and put at the line's place.
void expectedDisplay(const QString& fontPath, const Screen& screen, const QDir& dir,
                     Display& display) {
    FontModel font;
    ASSERT_TRUE(readFontFile(fontPath, font));
    for (auto& row : display)
        row.fill(false);
    for (const Line& line : screen) {
        const QString png = dir.filePath("strip.png");
        const ToolRun sample =
            run(QStringLiteral(ZELVIK_CLI_PATH),
                {"sample", fontPath, "--text", QString::fromStdString(line.text), "-o", png});
        ASSERT_EQ(sample.exitCode, 0) << sample.output;
        const QImage strip(png);
        ASSERT_FALSE(strip.isNull());
        int total = 0;
        for (const char c : line.text) {
            const CharSlot& slot = font.slots[static_cast<unsigned char>(c)];
            if (slot.defined())
                total += slot.xSize + 1;
        }
        const int left = (strip.width() - total) / 2;
        const int top = (strip.height() - font.ySize) / 2;
        for (int j = 0; j < font.ySize; ++j) {
            for (int i = 0; i < total; ++i) {
                if (strip.pixelColor(left + i, top + j) != Qt::black)
                    continue;
                const int x = line.x + i;
                const int y = line.y + j;
                ASSERT_TRUE(x < kWidth && y < kHeight)
                    << "'" << line.text << "' is off the display";
                display[static_cast<size_t>(y)][static_cast<size_t>(x)] = true;
            }
        }
    }
}

// One text line per row, '#' for a lit pixel, so a failure shows both.
std::string displayText(const Display& display) {
    std::string text;
    for (const auto& row : display) {
        for (const bool lit : row)
            text += lit ? '#' : '.';
        text += '\n';
    }
    return text;
}

std::string cString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// How the firmware gets its font: a display preset, whether its rows must be
// turned into columns, and whether it comes from the assembler export.
struct Layout {
    const char* display;
    bool horizontal;
    bool assembler;
};

class SimulatedDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        harness_ = QStringLiteral(ZELVIK_SSD1306_RUN);
        if (harness_.isEmpty())
            ZELVIK_MISSING_TOOL("simavr (libsimavr-dev, libsimavrparts1, libelf-dev) was not found "
                                "when the tests were configured");
        for (const char* tool : {"avr-gcc", "avra", "make"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                ZELVIK_MISSING_TOOL(tool << " is not installed");
        }
        ASSERT_TRUE(dir_.isValid());
    }

    // Exports the font with the display preset, builds the example for the
    // screen, runs it, and compares the simulated display with the samples.
    void showScreen(const QString& fontPath, int ySize, const Layout& layout,
                    const Screen& screen) {
        const QDir dir(dir_.path());
        const char* display = layout.display;
        const ToolRun exported =
            run(QStringLiteral(ZELVIK_CLI_PATH),
                {"export", fontPath, "--target", layout.assembler ? "avr" : "c", "--display",
                 QString::fromLatin1(display), "-o",
                 dir.filePath(layout.assembler ? "font.asm" : "font.c")});
        ASSERT_EQ(exported.exitCode, 0) << exported.output;

        std::string header = "static const struct text_line screen[] = {\n";
        for (const Line& line : screen)
            header += "    {" + std::to_string(line.x) + ", " + std::to_string(line.y) + ", " +
                      cString(line.text) + "},\n";
        header += "};\n";
        QFile file(dir.filePath("screen.h"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(header.c_str());
        file.close();

        QStringList makeArgs = {"-s",
                                "-C",
                                QStringLiteral(ZELVIK_EXAMPLES_DIR "/avr-ssd1306"),
                                "FONT_DIR=" + dir.path(),
                                "SCREEN_DIR=" + dir.path(),
                                "BUILD=" + dir.filePath("build"),
                                "FONT_HEIGHT=" + QString::number(ySize)};
        if (layout.horizontal)
            makeArgs << "FONT_HORIZONTAL=1";
        if (layout.assembler)
            makeArgs << "asm";
        const QString image =
            dir.filePath(layout.assembler ? "build/firmware-asm.hex" : "build/firmware.elf");
        QDir(dir.filePath("build")).removeRecursively();
        const ToolRun built = run("make", makeArgs);
        ASSERT_EQ(built.exitCode, 0) << built.output;

        const QString pbm = dir.filePath("display.pbm");
        const ToolRun simulated = run(harness_, {image, "20000000", pbm});
        ASSERT_EQ(simulated.exitCode, 0) << simulated.output;
        // For the record: the cycles and time the simulation took.
        const auto at = simulated.output.rfind("cycles ");
        std::cout << display << (layout.assembler ? " (avra)" : "") << ": "
                  << simulated.output.substr(at == std::string::npos ? 0 : at);

        Display shown{};
        QFile picture(pbm);
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = picture.readAll().split('\n');
        ASSERT_GE(rows.size(), 2 + kHeight);
        for (int y = 0; y < kHeight; ++y) {
            ASSERT_EQ(rows[2 + y].size(), kWidth);
            for (int x = 0; x < kWidth; ++x)
                shown[static_cast<size_t>(y)][static_cast<size_t>(x)] = rows[2 + y][x] == '1';
        }

        Display expected{};
        expectedDisplay(fontPath, screen, dir, expected);
        EXPECT_EQ(displayText(shown), displayText(expected)) << "with " << display;
    }

    QString harness_;
    QTemporaryDir dir_;
};

// Both orientations: the page layout the SSD1306 takes, and rows of bytes
// that the firmware turns into columns; and the page layout once more from
// the AVR assembler export, assembled apart and merged into the image.
constexpr std::array<Layout, 3> kDisplays = {
    {{"ssd1306", false, false}, {"st7920", true, false}, {"ssd1306", false, true}}};

TEST_F(SimulatedDisplay, GeneratedDejaVuFontDrawsAsTheSampleStrip) {
    const QString font = QDir(dir_.path()).filePath("dejavu.fnt");
    const ToolRun generated =
        run(QStringLiteral(ZELVIK_CLI_PATH),
            {"generate", "--font-file", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
             "--pixel-size", "11", "--identifier", "font", "-o", font});
    if (generated.exitCode != 0 &&
        !QFile::exists("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"))
        ZELVIK_MISSING_TOOL("fonts-dejavu-core is not installed");
    ASSERT_EQ(generated.exitCode, 0) << generated.output;
    for (const Layout& layout : kDisplays)
        showScreen(font, 32, layout, {{0, 0, "Hello, AVR!"}, {5, 29, "Zelvik 1.10"}});
}

TEST_F(SimulatedDisplay, DrawnFontOfEveryWidthDrawsAsTheSampleStrip) {
    const QString font = QDir(dir_.path()).filePath("drawn.fnt");
    writeDrawnFont(font);
    // x-sizes 1-20, then 21-32, four lines of a screen each, at rows that
    // start inside a page.
    const std::array<Screen, 2> screens = {
        {{{0, 3, "ABCDEFGHIJKLMN"}, {1, 16, "OPQRST"}},
         {{0, 3, "UVWXY"}, {2, 16, "Zabc"}, {3, 29, "def"}, {100, 45, "AB"}}}};
    for (const Layout& layout : kDisplays)
        for (const Screen& screen : screens)
            showScreen(font, 13, layout, screen);
}

} // namespace
