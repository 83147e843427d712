#include "font/Cp1250.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace zelvik;

TEST(Cp1250, TableAgreesWithQtsDecoder) {
    QStringDecoder decoder("windows-1250");
    ASSERT_TRUE(decoder.isValid());
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const QString qt = decoder.decode(QByteArrayView(&c, 1));
        ASSERT_EQ(qt.size(), 1) << byte;
        if (qt[0] == QChar::ReplacementCharacter)
            continue; // undefined in the code page: ours keeps the byte's own code point
        EXPECT_EQ(qt[0].unicode(), cp1250ToUnicode(static_cast<std::uint8_t>(byte))) << byte;
    }
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const auto back = toCp1250(fromCp1250(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1250, KnownLetters) {
    EXPECT_EQ(cp1250ToUnicode(0x8A), u'\u0160');          // S with caron
    EXPECT_EQ(cp1250ToUnicode(0xE9), u'\u00E9');          // e with acute
    EXPECT_EQ(unicodeToCp1250(u'\u0159'), 0xF8);          // r with caron
    EXPECT_FALSE(unicodeToCp1250(u'\u00E6').has_value()); // ae is not in the code page
    // Either side of the sorted reverse table.
    EXPECT_FALSE(unicodeToCp1250(u'\u0080').has_value());
    EXPECT_FALSE(unicodeToCp1250(u'\uFFFF').has_value());
    EXPECT_EQ(unicodeToCp1250(u'\u2122'), 0x99); // trade mark, the highest character in it
    EXPECT_EQ(toCp1250Lossy(QStringLiteral("a\u00E6")), "a?");
}
