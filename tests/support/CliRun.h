#pragma once

// Runs the real zelvik-cli (ZELVIK_CLI_PATH) as a user would, without a
// display whatever the test's own platform is, and keeps what it said.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>

namespace zelvik::test {

struct CliRun {
    int exitCode = -1; // -1 when it crashed or did not finish
    std::string out;
    std::string err;
};

inline CliRun runCli(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZELVIK_CLI_PATH), args);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

} // namespace zelvik::test
