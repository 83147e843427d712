// "Generate font" without a window: the session's generator choices, the
// font dialog answered from a script and known shapes instead of glyphs; then
// the generated font exported through the session as "Generate source" does.

#include "export/ExportTestSupport.h"
#include "generator/FakeRasterizer.h"
#include "session/EditingSession.h"
#include "session/GenerateFontCommand.h"
#include "session/SourceExportCommand.h"
#include "support/ScriptedServices.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

// The test's raster lent to one run, which owns what it is given.
class BorrowedRasterizer final : public GlyphRasterizer {
public:
    explicit BorrowedRasterizer(GlyphRasterizer& lent) : lent_(lent) {}
    void drawCharacter(char16_t character, int yOffset) override {
        lent_.drawCharacter(character, yOffset);
    }
    std::uint32_t pixel(int x, int y) const override { return lent_.pixel(x, y); }
    int ascent() const override { return lent_.ascent(); }

private:
    GlyphRasterizer& lent_;
};

class GenerateFontSession : public ::testing::Test {
protected:
    GenerateFontSession() {
        glyphs.initialFont = QFont(QStringLiteral("Start"));
        glyphs.rasterizerFor = [this](const QFont& font) -> std::unique_ptr<GlyphRasterizer> {
            drawnWith.push_back(font.family());
            return std::make_unique<BorrowedRasterizer>(raster);
        };
        raster.shapes[u'0'] = {{3, 34, 4, 40}};
    }

    Scripted<PlatformServices> platform;
    EditingSession session{platform};
    FakeRasterizer raster;
    GlyphSource glyphs;
    std::vector<QString> drawnWith;
};

} // namespace

TEST_F(GenerateFontSession, RendersTheChosenCodesWithTheFieldsOffsetAndStartsFromTheLastFont) {
    FontGeneratorChoices& choices = session.fontGenerator();
    choices.codes = {.letters = false, .digits = true, .specials = false, .high = true};
    choices.codes.highCodes.reset();
    choices.codes.highCodes.set(0x8A - kFirstHighCode);
    choices.post.keepDigitBearing = false;
    choices.yOffsetText = QStringLiteral("-40");
    const QSignalSpy shown(&session, &EditingSession::fontGeneratorChanged);
    platform.fontAnswers.push_back(QFont(QStringLiteral("Chosen")));

    ASSERT_TRUE(generateFontCommand(session, glyphs));
    EXPECT_EQ(platform.fontDialogs.at(0).family(), "Start");
    EXPECT_EQ(drawnWith, std::vector<QString>{"Chosen"});
    EXPECT_EQ(choices.yOffsetText, "-32") << "the field shows the clamped offset";
    EXPECT_GE(shown.count(), 1);
    ASSERT_EQ(raster.drawn.size(), 11u);
    EXPECT_EQ(raster.drawn.front(), std::make_pair(u'0', -32));
    EXPECT_EQ(raster.drawn.back(), std::make_pair(u'\u0160', -32)) << "0x8A in Windows-1250";
    EXPECT_FALSE(session.font().slots['A'].defined());
    EXPECT_TRUE(pixelSet(session.font().slots['0'].pixels, 0, 2)) << "moved up, and left";
    EXPECT_EQ(session.font().slots['0'].xSize, 2);
    EXPECT_EQ(session.working().xSize, 32);
    EXPECT_EQ(session.history().count(), 1);

    // A second run asks about the unsaved font and starts from the font accepted last.
    choices.addYOffset = false;
    platform.answer(MessageAnswer::No);
    platform.fontAnswers.push_back(std::nullopt);
    EXPECT_FALSE(generateFontCommand(session, glyphs));
    EXPECT_EQ(platform.fontDialogs.at(1).family(), "Chosen");
    EXPECT_FALSE(session.font().slots['0'].defined()) << "a cancelled dialog leaves the font reset";
    EXPECT_EQ(session.working().xSize, kDefaultXSize);
    EXPECT_TRUE(platform.servicesUsedUp());
}

TEST_F(GenerateFontSession, TheGeneratedFontExportsThroughTheSessionsSourceChoices) {
    QTemporaryDir dir;
    platform.fontAnswers.push_back(QFont(QStringLiteral("Chosen")));
    ASSERT_TRUE(generateFontCommand(session, glyphs));
    session.setIdentifierField("gen");
    SourceExportChoices& source = session.sourceExport();
    ASSERT_TRUE(source.selectTarget(ExportTarget::C));
    source.packing(ExportTarget::C).verticalBoxes[3] = true; // invert colours
    session.folders.sourceFolder = dir.path() + "/";
    platform.chooseFile(QDir(dir.path()).filePath("gen"), 1);

    ASSERT_TRUE(exportSourceCommand(session));
    ExportOptions inverted;
    inverted.invertColors = true;
    EXPECT_EQ(readFileBytes(QDir(dir.path()).filePath("gen.c")),
              generateFor(ExportTarget::C, session.font(), inverted, "gen").source);
    EXPECT_EQ(session.font().fontIdentifier, "gen");
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace zelvik::test
