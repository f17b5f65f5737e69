// The file dialogs' rules without a window, and the twips conversion of the window methods.
#include "CommonDialogRules.h"

#include <gtest/gtest.h>

#include "Window.h"

namespace dualis {
namespace {

TEST(ParseFilter, PairsWithOrWithoutTheLastBar) {
    const auto filters = ParseFilter("LOG Files|*.LOG|All Files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].Description, "LOG Files");
    EXPECT_EQ(filters[0].Patterns, (std::vector<std::string>{"*.LOG"}));
    // The Windows "*.*" also matches names without a dot.
    EXPECT_EQ(filters[1].Patterns, (std::vector<std::string>{"*"}));
    const auto ended = ParseFilter("LOG Files|*.LOG|All Files (*.*)|*.*|");
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].Description, "All Files (*.*)");
}

TEST(ParseFilter, SeveralPatternsAndBrokenLists) {
    const auto vb = ParseFilter("VB files(*.bas;*.frm)|*.bas; *.frm|All(*.*)|*.*");
    ASSERT_EQ(vb.size(), 2u);
    EXPECT_EQ(vb[0].Patterns, (std::vector<std::string>{"*.bas", "*.frm"}));
    EXPECT_EQ(NameFilterText(vb[0]), "VB files (*.bas *.frm)");
    EXPECT_EQ(NameFilterText({"LOG Files", {"*.LOG"}}), "LOG Files (*.LOG)");
    EXPECT_EQ(NameFilterText({"(all)", {"*"}}), "(all) (*)");
    EXPECT_TRUE(ParseFilter("").empty());
    EXPECT_TRUE(ParseFilter("||").empty());
    // A description whose pattern is missing matches every name.
    const auto lone = ParseFilter("Text|*.txt|Other");
    ASSERT_EQ(lone.size(), 2u);
    EXPECT_EQ(lone[1].Patterns, (std::vector<std::string>{"*"}));
}

TEST(ClampFilterIndex, OneBasedWithinTheList) {
    EXPECT_EQ(ClampFilterIndex(0, 2), 1);
    EXPECT_EQ(ClampFilterIndex(2, 2), 2);
    EXPECT_EQ(ClampFilterIndex(5, 2), 2);
    EXPECT_EQ(ClampFilterIndex(-3, 2), 1);
    EXPECT_EQ(ClampFilterIndex(3, 0), 1);
}

TEST(NameBuffer, ZeroSizeMeans255) {
    EXPECT_EQ(EffectiveMaxFileSize(0), 255);
    EXPECT_EQ(EffectiveMaxFileSize(-1), 255);
    EXPECT_EQ(EffectiveMaxFileSize(20), 20);
    EXPECT_EQ(ProposedFileName("ten chars!", 0), "ten chars!");
    EXPECT_TRUE(FitsNameBuffer(std::string(254, 'a'), 0));
    EXPECT_FALSE(FitsNameBuffer(std::string(255, 'a'), 0));
    EXPECT_EQ(ProposedFileName("abcdefgh", 5), "abcd");
}

TEST(NameBuffer, CountsCharactersNotBytes) {
    const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC";  // three characters, six bytes
    EXPECT_TRUE(FitsNameBuffer(umlauts, 4));
    EXPECT_FALSE(FitsNameBuffer(umlauts, 3));
    EXPECT_EQ(ProposedFileName(umlauts, 3), "\xC3\xA4\xC3\xB6");
}

TEST(SplitChosenFile, FolderAndTitle) {
    const ChosenFileParts parts = SplitChosenFile("/a/b/x.frm");
    EXPECT_EQ(parts.InitDir, "/a/b");
    EXPECT_EQ(parts.FileTitle, "x.frm");
    EXPECT_EQ(SplitChosenFile("/x.frm").InitDir, "/");
    EXPECT_EQ(SplitChosenFile("x.frm").InitDir, "");
    EXPECT_EQ(SplitChosenFile("x.frm").FileTitle, "x.frm");
}

TEST(Twips, FifteenPerPixelAt96Dpi) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(144), 10.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(0), 15.0);
    EXPECT_EQ(TwipsToPixels(4500, 15), 300);
    EXPECT_EQ(TwipsToPixels(22, 15), 1);  // to the nearest pixel
    EXPECT_EQ(TwipsToPixels(23, 15), 2);
    EXPECT_EQ(TwipsToPixels(0, 15), 0);
}

}  // namespace
}  // namespace dualis
