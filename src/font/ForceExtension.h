#pragma once

#include <QString>

namespace zelvik {

// The file name with the extension of its name part replaced by `extension`
// (".fnt"), or with `extension` appended when the name part has none. A dot in
// a folder name is no extension; a name part ending in "." has the extension ".".
QString forceExtension(const QString& fileName, const QString& extension);

// The folder part of a path, ending in the platform's separator ("" for a bare name).
QString folderOf(const QString& path);
// The name part of a path, without its folder.
QString namePartOf(const QString& path);

} // namespace zelvik
