#include <gtest/gtest.h>

#include <set>

#include "grid/shared/ColorNames.h"

using namespace tolvane;

TEST(ColorNames, TableShape) {
    ASSERT_EQ(ColorNameCount(), 141);
    EXPECT_EQ(ColorNameAt(0), "transparent");
    EXPECT_EQ(ColorNameAt(1), "aliceblue");
    EXPECT_EQ(ColorNameAt(140), "yellowgreen");
    EXPECT_EQ(ColorNameAt(141), "");
    std::set<std::string> names;
    for (int i = 1; i < ColorNameCount(); ++i) {
        if (i > 1) {
            EXPECT_LT(ColorNameAt(i - 1), ColorNameAt(i)) << i; // alphabetical after "transparent"
        }
        names.insert(ColorNameAt(i));
        const std::string hex = ColorNameToHex(ColorNameAt(i));
        ASSERT_EQ(hex.size(), 7u) << ColorNameAt(i);
        EXPECT_EQ(hex[0], '#');
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF", 1), std::string::npos) << hex;
    }
    EXPECT_EQ(names.size(), 140u);
}

TEST(ColorNames, NamesOutsideTheTable) {
    for (const char* name : {"darkgrey", "darkslategrey", "dimgrey", "grey", "lightslategrey", "slategrey",
                             "lightgray", "rebeccapurple"})
        EXPECT_EQ(ColorNameToHex(name), name);
    EXPECT_EQ(ColorNameToHex("NotAColour"), "NotAColour"); // letter case kept
}

TEST(ColorNames, Values) {
    struct {
        const char* Name;
        const char* Hex;
    } cases[] = {{"transparent", "#FFFFFF"}, {"aliceblue", "#F0F8FF"},   {"darkseagreen", "#8FBC8B"},
                 {"gray", "#808080"},        {"lightgrey", "#D3D3D3"},   {"cyan", "#00FFFF"},
                 {"fuchsia", "#FF00FF"},     {"yellowgreen", "#9ACD32"}, {"rebeccapurple", "rebeccapurple"},
                 {"RED", "#FF0000"},         {"DarkOrange", "#FF8C00"}};
    for (const auto& c : cases) EXPECT_EQ(ColorNameToHex(c.Name), c.Hex) << c.Name;
}

TEST(HtmlColorToColor, Conversions) {
    struct {
        const char* Text;
        TColor Expected;
    } cases[] = {
        {"red", 0x0000FF},
        {"Red", 0x0000FF},
        {"RED", 0x0000FF},
        {"#FF0000", 0x0000FF},
        {"#ff8000", 0x0080FF},
        {"transparent", 0xFFFFFF},
        {"navy", 0x800000},
        {"#F00", 0x000F00}, // short forms not expanded
        {"", 0x000000},
        {"#", 0x000000},
        {"x", 0x000000}, // nothing left to read
        {"lightgray", clNone},
        {"LightGray", clNone},
        {"#12345G", clNone},
        {"# 12345", clNone},
        {"#-1", clNone},
        {"#FFFFFFFF", 0xFFFFFF},
        {"#1FFFFFFFF", clNone},
        {"#00000000FF", 0xFF0000}, // leading zeros are fine
        {"0FF0000", 0x0000FF},     // the first character is dropped unread
    };
    for (const auto& c : cases) EXPECT_EQ(HtmlColorToColor(c.Text), c.Expected) << '"' << c.Text << '"';
}
