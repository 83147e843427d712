#include "cli/DrawingModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <vector>

namespace zelvik::cli {

namespace {

char* program = nullptr;

// The folder zelvik-cli runs from. A short-lived QCoreApplication answers it
// on every platform; it is gone before the module makes its QGuiApplication.
QString programFolder() {
    int argc = 1;
    char* argv[] = {program, nullptr};
    const QCoreApplication probe(argc, argv);
    return QCoreApplication::applicationDirPath();
}

} // namespace

void rememberProgram(char* argv0) {
    program = argv0;
}

int runInDrawingModule(const char* command, const Args& args) {
    const QString folder = programFolder();
    // Beside the program in a build folder (and on Windows), in the library
    // folder once installed.
    const QStringList candidates = {
        QDir(folder).filePath(QStringLiteral("zelvik-cli-draw")),
        QDir::cleanPath(
            QDir(folder).filePath(QStringLiteral(ZELVIK_CLI_MODULE_FROM_BIN "/zelvik-cli-draw"))),
    };
    QLibrary module;
    QString errors;
    for (const QString& candidate : candidates) {
        module.setFileName(candidate);
        if (module.load())
            break;
        errors += (errors.isEmpty() ? QString() : QStringLiteral("; ")) + module.errorString();
    }
    const auto entry = reinterpret_cast<DrawingEntry>(module.resolve(kDrawingEntryName));
    if (!entry) {
        printError("can't load the drawing module that '" + std::string(command) +
                   "' needs (reinstalling zelvik may help): " + errors.toStdString());
        return kRefused;
    }
    std::vector<const char*> argv;
    argv.reserve(args.size());
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return entry(program, command, static_cast<int>(argv.size()), argv.data());
}

} // namespace zelvik::cli
