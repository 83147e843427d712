#include "font/AutoSymbolName.h"
#include "font/FontModel.h"

#include <gtest/gtest.h>

#include <set>

using namespace zelvik;

TEST(AutoSymbolName, ListedExamples) {
    EXPECT_EQ(autoSymbolName(0x2D), "smin");
    EXPECT_EQ(autoSymbolName(0x2E), "sssp");
    EXPECT_EQ(autoSymbolName(0x7F), "c127");
    EXPECT_EQ(autoSymbolName(0x80), "c128");
    EXPECT_EQ(autoSymbolName(0xFF), "c255");
    EXPECT_EQ(autoSymbolName(256), "c256");
    EXPECT_EQ(autoSymbolName(0), "c0");
    EXPECT_EQ(autoSymbolName(0xA0), "sst");
    EXPECT_EQ(autoSymbolName(0x41), "UA");
    EXPECT_EQ(autoSymbolName(0x7A), "lz");
    EXPECT_EQ(autoSymbolName(0x35), "n5");
    EXPECT_EQ(autoSymbolName(0x20), "ssp");
    EXPECT_EQ(autoSymbolName(0x8A), "USh");
    EXPECT_EQ(autoSymbolName(0xF9), "luk");
}

TEST(AutoSymbolName, AllNamesAreDistinctValidIdentifiersEvenWithoutCase) {
    std::set<std::string> seen;
    for (int code = 0; code <= kBlankSlot; ++code) {
        const std::string name = autoSymbolName(code);
        ASSERT_GE(name.size(), 2u) << code;
        ASSERT_LE(name.size(), 4u) << code;
        ASSERT_TRUE(std::isalpha(static_cast<unsigned char>(name[0]))) << code;
        std::string folded;
        for (char c : name) {
            ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << code;
            folded.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
        EXPECT_TRUE(seen.insert(folded).second) << "duplicate name " << name << " at " << code;
    }
}
