#include "font/FontImport.h"

#include "font/AutoSymbolName.h"
#include "font/BdfFile.h"
#include "font/ReadAtMost.h"
#include "font/SystemPath.h"

#include <QFile>
#include <QStringList>

#include <array>

namespace zelvik {

namespace {

// So many names a refusal lists before "...".
constexpr std::size_t kNamesShown = 5;

bool looksLikeBdf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) // as the reader, a byte order mark is passed over
        bytes.remove_prefix(3);
    return bytes.starts_with("STARTFONT");
}

bool looksLikeGfx(std::string_view bytes) {
    return bytes.find("GFXfont") != std::string_view::npos;
}

bool looksLikeU8g2(std::string_view bytes) {
    return bytes.find("U8G2_FONT_SECTION") != std::string_view::npos;
}

constexpr std::array<FontKind, 3> kKinds = {{
    {"BDF", "BDF fonts", "*.bdf", looksLikeBdf, readBdfFont},
    {"Adafruit GFX", "Adafruit GFX fonts", "*.h", looksLikeGfx, readGfxFont},
    {"u8g2", "u8g2 fonts", "*.c *.h", looksLikeU8g2, readU8g2Font},
}};

QString text(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QString firstNames(std::span<const std::string> names) {
    QStringList shown;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        shown << QString::fromLatin1(names[i].data(), static_cast<qsizetype>(names[i].size()));
    QString list = shown.join(QStringLiteral(", "));
    if (names.size() > kNamesShown)
        list += QStringLiteral(", ...");
    return list;
}

} // namespace

std::span<const FontKind> fontKinds() {
    return kKinds;
}

const FontKind* recognizedKind(std::string_view bytes) {
    for (const FontKind& kind : kKinds)
        if (kind.recognizes(bytes))
            return &kind;
    return nullptr;
}

Result<FontImport> importFontBytes(std::string_view bytes, std::string_view fontName) {
    const FontKind* found = recognizedKind(bytes);
    if (!found)
        return Result<>::fail(Failure::InvalidFormat, kUnknownImportMessage);
    Result<FontImport> read = found->read(bytes, fontName);
    if (read)
        read->kind = found;
    return read;
}

Result<FontImport> importFontFile(const QString& path, std::string_view fontName) {
    QFile file;
    if (const QString why = openForReading(file, path); !why.isEmpty())
        return Result<>::fail(Failure::CannotOpen, kCantOpenImportMessage, why);
    if (file.size() > static_cast<qint64>(kLongestImportFile))
        return Result<>::fail(Failure::InvalidFormat, kImportTooLargeMessage);
    const QByteArray bytes = readAtMost(file, static_cast<qint64>(kLongestImportFile) + 1);
    if (file.error() != QFileDevice::NoError)
        return Result<>::fail(Failure::CannotOpen, kCantOpenImportMessage, file.errorString());
    if (static_cast<std::size_t>(bytes.size()) > kLongestImportFile)
        return Result<>::fail(Failure::InvalidFormat, kImportTooLargeMessage);
    return importFontBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), fontName);
}

QString importSummary(const FontKind& kind, const ImportCounts& counts) {
    return QStringLiteral("%1 import: %2 glyphs taken, %3 cut, %4 skipped")
        .arg(text(kind.name))
        .arg(counts.taken)
        .arg(counts.cut)
        .arg(counts.skipped);
}

Result<> severalFontsRefusal(std::string_view kindName, std::span<const std::string> names) {
    return Result<>::fail(Failure::Refused,
                          QStringLiteral("The %1 file holds %2 fonts!\nName the one to import: %3")
                              .arg(text(kindName))
                              .arg(names.size())
                              .arg(firstNames(names)));
}

Result<> noSuchFontRefusal(std::string_view kindName, std::string_view fontName,
                           std::span<const std::string> names) {
    return Result<>::fail(Failure::Refused,
                          QStringLiteral("The %1 file holds no font %2!\nIts fonts: %3")
                              .arg(text(kindName), text(fontName))
                              .arg(names.empty() ? QStringLiteral("none") : firstNames(names)));
}

Result<FontImport> readBdfFont(std::string_view bytes, std::string_view) {
    return parseBdf(bytes);
}

ImportedFontBuilder::ImportedFontBuilder(std::string_view arrayName, int ySize, int baseline)
    : font_(std::make_unique<FontModel>()) {
    font_->ySize = clampSize(ySize);
    setFontBaseline(*font_, baseline);
    font_->fontIdentifier = identifierFromFamilyName(arrayName);
}

bool ImportedFontBuilder::begin(long long code, int advance) {
    slot_ = nullptr;
    cut_ = false;
    if (code < 0 || code >= kCodeCount || font_->slots[static_cast<std::size_t>(code)].defined())
        return false;
    const int c = static_cast<int>(code);
    slot_ = &font_->slots[static_cast<std::size_t>(c)];
    slot_->name = autoSymbolName(c);
    slot_->xSize = clampSize(advance);
    return true;
}

void ImportedFontBuilder::ink(int x, int y) {
    if (!slot_)
        return;
    if (x < 0 || y < 0 || x >= slot_->xSize || y >= font_->ySize)
        cut_ = true;
    if (x >= 0 && y >= 0 && x < kMatrixEdge && y < kMatrixEdge)
        slot_->pixels[static_cast<std::size_t>(pixelIndex(x, y))] = 1;
}

void ImportedFontBuilder::end() {
    if (slot_) {
        ++counts_.taken;
        counts_.cut += cut_ ? 1 : 0;
    } else {
        ++counts_.skipped;
    }
    slot_ = nullptr;
    cut_ = false;
}

FontImport ImportedFontBuilder::finish() {
    font_->fontModified = true;
    font_->currentFileName.clear();
    FontImport imported;
    imported.font = std::move(font_);
    imported.counts = counts_;
    return imported;
}

} // namespace zelvik
