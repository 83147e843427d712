#include "font/CIdentifier.h"

#include <gtest/gtest.h>

using namespace zelvik;

TEST(CIdentifier, LettersDigitsAndUnderscoreNoLeadingDigitNoKeyword) {
    for (const char* good : {"fnt", "_x", "Font_8x16", "a1", "Int", "xor_eq2", "char8"})
        EXPECT_TRUE(isCIdentifier(good)) << good;
    for (const char* bad : {"", "1abc", "a b", "a-b", "a.b", "fnt_\xE8", "int", "_Bool",
                            "typeof_unqual", "class", "char8_t", "xor_eq", "_Pragma"})
        EXPECT_FALSE(isCIdentifier(bad)) << bad;
}
