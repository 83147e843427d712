#include "export/ExportFiles.h"

#include "export/ExportChecks.h"
#include "font/Cp1250.h"
#include "font/FileReplacement.h"
#include "font/ForceExtension.h"

#include <vector>

namespace zelvik {

namespace {

// The generated text without a copy; it outlives the write.
QByteArray bytesOf(const std::string& text) {
    return QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::string includeGuardBase(const QString& headerPath) {
    const QString name = namePartOf(headerPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    return toCp1250Lossy(dot >= 0 ? name.left(dot) : name);
}

Result<> writeGeneratedFiles(const ExportTargetInfo& info, const ExportPaths& paths,
                             const GeneratedFiles& files) {
    std::vector<FileContents> contents{
        {paths.source, bytesOf(files.source), info.sourceFailureMessage}};
    if (info.hasHeader()) {
        if (paths.header.isEmpty())
            return Result<>::fail(Failure::CannotCreate, info.headerFailureMessage,
                                  QStringLiteral("The header has no name."));
        contents.push_back({paths.header, bytesOf(files.header), info.headerFailureMessage});
    }
    return replaceFiles(contents);
}

Result<> generateExport(const FontModel& font, std::string_view identifierField,
                        const ExportTargetInfo& info, const ExportOptions& options,
                        const ExportPaths& paths, GeneratedFiles& files) {
    if (Result<> refusal = checkExportable(font, identifierField, info); !refusal)
        return refusal;
    const ExportJob job{font, exportIdentifier(font, identifierField), options,
                        info.hasHeader() ? includeGuardBase(paths.header) : std::string()};
    files = info.makeWriter()->generate(job);
    return Result<>::success();
}

Result<> generateExport(const FontModel& font, std::string_view identifierField,
                        ExportTarget target, const ExportOptions& options, const ExportPaths& paths,
                        GeneratedFiles& files) {
    return generateExport(font, identifierField, exportTarget(target), options, paths, files);
}

Result<> exportFont(FontModel& font, std::string_view identifierField,
                    const ExportTargetInfo& target, const ExportOptions& options,
                    const ExportPaths& paths, int* flashBytes) {
    GeneratedFiles files;
    if (Result<> generated = generateExport(font, identifierField, target, options, paths, files);
        !generated)
        return generated;
    if (Result<> written = writeGeneratedFiles(target, paths, files); !written)
        return written;
    font.fontIdentifier = exportIdentifier(font, identifierField);
    if (flashBytes)
        *flashBytes = files.flashBytes;
    return Result<>::success();
}

Result<> exportFont(FontModel& font, std::string_view identifierField, ExportTarget target,
                    const ExportOptions& options, const ExportPaths& paths, int* flashBytes) {
    return exportFont(font, identifierField, exportTarget(target), options, paths, flashBytes);
}

} // namespace zelvik
