// zelvik-cli COMMAND ...: the jobs that need no person, over the editor's own
// core code. The usage text below lists the commands.
#include "cli/CliCommands.h"
#include "cli/DrawingModule.h"

#include <QCommandLineParser>

#include <iostream>
#include <memory>
#include <string>

namespace {

using namespace zelvik::cli;

int runImage(const Args& args) {
    return runInDrawingModule("image", args);
}
int runSample(const Args& args) {
    return runInDrawingModule("sample", args);
}

// The commands read and write files with Qt Core's classes, which need no
// application object; making one would cost more than an export takes. Only
// the drawing module makes one, a QGuiApplication.
struct Command {
    const char* name;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"info", runInfo},     {"convert", runConvert},   {"export", runExport}, {"image", runImage},
    {"sample", runSample}, {"generate", runGenerate}, {"import", runImport},
};

std::string usageText() {
    return "Usage: zelvik-cli COMMAND [ARGS]\n"
           "   or: zelvik-cli COMMAND --help\n"
           "   or: zelvik-cli --help | --version\n"
           "\n"
           "Commands:\n"
           "  info FONT.fnt\n"
           "      Print the font's version, identifier, sizes and defined characters.\n"
           "  convert FONT.fnt --version 1.0|2.0 -o OUT.fnt\n"
           "      Write the font in the chosen file version.\n" +
           exportUsage() +
           "      --display NAME: the packing of a display controller (export --help\n"
           "      lists them).\n"
           "      Vertical options: --top-side-to-msb --right-side-first\n"
           "      Horizontal options: --right-side-to-lsb --bottom-side-first\n"
           "      Both: --align-to-msb --invert-colors --big-endian\n"
           "  image FONT.fnt -o CHARS.bmp\n"
           "      Write the picture of all 256 codes, 640 by 640, 1 bit per pixel (BMP).\n"
           "  sample FONT.fnt --text TEXT [--scale N] -o STRIP.png\n"
           "      Write the sample strip for TEXT (Windows-1250, at most 128 characters)\n"
           "      as a PNG picture of 762 by 50 pixels, each pixel N by N (1-16, default 1).\n"
           "  generate (--family NAME | --font-file FILE.ttf|.otf) --pixel-size N [OPTIONS]\n"
           "           --identifier ID [--version 2.0] -o OUT.fnt\n"
           "      Render a font into a new font file, as the editor's \"Generate font\" does.\n"
           "      --codes LIST      comma list of letters, digits, specials, high\n"
           "                        (default letters,digits,specials: 0x20-0x7F)\n"
           "      --high-codes all|czech   which of 0x80-0xFF 'high' renders (default all)\n"
           "      --bold --italic   the face's style\n"
           "      --no-align        keep every character's left bearing\n"
           "      --align-digits    align 0-9 left like the rest\n"
           "      --no-min-x-size   every character 32 pixels wide\n"
           "      --y-offset N      move the characters down by N pixels (-32..32, default 0)\n"
           "  import FILE [--font NAME] [--identifier ID] [--version 1.0|2.0] -o OUT.fnt\n"
           "      Read a BDF font, an Adafruit GFX header or a u8g2 font source into a\n"
           "      new font file; says on stderr how many glyphs were taken, cut and\n"
           "      skipped. --font picks one font of a file that holds several.\n"
           "\n"
           "Exit status: 0 success, 1 input refused or output not written, 2 usage error.\n";
}

// Qt's own notes (a missing runtime folder, font substitutions) are no
// business of a script reading our stderr; real failures come back as Results.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "zelvik-cli: " << message.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietQtMessages);
    rememberProgram(argv[0]);

    // Before the command only --help and --version; every word from the
    // command on is the command's own, read by its own parser.
    QCommandLineParser top;
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    top.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show the commands and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    top.addOptions({help, version});
    top.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("What to do."));
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (!top.parse(words)) {
        printError(top.errorText().toStdString());
        std::cerr << usageText();
        return kUsage;
    }
    if (top.isSet(version)) {
        std::cout << "zelvik-cli " ZELVIK_VERSION "\n";
        return kSuccess;
    }
    const QStringList positional = top.positionalArguments();
    if (top.isSet(help) || (positional.size() == 1 && positional[0] == QLatin1String("help"))) {
        std::cout << usageText();
        return kSuccess;
    }
    if (positional.isEmpty()) {
        std::cerr << usageText();
        return kUsage;
    }

    const std::string name = positional[0].toStdString();
    const Command* command = nullptr;
    for (const Command& c : kCommands) {
        if (name == c.name)
            command = &c;
    }
    if (!command) {
        printError("unknown command '" + name + "'");
        std::cerr << usageText();
        return kUsage;
    }
    // Options come only after the command, so it is the first word.
    return command->run(Args(argv + 2, argv + argc));
}
