#include "font/SettingsFile.h"

#include "font/FileReplacement.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <optional>

namespace zelvik {

namespace {

// The file's lines without their line ends, and the line end it uses. The
// lines stay bytes: a line we do not own (a comment in another code page,
// another program's section) is written back exactly as it was read, even
// where it is not UTF-8. Only its text is compared, decoded line by line.
struct IniText {
    QByteArrayList lines;
    QByteArray lineEnd;
};

QByteArray defaultLineEnd() {
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

// A missing or unreadable file reads as an empty one.
IniText readIni(const QString& path) {
    IniText ini{{}, defaultLineEnd()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    QByteArray bytes = file.readAll();
    // A byte order mark is not kept: the file is written without one. All of
    // them go, or a second one would be taken for the mark at the next read
    // and the file would lose three bytes at every save.
    while (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (bytes.contains("\r\n"))
        ini.lineEnd = QByteArrayLiteral("\r\n");
    else if (bytes.contains('\n'))
        ini.lineEnd = QByteArrayLiteral("\n");
    ini.lines = bytes.split('\n');
    if (!ini.lines.isEmpty() && ini.lines.back().isEmpty())
        ini.lines.removeLast(); // the end of the last line, not an empty line
    // In a file of LF line ends only the last line, which has none, can end
    // in CRs. Kept, they would meet the LF we give that line and make a CRLF,
    // and the next read would take the whole file for a CRLF one.
    const bool lf = ini.lineEnd == "\n";
    for (QByteArray& line : ini.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        while (lf && line.endsWith('\r'))
            line.chop(1);
    }
    return ini;
}

// The text of one line. A byte order mark at its start is part of it, as it
// is anywhere but at the start of the file.
QString textOf(const QByteArray& line) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    return decoder(line);
}

bool isComment(const QString& trimmed) {
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// The name of a "[name]" line.
std::optional<QString> sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line.
std::optional<QString> keyName(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq <= 0 || isComment(trimmed))
        return std::nullopt;
    return trimmed.left(eq).trimmed();
}

QString valueOf(const QString& line) {
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Lines [begin, end) of the first section called `section`, or nothing.
std::optional<std::pair<qsizetype, qsizetype>> findSection(const QByteArrayList& lines,
                                                           const QString& section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(textOf(lines[i]));
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !sectionName(textOf(lines[end])))
            ++end;
        return std::make_pair(i + 1, end);
    }
    return std::nullopt;
}

// A value on one line: a line break in it would end the entry and start
// another one, breaking the file for every later key.
QString oneLineValue(QString value) {
    value.remove(u'\r');
    value.remove(u'\n');
    return value;
}

} // namespace

QString SettingsFile::readString(const QString& section, const QString& key,
                                 const QString& defaultValue) const {
    const IniText ini = readIni(path_);
    const auto range = findSection(ini.lines, section);
    if (!range)
        return defaultValue;
    for (qsizetype i = range->first; i < range->second; ++i) {
        const QString line = textOf(ini.lines[i]);
        const auto name = keyName(line);
        if (name && sameName(*name, key))
            return valueOf(line);
    }
    return defaultValue;
}

Result SettingsFile::writeStrings(const QString& section,
                                  const std::vector<std::pair<QString, QString>>& values) {
    IniText ini = readIni(path_);
    auto range = findSection(ini.lines, section);
    if (!range) {
        if (!ini.lines.isEmpty() && !textOf(ini.lines.back()).trimmed().isEmpty())
            ini.lines.append(QByteArray());
        ini.lines.append((QLatin1Char('[') + section + QLatin1Char(']')).toUtf8());
        range = std::make_pair(ini.lines.size(), ini.lines.size());
    }
    for (const auto& [key, rawValue] : values) {
        const QByteArray line = (key + QLatin1Char('=') + oneLineValue(rawValue)).toUtf8();
        qsizetype found = -1;
        qsizetype lastEntry = range->first - 1; // the header when the section is empty
        for (qsizetype i = range->first; i < range->second; ++i) {
            const QString text = textOf(ini.lines[i]);
            const auto name = keyName(text);
            if (name && sameName(*name, key)) {
                found = i;
                break;
            }
            if (!text.trimmed().isEmpty())
                lastEntry = i;
        }
        if (found >= 0) {
            ini.lines[found] = line;
        } else {
            ini.lines.insert(lastEntry + 1, line);
            ++range->second;
        }
    }

    const QByteArray bytes = ini.lines.join(ini.lineEnd) + ini.lineEnd;
    return replaceFile(path_, bytes, settingsWriteMessage(path_));
}

Result SettingsFile::writeString(const QString& section, const QString& key, const QString& value) {
    return writeStrings(section, {{key, value}});
}

QString settingsWriteMessage(const QString& path) {
    return QStringLiteral("Can't write settings file!\n") + QDir::toNativeSeparators(path);
}

QString settingsFilePath(const QString& startupFolder) {
    return QDir::toNativeSeparators(QDir(startupFolder).filePath(kSettingsFileName));
}

QString homeFolder() {
    QString home = QDir::toNativeSeparators(QDir::homePath());
    if (!home.endsWith(QDir::separator()))
        home += QDir::separator();
    return home;
}

RememberedFolders readRememberedFolders(const SettingsFile& settings) {
    const QString section = kPathSection;
    const QString home = homeFolder();
    return {settings.readString(section, kSavePathKey, home),
            settings.readString(section, kOpenPathKey, home),
            settings.readString(section, kExportPathKey, home),
            settings.readString(section, kExportImagePathKey, home),
            settings.readString(section, kBdfPathKey, home)};
}

QString readHelpPath(const SettingsFile& settings, const QString& startupFolder) {
    QString relative = settings.readString(kPathSection, kHelpKey, kDefaultHelpPath);
    relative.replace(u'\\', u'/');
    return QDir::toNativeSeparators(QDir(startupFolder).filePath(relative));
}

QString readRememberedDisplay(const SettingsFile& settings) {
    return settings.readString(kPathSection, kExportDisplayKey, {});
}

Result writeRememberedFolders(SettingsFile& settings, const RememberedFolders& folders,
                              const QString& display) {
    std::vector<std::pair<QString, QString>> values = {
        {kExportImagePathKey, folders.exportImagePath},
        {kSavePathKey, folders.savePath},
        {kExportPathKey, folders.exportPath},
        {kOpenPathKey, folders.openPath},
        {kBdfPathKey, folders.bdfPath}};
    if (!display.isEmpty())
        values.emplace_back(kExportDisplayKey, display);
    return settings.writeStrings(kPathSection, values);
}

} // namespace zelvik
