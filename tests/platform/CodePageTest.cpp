// Code pages to UTF-8: the code pages real VBA projects use, bytes a code page leaves
// undefined, sequences cut short, and code pages this system does not know.
#include <gtest/gtest.h>

#include "CodePage.h"

namespace dualis {
namespace {

TEST(CodePage, TheCodePagesOfRealProjectsDecode) {
    // "新規" in Shift-JIS as Microsoft extends it, "Модуль" in Windows-1251, "中文" in GBK,
    // "中文" in Big5, "é" in Mac Roman.
    EXPECT_EQ(DecodeCodePage("\x90\x56\x8B\x4B", 932), "新規");
    EXPECT_EQ(DecodeCodePage("\xCC\xEE\xE4\xF3\xEB\xFC", 1251), "Модуль");
    EXPECT_EQ(DecodeCodePage("\xD6\xD0\xCE\xC4", 936), "中文");
    EXPECT_EQ(DecodeCodePage("\xA4\xA4\xA4\xE5", 950), "中文");
    EXPECT_EQ(DecodeCodePage("\x8E", 10000), "é");
    EXPECT_EQ(DecodeCodePage("plain ASCII\r\n", 932), "plain ASCII\r\n");
    for (const uint32_t known : {932u, 1251u, 936u, 950u, 1252u, 10000u, 65001u, 1200u}) {
        EXPECT_TRUE(CodePageKnown(known)) << known;
    }
}

TEST(CodePage, Windows1252IsReadAsInputFilesAre) {
    // The euro sign, and a byte 1252 leaves undefined, which keeps its own value.
    EXPECT_EQ(DecodeCodePage("\x80 \x81", 1252), "€ \xC2\x81");
}

TEST(CodePage, UndefinedAndCutShortSequencesBecomeReplacementCharacters) {
    // 0xA0 is no character in code page 932; a lead byte at the end has no trail byte.
    EXPECT_EQ(DecodeCodePage("a\xA0"
                             "b",
                             932),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(DecodeCodePage("ab\x90", 932), "ab\xEF\xBF\xBD");
    EXPECT_EQ(DecodeCodePage(std::string(100000, 'x') + "\x90\x56", 932),
              std::string(100000, 'x') + "新");
}

TEST(CodePage, UnicodeCodePagesAndUnknownOnes) {
    EXPECT_EQ(DecodeCodePage(std::string("A\0\x30\x04", 4), 1200), "Aа");
    EXPECT_EQ(DecodeCodePage("caf\xC3\xA9", 65001), "café");
    EXPECT_FALSE(CodePageKnown(12345));
    EXPECT_EQ(DecodeCodePage("caf\xE9", 12345), "café");  // read as Windows-1252
}

}  // namespace
}  // namespace dualis
