// The manual, help/help_eng.html, as F1 shows it: every link and picture in it
// resolves, within the help folder that is installed as a whole, and it
// describes every command that zelvik-cli --help lists and every target the
// export registry holds.

#include "export/ExportTarget.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Reference {
    QString element;
    QString target;
    QString width;
    QString height;
    qint64 line = 0;
};

struct Manual {
    QString error; // empty when the file parsed
    QSet<QString> ids;
    QStringList duplicateIds;
    std::vector<Reference> references;
    QString text; // the whole file
};

// Written as polyglot HTML, so an XML reader parses it exactly.
Manual readManual(const QString& path) {
    Manual manual;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        manual.error = "cannot open " + path;
        return manual;
    }
    const QByteArray bytes = file.readAll();
    manual.text = QString::fromUtf8(bytes);
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QString id = a.value("id").toString();
        if (!id.isEmpty()) {
            if (manual.ids.contains(id))
                manual.duplicateIds << id;
            manual.ids.insert(id);
        }
        for (const char* attribute : {"href", "src"}) {
            if (a.hasAttribute(attribute))
                manual.references.push_back({xml.name().toString(), a.value(attribute).toString(),
                                             a.value("width").toString(),
                                             a.value("height").toString(), xml.lineNumber()});
        }
    }
    if (xml.hasError())
        manual.error = QString("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return manual;
}

const QString kHelpDir = QStringLiteral(ZELVIK_HELP_DIR);

class HelpManual : public ::testing::Test {
protected:
    static void SetUpTestSuite() { manual_ = new Manual(readManual(kHelpDir + "/help_eng.html")); }
    static void TearDownTestSuite() {
        delete manual_;
        manual_ = nullptr;
    }
    static const Manual& manual() { return *manual_; }

private:
    static Manual* manual_;
};

Manual* HelpManual::manual_ = nullptr;

} // namespace

TEST_F(HelpManual, IsWellFormedWithUniqueIds) {
    ASSERT_EQ(manual().error, "");
    EXPECT_TRUE(manual().duplicateIds.isEmpty()) << manual().duplicateIds.join(' ').toStdString();
    EXPECT_GT(manual().references.size(), 20u);
}

TEST_F(HelpManual, EveryLinkAndPictureResolves) {
    ASSERT_EQ(manual().error, "");
    const QDir help(kHelpDir);
    for (const Reference& r : manual().references) {
        const std::string where = "line " + std::to_string(r.line) + ": " + r.target.toStdString();
        const QUrl url(r.target);
        ASSERT_TRUE(url.isValid()) << where;
        if (r.target.startsWith('#')) {
            EXPECT_TRUE(manual().ids.contains(r.target.mid(1))) << where << " names no id";
            continue;
        }
        if (!url.scheme().isEmpty()) {
            // No network is needed to read the manual; outside links are few.
            EXPECT_TRUE(url.scheme() == "https" || url.scheme() == "mailto") << where;
            EXPECT_NE(r.element, "img") << where << ": pictures must be in the help folder";
            continue;
        }
        // Relative, and inside the help folder: it is installed as a whole.
        const QString path = url.path();
        EXPECT_FALSE(QDir::isAbsolutePath(path)) << where;
        EXPECT_FALSE(QDir::cleanPath(path).startsWith("..")) << where;
        ASSERT_TRUE(QFileInfo(help.filePath(path)).isFile()) << where << " does not exist";
        if (!url.fragment().isEmpty()) {
            EXPECT_TRUE(path == "help_eng.html" && manual().ids.contains(url.fragment())) << where;
        }
    }
}

TEST_F(HelpManual, PicturesLoadAtTheSizeThePageGivesThem) {
    ASSERT_EQ(manual().error, "");
    const QDir help(kHelpDir);
    int pictures = 0;
    for (const Reference& r : manual().references) {
        if (r.element != "img")
            continue;
        ++pictures;
        const std::string where = r.target.toStdString();
        const QString file = help.filePath(r.target);
        QSize size;
        if (r.target.endsWith(".svg")) {
            QFile svg(file);
            ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << where;
            QXmlStreamReader xml(&svg);
            while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {
            }
            ASSERT_FALSE(xml.hasError()) << where << ": " << xml.errorString().toStdString();
            ASSERT_EQ(xml.name().toString(), "svg") << where;
            size = QSize(xml.attributes().value("width").toInt(),
                         xml.attributes().value("height").toInt());
        } else {
            const QImage image(file);
            ASSERT_FALSE(image.isNull()) << where << " is no picture";
            size = image.size();
        }
        // A screenshot taken anew at another size must not be squeezed.
        EXPECT_EQ(QSize(r.width.toInt(), r.height.toInt()), size) << where;
    }
    EXPECT_GE(pictures, 5);
}

TEST_F(HelpManual, EveryFileOfTheHelpFolderIsUsed) {
    ASSERT_EQ(manual().error, "");
    QSet<QString> used;
    for (const Reference& r : manual().references)
        used.insert(QDir::cleanPath(QUrl(r.target).path()));
    QDirIterator it(kHelpDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(kHelpDir).relativeFilePath(it.next());
        if (relative != "help_eng.html") {
            EXPECT_TRUE(used.contains(relative))
                << relative.toStdString() << " is installed but unused";
        }
    }
}

// The table of source types is written from the registry, between its two
// marks; ZELVIK_UPDATE_MANUAL=1 writes the registry's rows into the file.
TEST_F(HelpManual, TableOfSourceTypesIsTheExportRegistrys) {
    const QString& text = manual().text;
    const qsizetype mark = text.indexOf(QLatin1String("<!-- export-targets:"));
    ASSERT_GE(mark, 0) << "the table of source types has lost its opening mark";
    const qsizetype begin = text.indexOf(u'\n', mark) + 1;
    const qsizetype end = text.indexOf(QLatin1String("<!-- /export-targets -->"), begin);
    ASSERT_GT(end, 0) << "the table of source types has lost its closing mark";
    const QString rows = zelvik::ExportRegistry::builtIn().manualTableRows();
    if (qEnvironmentVariableIsSet("ZELVIK_UPDATE_MANUAL") && text.mid(begin, end - begin) != rows) {
        QFile file(kHelpDir + "/help_eng.html");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((text.left(begin) + rows + text.mid(end)).toUtf8());
        return;
    }
    EXPECT_EQ(text.mid(begin, end - begin).toStdString(), rows.toStdString())
        << "run the test with ZELVIK_UPDATE_MANUAL=1 to write the registry's rows";
}

TEST_F(HelpManual, DescribesEveryCommandOfTheCommandLineTool) {
    QProcess cli;
    cli.start(QStringLiteral(ZELVIK_CLI_PATH), {"--help"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QString help = QString::fromUtf8(cli.readAllStandardOutput());
    // Commands are listed as "  NAME ARGS" under "Commands:".
    const QRegularExpression command(QStringLiteral("^  ([a-z][a-z-]*) "),
                                     QRegularExpression::MultilineOption);
    int commands = 0;
    for (auto m = command.globalMatch(help.section("Commands:", 1)); m.hasNext();) {
        const QString name = m.next().captured(1);
        ++commands;
        EXPECT_TRUE(manual().text.contains("zelvik-cli " + name + " "))
            << "the manual shows no use of zelvik-cli " << name.toStdString();
    }
    EXPECT_GE(commands, 3);
    EXPECT_TRUE(manual().text.contains("--version"));
}

// The examples are for copying: each must be a command line zelvik-cli
// accepts (a missing input file is the reader's to supply, not a usage error).
TEST_F(HelpManual, EveryCommandLineExampleIsAccepted) {
    const QRegularExpression pre(QStringLiteral("<pre>(.*?)</pre>"),
                                 QRegularExpression::DotMatchesEverythingOption);
    QTemporaryDir dir;
    int examples = 0;
    for (auto m = pre.globalMatch(manual().text); m.hasNext();) {
        const QString block = m.next().captured(1);
        for (QString line : block.split(u'\n')) {
            line.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            if (line.startsWith(QLatin1String("$ ")))
                line.remove(0, 2);
            // Synopses show alternatives and optional parts; examples don't.
            if (!line.startsWith(QLatin1String("zelvik-cli ")) || line.contains(u'|') ||
                line.contains(u'[') || line.contains(u'(') || line.contains(QLatin1String("...")))
                continue;
            QStringList words = QProcess::splitCommand(line);
            words.removeFirst();
            QProcess cli;
            cli.setWorkingDirectory(dir.path());
            cli.start(QStringLiteral(ZELVIK_CLI_PATH), words);
            ASSERT_TRUE(cli.waitForFinished(30000)) << line.toStdString();
            // 0 or a refusal (1) of the example's files, never a usage error
            // (2), a crash or a sanitizer's report (86).
            EXPECT_TRUE(cli.exitStatus() == QProcess::NormalExit && cli.exitCode() <= 1)
                << line.toStdString() << "\n"
                << cli.exitCode() << ": " << cli.readAllStandardError().toStdString();
            ++examples;
        }
    }
    EXPECT_GE(examples, 8);
}
