#pragma once

// The real font the rendering tests draw with: DejaVu Sans from Debian's
// fonts-dejavu-core, loaded from its file so that every machine renders the
// same glyphs. Missing, it fails the test under CI and skips it elsewhere.

#include "support/MissingTool.h"

#include <QFontDatabase>
#include <QString>

#include <gtest/gtest.h>

namespace zelvik::test {

inline const QString kDejaVuSansPath =
    QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

// The family name of the loaded file, or empty when it cannot be loaded.
inline QString loadDejaVuSans() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(kDejaVuSansPath);
        const QStringList families =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

} // namespace zelvik::test

// Declares `family` as DejaVu Sans's family name, or ends the test.
#define ZELVIK_REQUIRE_DEJAVU_SANS(family)                                                         \
    const QString family = ::zelvik::test::loadDejaVuSans();                                       \
    if (family.isEmpty())                                                                          \
    ZELVIK_MISSING_TOOL("fonts-dejavu-core is missing (tools/install-deps.sh installs it)")
