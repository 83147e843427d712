#include "export/ExportFiles.h"

#include "export/ExportChecks.h"
#include "font/Cp1250.h"
#include "font/ForceExtension.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace zelvik {

namespace {

bool writeAll(QSaveFile& file, const std::string& bytes) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

// Opens `file` and writes `bytes`; nothing reaches the path before commit().
bool stage(QSaveFile& file, const std::string& bytes) {
    return file.open(QIODevice::WriteOnly) && writeAll(file, bytes);
}

// Puts a file back the way it was before a commit replaced it.
void restore(const QString& path, const std::optional<QByteArray>& previous) {
    if (!previous) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(*previous) == previous->size())
        file.commit();
}

std::optional<QByteArray> currentContents(const QString& path) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

std::vector<SaveFilter> saveFilters(ExportTarget target) {
    switch (target) {
    case ExportTarget::C51:
        return {{"C51 assembler file (*.a51)", "*.a51", ".a51"},
                {"C51 assembler file (*.asm)", "*.asm", ".asm"},
                {"All files (*.*)", "*.*", ""}};
    case ExportTarget::Avr:
        return {{"AVR assembler file (*.asm)", "*.asm", ".asm"}, {"All files (*.*)", "*.*", ""}};
    case ExportTarget::C:
        return {{"C source file (*.c)", "*.c", ".c"}, {"C++ source file (*.cpp)", "*.cpp", ".cpp"}};
    }
    return {};
}

QString saveFilterText(ExportTarget target) {
    QStringList parts;
    for (const SaveFilter& f : saveFilters(target))
        parts << f.description << f.pattern;
    return parts.join(u'|');
}

ExportPaths exportPathsForChosenName(ExportTarget target, const QString& chosenName,
                                     int filterIndex) {
    const auto filters = saveFilters(target);
    ExportPaths paths;
    paths.source = chosenName;
    if (filterIndex >= 1 && filterIndex <= static_cast<int>(filters.size())) {
        const QString& extension = filters[filterIndex - 1].extension;
        if (!extension.isEmpty())
            paths.source = forceExtension(chosenName, extension);
    }
    if (target == ExportTarget::C)
        paths.header = forceExtension(chosenName, QStringLiteral(".h"));
    return paths;
}

ExportPaths exportPathsForOutput(ExportTarget target, const QString& output) {
    ExportPaths paths{output, {}};
    if (target == ExportTarget::C)
        paths.header = forceExtension(output, QStringLiteral(".h"));
    return paths;
}

std::string includeGuardBase(const QString& headerPath) {
    const QString name = namePartOf(headerPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    return toCp1250Lossy(dot >= 0 ? name.left(dot) : name);
}

std::optional<std::string> writeGeneratedFiles(ExportTarget target, const ExportPaths& paths,
                                               const GeneratedFiles& files) {
    const std::string sourceFailure = createFailureMessage(target);
    QSaveFile source(paths.source);
    if (target != ExportTarget::C) {
        if (!stage(source, files.source) || !source.commit())
            return sourceFailure;
        return std::nullopt;
    }

    const std::string headerFailure(kHeaderCreateFailureMessage);
    if (paths.header.isEmpty() || paths.header == paths.source)
        return headerFailure;
    QSaveFile header(paths.header);
    if (!stage(source, files.source))
        return sourceFailure;
    if (!stage(header, files.header))
        return headerFailure;
    // Both are staged; commit them as a pair. Should the header fail after the
    // source went in, the source is put back as it was.
    const std::optional<QByteArray> previousSource = currentContents(paths.source);
    if (!source.commit())
        return sourceFailure;
    if (!header.commit()) {
        restore(paths.source, previousSource);
        return headerFailure;
    }
    return std::nullopt;
}

std::optional<std::string> exportFont(FontModel& font, std::string_view identifierField,
                                      ExportTarget target, const ExportOptions& options,
                                      const ExportPaths& paths) {
    if (auto refusal = checkExportable(font, identifierField))
        return refusal;
    const auto writer = makeSourceWriter(target);
    ExportJob job{font, exportIdentifier(font, identifierField), options,
                  target == ExportTarget::C ? includeGuardBase(paths.header) : std::string()};
    const GeneratedFiles files = writer->generate(job);
    if (auto failure = writeGeneratedFiles(target, paths, files))
        return failure;
    font.fontIdentifier = job.identifier;
    return std::nullopt;
}

} // namespace zelvik
