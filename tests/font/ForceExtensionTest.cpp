#include "font/ForceExtension.h"

#include <gtest/gtest.h>

using namespace zelvik;

TEST(ForceExtension, ReplacesOrAppendsTheExtensionOfTheNamePartOnly) {
    EXPECT_EQ(forceExtension("/fonts/abc.txt", ".fnt"), "/fonts/abc.fnt");
    EXPECT_EQ(forceExtension("/fonts/abc", ".fnt"), "/fonts/abc.fnt");
    EXPECT_EQ(forceExtension("/my.fonts/abc", ".fnt"), "/my.fonts/abc.fnt");
    EXPECT_EQ(forceExtension("/old.fonts/data", ".asm"), "/old.fonts/data.asm");
    EXPECT_EQ(forceExtension("my.font.x", ".bmp"), "my.font.bmp");
    EXPECT_EQ(forceExtension("/f/abc.", ".c"), "/f/abc.c");
    EXPECT_EQ(forceExtension("fonts.asm", ".a51"), "fonts.a51");
}

TEST(ForceExtension, FolderAndNameParts) {
    EXPECT_EQ(folderOf("/home/u/abc.fnt"), "/home/u/");
    EXPECT_EQ(namePartOf("/home/u/abc.fnt"), "abc.fnt");
    EXPECT_EQ(folderOf("abc.fnt"), "");
    EXPECT_EQ(namePartOf("abc.fnt"), "abc.fnt");
}
