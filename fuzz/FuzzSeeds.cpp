// Writes the seed corpus of every fuzz target into <folder>/<target>: files
// our own writers produce and config.ini files as users leave them, so that
// each fuzzer starts from the real format and needs no other build.
#include "export/ExportTarget.h"
#include "font/BdfFile.h"
#include "font/FontFile.h"
#include "font/FontFileTestData.h"
#include "session/RecoveryCopy.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Seeds = std::vector<std::pair<const char*, std::string>>;

bool writeSeeds(const QString& folder, const char* target, const Seeds& seeds) {
    const QDir dir(QDir(folder).filePath(QString::fromLatin1(target)));
    if (!QDir().mkpath(dir.path()))
        return false;
    for (const auto& [name, bytes] : seeds) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace zelvik;
    using namespace zelvik::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]);
    const FontModel blank = newFont();
    const FontModel sample = sampleFont();

    RecoveryCopy blankCopy;
    blankCopy.font = blank;
    RecoveryCopy copy;
    copy.font = sample;
    copy.font.currentIndex = 0x8A;
    copy.working.xSize = 5;
    copy.working.pixels[pixelIndex(1, 2)] = 1;
    copy.nameField = "\x8A_caron";
    copy.identifierField = "fnt_test";
    copy.lastChanged = 1700000000000;

    const auto libraryExport = [&sample](ExportTarget target) {
        return exportTarget(target)
            .makeWriter()
            ->generate(ExportJob{sample, sample.fontIdentifier, {}, "fnt_test"})
            .source;
    };

    const bool ok =
        writeSeeds(
            folder, "font_file_fuzzer",
            {{"new-v1.fnt", serializeFontFile(FontFileVersion::V1, "abc", 16, blank)},
             {"new-v2.fnt", serializeFontFile(FontFileVersion::V2, "abc", 16, blank)},
             {"sample-v1.fnt", serializeFontFile(FontFileVersion::V1, "fnt_test", 12, sample)},
             {"sample-v2.fnt", serializeFontFile(FontFileVersion::V2, "fnt_test", 32, sample)}}) &&
        writeSeeds(folder, "bdf_fuzzer",
                   {{"new.bdf", serializeBdf(blank, "abc")},
                    {"sample.bdf", serializeBdf(sample, sample.fontIdentifier)}}) &&
        writeSeeds(folder, "library_font_fuzzer",
                   {{"sample-gfx.h", libraryExport(ExportTarget::Gfx)},
                    {"sample-u8g2.c", libraryExport(ExportTarget::U8g2)}}) &&
        writeSeeds(folder, "recovery_copy_fuzzer",
                   {{"new.zelvik-recovery", serializeRecoveryCopy(blankCopy)},
                    {"sample.zelvik-recovery", serializeRecoveryCopy(copy)}}) &&
        writeSeeds(folder, "settings_file_fuzzer",
                   {{"written.ini", "[PATH]\nexport_image_path=/p/\nsave_path=/s/\n"
                                    "export_path=/e/\nopen_path=/o/\nbdf_path=/b/\n"},
                    {"hand-edited.ini", "; P\xED\x9Ama\r\n[Other]\r\nkey = 'value'\r\n\r\n"
                                        "[path]\r\n  SAVE_PATH = \"C:\\fonts\\\"\r\n"
                                        "# comment=1\r\nhelp=help\\help_eng.html\r\n\r\n"
                                        "[Last]\r\nx=1\r\r"},
                    {"no-line-end.ini", "[Other]\nname=\xE9t\xE9\r\r"},
                    {"marked.ini", "\xEF\xBB\xBF[PATH]\r\nsave_path=/s/\r\n"}});
    if (!ok) {
        std::fprintf(stderr, "fuzz_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
