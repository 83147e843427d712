// The generated sources go through the compilers and assemblers firmware
// developers use, and the data that comes back out is compared with an
// independent decoding of the font's pixels, for every option combination.

#include "ExportTestSupport.h"
#include "ReferenceDecoding.h"

#include "export/PackCharacter.h"
#include "support/MissingTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

using namespace zelvik;
using namespace zelvik::test;

namespace {

constexpr int kYSize = 11;

// Characters of assorted widths with ink up to their edges, ink outside their
// rectangles that must not show up, and a BlankSlot with ink of its own.
FontModel toolchainFont(const std::string& identifier) {
    FontModel font = newExportFont(identifier);
    font.ySize = kYSize;
    struct Def {
        int code;
        const char* name;
        int xSize;
    };
    const Def defs[] = {{0, "nul", 1},    {31, "us", 5},     {65, "A", 8},      {66, "b", 9},
                        {127, "del", 13}, {200, "e200", 17}, {255, "last", 32}, {256, "blank", 6}};
    unsigned seed = 12345;
    for (const Def& d : defs) {
        CharSlot& slot = font.slots[d.code];
        slot.name = d.name;
        slot.xSize = d.xSize;
        for (int x = 0; x < kMatrixEdge; ++x) {
            for (int y = 0; y < kMatrixEdge; ++y) {
                seed = seed * 1103515245u + 12345u;
                const bool inside = x < d.xSize && y < kYSize;
                // Inside: a mix; outside: mostly ink, so a leak would show.
                slot.pixels[pixelIndex(x, y)] = ((seed >> 16) % (inside ? 3 : 4)) != 0 ? 1 : 0;
            }
        }
        // The four corners of the rectangle are always ink.
        for (int x : {0, d.xSize - 1})
            for (int y : {0, kYSize - 1})
                slot.pixels[pixelIndex(x, y)] = 1;
    }
    return font;
}

// All 32 combinations of one orientation's five boxes.
ExportOptions optionsFor(int combination) {
    ExportOptions o;
    o.vertical = (combination & 32) == 0;
    const bool first = combination & 1;
    const bool second = combination & 2;
    if (o.vertical) {
        o.topSideToMSB = first;
        o.rightSideFirst = second;
    } else {
        o.rightSideToLSB = first;
        o.bottomSideFirst = second;
    }
    o.alignToMSB = combination & 4;
    o.invertColors = combination & 8;
    o.bigEndian = combination & 16;
    return o;
}

constexpr int kCombinations = 64;

std::string describe(const ExportOptions& o) {
    std::string s = o.vertical ? "vertical" : "horizontal";
    if (o.topSideToMSB)
        s += " top-to-MSB";
    if (o.rightSideFirst)
        s += " right-first";
    if (o.rightSideToLSB)
        s += " right-to-LSB";
    if (o.bottomSideFirst)
        s += " bottom-first";
    if (o.alignToMSB)
        s += " align-MSB";
    if (o.invertColors)
        s += " invert";
    if (o.bigEndian)
        s += " big-endian";
    return s;
}

struct RunResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

RunResult runTool(const QString& program, const QStringList& args, const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", folder); // tools that keep settings keep them in the scratch folder
    p.setProcessEnvironment(env);
    p.start(program, args);
    RunResult r;
    if (!p.waitForStarted(10000)) {
        r.output = "could not start " + program.toStdString();
        return r;
    }
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.output = program.toStdString() + " did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = p.readAll().toStdString();
    return r;
}

// The tool's path, or empty; a missing tool ends its test through
// ZELVIK_MISSING_TOOL.
QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

#define REQUIRE_TOOL(var, name)                                                                    \
    const QString var = tool(name);                                                                \
    if (var.isEmpty())                                                                             \
        ZELVIK_MISSING_TOOL(name << " is not installed (tools/install-deps.sh installs it)");

// Memory image of an Intel hex file.
std::map<unsigned, std::uint8_t> readIntelHex(const QString& path) {
    std::map<unsigned, std::uint8_t> memory;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return memory;
    unsigned base = 0;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.size() < 11 || line[0] != ':')
            continue;
        const QByteArray bytes = QByteArray::fromHex(line.mid(1));
        const unsigned count = static_cast<std::uint8_t>(bytes[0]);
        const unsigned address =
            (static_cast<std::uint8_t>(bytes[1]) << 8) | static_cast<std::uint8_t>(bytes[2]);
        const int type = static_cast<std::uint8_t>(bytes[3]);
        auto word = [&](int at) {
            return (static_cast<unsigned>(static_cast<std::uint8_t>(bytes[at])) << 8) |
                   static_cast<std::uint8_t>(bytes[at + 1]);
        };
        if (type == 0) {
            for (unsigned i = 0; i < count; ++i)
                memory[base + address + i] = static_cast<std::uint8_t>(bytes[4 + i]);
        } else if (type == 2) {
            base = word(4) << 4;
        } else if (type == 4) {
            base = word(4) << 16;
        }
    }
    return memory;
}

// Walks the 256-entry table of an assembled font the way firmware does.
std::string dumpFromMemory(const std::map<unsigned, std::uint8_t>& memory, bool tableHighFirst,
                           bool vertical) {
    auto at = [&](unsigned address) -> int {
        const auto it = memory.find(address);
        return it == memory.end() ? -1 : it->second;
    };
    std::string dump;
    for (int code = 0; code < kCodeCount; ++code) {
        const int first = at(2u * code);
        const int second = at(2u * code + 1);
        if (first < 0 || second < 0)
            return dump + "table entry " + std::to_string(code) + " missing\n";
        const unsigned address = tableHighFirst ? (first << 8) | second : (second << 8) | first;
        const int w = at(address);
        dump += std::to_string(code) + " " + std::to_string(w);
        const int count = w < 1 ? 0 : dataByteCount(w, kYSize, vertical);
        for (int i = 1; i <= count; ++i)
            dump += " " + std::to_string(at(address + i));
        dump += "\n";
    }
    return dump;
}

std::string generated(ExportTarget target, const FontModel& font, const ExportOptions& o,
                      const std::string& guard = "font") {
    return generateFor(target, font, o, guard).source;
}

} // namespace

TEST(Toolchain, Asem51SyntaxAssemblesAndReadsBackForEveryOption) {
    REQUIRE_TOOL(assembler, "mcu8051ide");
    QTemporaryDir dir;
    const FontModel font = toolchainFont("fnt");
    for (int k = 0; k < kCombinations; ++k) {
        const ExportOptions o = optionsFor(k);
        const QString folder = dir.filePath(QString("c51_%1").arg(k));
        QDir().mkpath(folder);
        writeFileBytes(folder + "/font.a51", generated(ExportTarget::C51, font, o));
        writeFileBytes(folder + "/wrap.asm", "ORG 0\r\n$INCLUDE (font.a51)\r\nEND\r\n");
        const RunResult r = runTool(assembler, {"--nocolor", "--assemble", "wrap.asm"}, folder);
        ASSERT_EQ(r.exitCode, 0) << describe(o) << "\n" << r.output;
        ASSERT_NE(r.output.find("0 errors"), std::string::npos) << r.output;
        const auto memory = readIntelHex(folder + "/wrap.hex");
        ASSERT_FALSE(memory.empty()) << describe(o) << "\n" << r.output;
        EXPECT_EQ(dumpFromMemory(memory, true, o.vertical), referenceDump(font, o)) << describe(o);
    }
}

TEST(Toolchain, AvrasmSyntaxAssemblesAndReadsBackForEveryOption) {
    REQUIRE_TOOL(assembler, "avra");
    QTemporaryDir dir;
    const FontModel font = toolchainFont("fnt");
    for (int k = 0; k < kCombinations; ++k) {
        const ExportOptions o = optionsFor(k);
        const QString folder = dir.filePath(QString("avr_%1").arg(k));
        QDir().mkpath(folder);
        writeFileBytes(folder + "/font.asm", generated(ExportTarget::Avr, font, o));
        writeFileBytes(folder + "/wrap.asm",
                       ".device ATmega328P\r\n.cseg\r\n.org 0\r\n.include \"font.asm\"\r\n");
        const RunResult r = runTool(assembler, {"wrap.asm"}, folder);
        ASSERT_EQ(r.exitCode, 0) << describe(o) << "\n" << r.output;
        ASSERT_NE(r.output.find("no errors"), std::string::npos) << r.output;
        const auto memory = readIntelHex(folder + "/wrap.hex");
        ASSERT_FALSE(memory.empty()) << describe(o) << "\n" << r.output;
        EXPECT_EQ(dumpFromMemory(memory, false, o.vertical), referenceDump(font, o)) << describe(o);
    }
}

namespace {

// A host program, valid C and C++, that includes every font's header and
// prints what firmware would read through each table.
std::string hostProgram() {
    std::string main;
    for (int k = 0; k < kCombinations; ++k)
        main += "#include \"font" + std::to_string(k) + ".h\"\n";
    main += "#include <stdio.h>\n\n";
    main += "static void dump(TCLISTP* table, int vertical) {\n"
            "    int code;\n"
            "    for (code = 0; code < 256; ++code) {\n"
            "        const TCDATA* p = table[code];\n"
            "        int w = p[0];\n"
            "        int n = vertical ? w * ((" +
            std::to_string(kYSize) + " + 7) / 8) : " + std::to_string(kYSize) +
            " * ((w + 7) / 8);\n"
            "        int i;\n"
            "        printf(\"%d %d\", code, w);\n"
            "        for (i = 1; i <= n; ++i)\n"
            "            printf(\" %d\", p[i]);\n"
            "        printf(\"\\n\");\n"
            "    }\n"
            "}\n\n"
            "int main(void) {\n";
    for (int k = 0; k < kCombinations; ++k) {
        main += "    printf(\"font " + std::to_string(k) + "\\n\");\n";
        main +=
            "    dump(f" + std::to_string(k) + ", " + (optionsFor(k).vertical ? "1" : "0") + ");\n";
    }
    main += "    return 0;\n}\n";
    return main;
}

std::string expectedHostOutput() {
    std::string out;
    for (int k = 0; k < kCombinations; ++k) {
        const FontModel font = toolchainFont("f" + std::to_string(k));
        out += "font " + std::to_string(k) + "\n" + referenceDump(font, optionsFor(k));
    }
    return out;
}

// Writes font0..font63 with sources of the given extension, returns their names.
QStringList writeCSources(const QString& folder, const QString& extension) {
    QStringList sources;
    for (int k = 0; k < kCombinations; ++k) {
        const FontModel font = toolchainFont("f" + std::to_string(k));
        const std::string base = "font" + std::to_string(k);
        const GeneratedFiles files = generateFor(ExportTarget::C, font, optionsFor(k), base);
        const QString name = QString::fromStdString(base);
        writeFileBytes(folder + "/" + name + extension, files.source);
        writeFileBytes(folder + "/" + name + ".h", files.header);
        sources << name + extension;
    }
    return sources;
}

// Compiles and links the fonts with the host program, runs it, compares.
void buildAndCompare(const QString& compiler, const QStringList& flags, const QString& extension) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    QStringList args = flags;
    args << writeCSources(folder, extension);
    writeFileBytes(folder + "/main" + extension, hostProgram());
    args << "main" + extension << "-o"
         << "host";
    const RunResult build = runTool(compiler, args, folder);
    ASSERT_EQ(build.exitCode, 0) << build.output;
    EXPECT_EQ(build.output, "") << "the compiler warned";
    const RunResult run = runTool(folder + "/host", {}, folder);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, expectedHostOutput());
}

} // namespace

TEST(Toolchain, CSourceBuildsWithGccAndReadsBackForEveryOption) {
    REQUIRE_TOOL(gcc, "gcc");
    buildAndCompare(gcc, {"-std=c99", "-Wall", "-Wextra", "-pedantic", "-Werror"}, ".c");
}

TEST(Toolchain, CppSourceBuildsWithGppAndReadsBackForEveryOption) {
    REQUIRE_TOOL(gpp, "g++");
    buildAndCompare(gpp, {"-std=c++17", "-Wall", "-Wextra", "-pedantic", "-Werror"}, ".cpp");
}

TEST(Toolchain, CSourceCompilesForMicrocontrollersWithoutWarnings) {
    const QString sdcc = tool("sdcc");
    const QString avrGcc = tool("avr-gcc");
    if (sdcc.isEmpty() && avrGcc.isEmpty())
        ZELVIK_MISSING_TOOL("neither sdcc nor avr-gcc is installed (tools/install-deps.sh)");
    QTemporaryDir dir;
    const FontModel font = toolchainFont("fnt");
    for (const bool vertical : {true, false}) {
        ExportOptions o;
        o.vertical = vertical;
        const GeneratedFiles files = generateFor(ExportTarget::C, font, o, "fonts");
        writeFileBytes(dir.filePath("fonts.c"), files.source);
        writeFileBytes(dir.filePath("fonts.h"), files.header);
        if (!sdcc.isEmpty()) {
            const RunResult r = runTool(sdcc, {"-mmcs51", "-c", "fonts.c"}, dir.path());
            EXPECT_EQ(r.exitCode, 0) << r.output;
            EXPECT_EQ(r.output, "") << "sdcc warned";
        }
        if (!avrGcc.isEmpty()) {
            const RunResult r = runTool(avrGcc,
                                        {"-mmcu=atmega328p", "-std=c99", "-Wall", "-Wextra",
                                         "-pedantic", "-Werror", "-c", "fonts.c"},
                                        dir.path());
            EXPECT_EQ(r.exitCode, 0) << r.output;
            EXPECT_EQ(r.output, "") << "avr-gcc warned";
        }
    }
    if (sdcc.isEmpty())
        ZELVIK_MISSING_TOOL("sdcc is not installed; avr-gcc passed");
    if (avrGcc.isEmpty())
        ZELVIK_MISSING_TOOL("avr-gcc is not installed; sdcc passed");
}
