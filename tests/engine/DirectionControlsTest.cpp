// Which characters change the text direction, and how they are named to a person.
#include <gtest/gtest.h>

#include "DirectionControls.h"

namespace dualis {
namespace {

// The UTF-8 form of a code point below U+10000.
std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (c >> 6)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xE0 | (c >> 12)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    return s;
}

TEST(DirectionControls, EveryControlIsFoundAndItsNeighboursAreNot) {
    const char32_t controls[] = {0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C,
                                 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069};
    for (const char32_t c : controls) {
        const std::string text = Utf8(c) + "x";
        EXPECT_EQ(uint32_t{DirectionControlAt(text)}, uint32_t{c}) << std::hex << uint32_t{c};
        EXPECT_EQ(DirectionControlLength(c), Utf8(c).size());
        EXPECT_TRUE(HoldsDirectionControl("a = 1 ' " + text));
    }
    // Joiners, the narrow no-break space, the Arabic semicolon and letters that share first bytes.
    const char32_t others[] = {0x061B, 0x061D, 0x0600, 0x200D, 0x2010, 0x2029,
                               0x202F, 0x2065, 0x206A, 0x2194, 0x20AC, 0x0627};
    for (const char32_t c : others) {
        EXPECT_EQ(uint32_t{DirectionControlAt(Utf8(c))}, 0u) << std::hex << uint32_t{c};
        const std::string text = std::string("a").append(Utf8(c)).append("b");
        EXPECT_FALSE(HoldsDirectionControl(text)) << std::hex << uint32_t{c};
    }
    // Cut short, at the end of a text.
    EXPECT_EQ(uint32_t{DirectionControlAt("\xE2\x80")}, 0u);
    EXPECT_EQ(uint32_t{DirectionControlAt("\xD8")}, 0u);
    EXPECT_FALSE(HoldsDirectionControl("x\xE2\x80"));
    EXPECT_FALSE(HoldsDirectionControl(""));
}

TEST(DirectionControls, NamesReplaceTheControlsAndLeaveTheRestAsItIs) {
    EXPECT_EQ(DirectionControlName(0x202E), "<U+202E>");
    EXPECT_EQ(DirectionControlName(0x061C), "<U+061C>");
    // A name that would read "exe.doc" once turned round, and an isolate left open.
    EXPECT_EQ(NameDirectionControls("report\xE2\x80\xAE"
                                    "cod.exe"),
              "report<U+202E>cod.exe");
    EXPECT_EQ(NameDirectionControls("\xE2\x81\xA7\xD8\xA7\xD8\x9C\xE2\x80\x8F\t\x1B"),
              "<U+2067>\xD8\xA7<U+061C><U+200F>\t\x1B");
    const std::string plain = "Sub Caf\xC3\xA9() ' \xE2\x86\x94";
    EXPECT_EQ(NameDirectionControls(plain), plain);
}

}  // namespace
}  // namespace dualis
