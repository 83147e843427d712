#include "export/PackCharacter.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zelvik;

namespace {

CharSlot slotWithInk(int xSize, std::initializer_list<std::pair<int, int>> ink) {
    CharSlot slot;
    slot.name = "c";
    slot.xSize = xSize;
    for (auto [x, y] : ink)
        slot.pixels[pixelIndex(x, y)] = 1;
    return slot;
}

std::string bitText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        for (int b = 7; b >= 0; --b)
            text += static_cast<char>('0' + ((byte >> b) & 1));
    }
    return text;
}

struct Example {
    const char* label;
    ExportOptions options;
    const char* bytes;
};

ExportOptions vertical() {
    return ExportOptions{};
}
ExportOptions horizontal() {
    ExportOptions o;
    o.vertical = false;
    return o;
}

} // namespace

TEST(PackCharacter, ThreeByTenVerticalExamples) {
    // x-size 3, y-size 10: two bytes per column, ink at (0,0), (0,9), (2,1).
    const CharSlot slot = slotWithInk(3, {{0, 0}, {0, 9}, {2, 1}});
    auto with = [](auto set) {
        ExportOptions o = vertical();
        set(o);
        return o;
    };
    const Example examples[] = {
        {"all clear", vertical(), "00000001 00000010 00000000 00000000 00000010 00000000"},
        {"top side to MSB", with([](auto& o) { o.topSideToMSB = true; }),
         "00000001 00000010 00000000 00000000 00000000 00000001"},
        {"align to MSB", with([](auto& o) { o.alignToMSB = true; }),
         "01000000 10000000 00000000 00000000 10000000 00000000"},
        {"big endian", with([](auto& o) { o.bigEndian = true; }),
         "00000010 00000001 00000000 00000000 00000000 00000010"},
        {"top, align, big endian",
         with([](auto& o) { o.topSideToMSB = o.alignToMSB = o.bigEndian = true; }),
         "10000000 01000000 00000000 00000000 01000000 00000000"},
        {"top, align, big endian, right first", with([](auto& o) {
             o.topSideToMSB = o.alignToMSB = o.bigEndian = o.rightSideFirst = true;
         }),
         "01000000 00000000 00000000 00000000 10000000 01000000"},
        {"invert", with([](auto& o) { o.invertColors = true; }),
         "11111110 11111101 11111111 11111111 11111101 11111111"},
    };
    for (const Example& e : examples)
        EXPECT_EQ(bitText(packCharacter(slot, 10, e.options)), e.bytes) << e.label;
}

TEST(PackCharacter, TenByTwoHorizontalExamples) {
    // x-size 10, y-size 2: two bytes per row, ink at (0,0), (9,0), (1,1).
    const CharSlot slot = slotWithInk(10, {{0, 0}, {9, 0}, {1, 1}});
    auto with = [](auto set) {
        ExportOptions o = horizontal();
        set(o);
        return o;
    };
    const Example examples[] = {
        {"all clear", horizontal(), "00000001 00000010 00000010 00000000"},
        {"right side to LSB", with([](auto& o) { o.rightSideToLSB = true; }),
         "00000001 00000010 00000000 00000001"},
        {"align to MSB", with([](auto& o) { o.alignToMSB = true; }),
         "01000000 10000000 10000000 00000000"},
        {"big endian", with([](auto& o) { o.bigEndian = true; }),
         "00000010 00000001 00000000 00000010"},
        {"right to LSB, align, big endian",
         with([](auto& o) { o.rightSideToLSB = o.alignToMSB = o.bigEndian = true; }),
         "10000000 01000000 01000000 00000000"},
        {"right to LSB, align, big endian, bottom first", with([](auto& o) {
             o.rightSideToLSB = o.alignToMSB = o.bigEndian = o.bottomSideFirst = true;
         }),
         "01000000 00000000 10000000 01000000"},
        {"invert", with([](auto& o) { o.invertColors = true; }),
         "11111110 11111101 11111101 11111111"},
    };
    for (const Example& e : examples)
        EXPECT_EQ(bitText(packCharacter(slot, 2, e.options)), e.bytes) << e.label;
}

TEST(PackCharacter, OptionsOfTheOtherOrientationChangeNothing) {
    const CharSlot slot = slotWithInk(10, {{0, 0}, {9, 0}, {1, 1}});
    ExportOptions v = vertical();
    ExportOptions vNoise = v;
    vNoise.rightSideToLSB = vNoise.bottomSideFirst = true;
    EXPECT_EQ(packCharacter(slot, 2, v), packCharacter(slot, 2, vNoise));
    ExportOptions h = horizontal();
    ExportOptions hNoise = h;
    hNoise.topSideToMSB = hNoise.rightSideFirst = true;
    EXPECT_EQ(packCharacter(slot, 2, h), packCharacter(slot, 2, hNoise));
}

TEST(PackCharacter, InkOutsideTheCharacterRectangleNeverReachesTheOutput) {
    // Every pixel outside 5 x 7 is ink; inside there is none.
    CharSlot slot;
    slot.xSize = 5;
    for (int x = 0; x < kMatrixEdge; ++x)
        for (int y = 0; y < kMatrixEdge; ++y)
            slot.pixels[pixelIndex(x, y)] = (x >= 5 || y >= 7) ? 1 : 0;
    for (int mask = 0; mask < 64; ++mask) {
        ExportOptions o;
        o.vertical = mask & 1;
        o.topSideToMSB = o.rightSideToLSB = mask & 2;
        o.rightSideFirst = o.bottomSideFirst = mask & 4;
        o.alignToMSB = mask & 8;
        o.bigEndian = mask & 16;
        o.invertColors = mask & 32;
        const auto bytes = packCharacter(slot, 7, o);
        const std::uint8_t background = o.invertColors ? 0xFF : 0x00;
        ASSERT_EQ(bytes.size(), static_cast<std::size_t>(dataByteCount(5, 7, o.vertical)));
        for (std::uint8_t byte : bytes)
            EXPECT_EQ(byte, background) << "options mask " << mask;
    }
}

TEST(PackCharacter, PixelBytesOtherThanOneAreBackground) {
    CharSlot slot = slotWithInk(1, {});
    slot.pixels[pixelIndex(0, 0)] = 2;
    slot.pixels[pixelIndex(0, 1)] = 0xFF;
    slot.pixels[pixelIndex(0, 2)] = 1;
    EXPECT_EQ(bitText(packCharacter(slot, 8, vertical())), "00000100");
}

TEST(PackCharacter, ByteCountsFollowTheUnitSize) {
    EXPECT_EQ(dataByteCount(3, 10, true), 6);
    EXPECT_EQ(dataByteCount(10, 2, false), 4);
    EXPECT_EQ(dataByteCount(5, 8, false), 8);
    EXPECT_EQ(dataByteCount(32, 32, true), 128);
    EXPECT_EQ(dataByteCount(20, 3, false), 9); // three bytes per row
    EXPECT_EQ(dataByteCount(1, 1, true), 1);
}

TEST(PackCharacter, SizesOutsideTheModelRangeAreClampedNotTrusted) {
    CharSlot slot = slotWithInk(1, {{31, 31}});
    slot.xSize = 200; // a damaged slot must not make packing read past the matrix
    const auto wide = packCharacter(slot, 99, vertical());
    EXPECT_EQ(wide.size(), static_cast<std::size_t>(32 * 4));
    EXPECT_EQ(wide.back(), 0x80); // (31,31): last column, row 31 = bit 7 of its last byte
    slot.xSize = -4;
    EXPECT_EQ(packCharacter(slot, 0, vertical()).size(), 1u);
}

TEST(PackCharacter, SixteenRowsAllClearSplitIntoTwoLittleEndianBytes) {
    const CharSlot slot = slotWithInk(1, {{0, 0}, {0, 8}, {0, 15}});
    EXPECT_EQ(bitText(packCharacter(slot, 16, vertical())), "00000001 10000001");
    // Y-size 8: one byte per column, so alignment and byte order change nothing.
    const CharSlot eight = slotWithInk(2, {{0, 0}, {1, 7}});
    ExportOptions o = vertical();
    const auto plain = packCharacter(eight, 8, o);
    o.alignToMSB = o.bigEndian = true;
    EXPECT_EQ(packCharacter(eight, 8, o), plain);
}
