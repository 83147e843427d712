#include "font/FileReplacement.h"

#include <QFile>
#include <QSaveFile>

#include <memory>
#include <optional>
#include <vector>

namespace zelvik {

namespace {

// Opens `file` and writes `bytes`; nothing reaches the path before commit().
bool stage(QSaveFile& file, const QByteArray& bytes) {
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::optional<QByteArray> currentContents(const QString& path) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Puts a file back the way it was before a commit replaced it.
void restore(const QString& path, const std::optional<QByteArray>& previous) {
    if (!previous) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    if (stage(file, *previous))
        file.commit();
}

Result failed(const FileContents& file, const QSaveFile& saveFile) {
    return Result::fail(Failure::CannotCreate, file.failureMessage, saveFile.errorString());
}

} // namespace

Result replaceFiles(std::span<const FileContents> files) {
    std::vector<std::unique_ptr<QSaveFile>> staged;
    staged.reserve(files.size());
    for (const FileContents& file : files) {
        for (const auto& earlier : staged) {
            if (earlier->fileName() == file.path)
                return Result::fail(Failure::CannotCreate, file.failureMessage,
                                    QStringLiteral("Two output files have the same name."));
        }
        staged.push_back(std::make_unique<QSaveFile>(file.path));
        if (!stage(*staged.back(), file.bytes))
            return failed(file, *staged.back());
    }
    // All are complete on disk; replace the targets as a group.
    std::vector<std::optional<QByteArray>> previous;
    if (files.size() > 1) {
        for (const FileContents& file : files)
            previous.push_back(currentContents(file.path));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!staged[i]->commit()) {
            const Result result = failed(files[i], *staged[i]);
            for (std::size_t j = 0; j < i; ++j)
                restore(files[j].path, previous[j]);
            return result;
        }
    }
    return Result::success();
}

Result replaceFile(const QString& path, const QByteArray& bytes, const QString& failureMessage) {
    const FileContents file{path, bytes, failureMessage};
    return replaceFiles(std::span<const FileContents>(&file, 1));
}

} // namespace zelvik
