#include "session/ImportCommand.h"

#include "font/FontImport.h"
#include "font/ForceExtension.h"
#include "session/EditingSession.h"

#include <QStringList>

namespace zelvik {

namespace {

const QString kImportCaption = QStringLiteral("Importing font ...");

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString importFilter() {
    QStringList all;
    QString kinds;
    for (const FontKind& kind : fontKinds()) {
        const QStringList patterns = latin1(kind.patterns).split(QLatin1Char(' '));
        for (const QString& pattern : patterns)
            if (!all.contains(pattern))
                all << pattern;
        kinds += QStringLiteral("|%1 (%2)|%3")
                     .arg(latin1(kind.filterName), latin1(kind.patterns), patterns.join(u';'));
    }
    return QStringLiteral("Fonts (%1)|%2").arg(all.join(u' '), all.join(u';')) + kinds +
           QStringLiteral("|All files (*.*)|*.*");
}

QString importFontCommand(EditingSession& session) {
    if (!session.confirmUnsavedChanges(kOpenFontPrompt))
        return {};
    PlatformServices& platform = session.platform();
    const FileDialogAnswer chosen =
        platform.openFileDialog({importFilter(), 1, session.folders.bdfFolder, QString()});
    if (!chosen.accepted) {
        session.keepUnsavedMark();
        return {};
    }
    session.folders.bdfFolder = folderOf(chosen.fileName);
    Result<FontImport> read = importFontFile(chosen.fileName, {});
    // A refused file leaves the font as it was.
    if (!read) {
        QString text = read.describe();
        if (read.failure == Failure::Refused) // several fonts, and none named
            text += QStringLiteral("\nzelvik-cli import --font NAME reads one of them.");
        platform.messageBox(text, kImportCaption,
                            read.failure == Failure::CannotOpen ? MessageIcon::Error
                                                                : MessageIcon::Warning,
                            MessageButtons::Ok);
        session.keepUnsavedMark();
        return {};
    }
    const FontImport& imported = *read;
    session.replaceFontAsOneStep(QStringLiteral("Import font"), [&] {
        FontModel& font = session.font();
        font = *imported.font;
        font.currentFileName.clear();
        font.currentIndex = 0;
        font.characterModified = false;
        font.fontModified = true;
        session.refreshFontView();
    });
    return importSummary(*imported.kind, imported.counts);
}

} // namespace zelvik
