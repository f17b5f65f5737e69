#include <gtest/gtest.h>

#include "HelpTopics.h"

namespace dualis {
namespace {

TEST(HelpAnchorTest, OptionsPagesOpenTheirSections) {
    EXPECT_EQ(HelpAnchor(HelpContext, 3000), "compare-options");
    EXPECT_EQ(HelpAnchor(HelpContext, 3100), "display-options");
}

TEST(HelpAnchorTest, ContentsCommandAndUnknownContextsOpenTheStart) {
    EXPECT_EQ(HelpAnchor(HelpFinder, 0), "");
    EXPECT_EQ(HelpAnchor(HelpContents, 0), "");
    // The contents commands win over a context that comes with them.
    EXPECT_EQ(HelpAnchor(HelpFinder, 3000), "");
    EXPECT_EQ(HelpAnchor(HelpContents, 3100), "");
    EXPECT_EQ(HelpAnchor(HelpContext, 0), "");
    EXPECT_EQ(HelpAnchor(HelpContext, 3001), "");
    EXPECT_EQ(HelpAnchor(HelpContext, -1), "");
}

TEST(HeadingAnchorTest, FormsAnchorsAsMarkdownRenderersDo) {
    EXPECT_EQ(HeadingAnchor("Compare options"), CompareOptionsAnchor);
    EXPECT_EQ(HeadingAnchor("Display options"), DisplayOptionsAnchor);
    EXPECT_EQ(HeadingAnchor("Menus, toolbar, legend and status line"),
              "menus-toolbar-legend-and-status-line");
    EXPECT_EQ(HeadingAnchor("Keys and the Find menu"), "keys-and-the-find-menu");
    // Punctuation goes, the blanks around it stay as hyphens; hyphens and underscores stay.
    EXPECT_EQ(HeadingAnchor("Files & folders"), "files--folders");
    EXPECT_EQ(HeadingAnchor("Step 2: cmdOK_Click (re-run)"), "step-2-cmdok_click-re-run");
    EXPECT_EQ(HeadingAnchor("Größe"), "größe");
    EXPECT_EQ(HeadingAnchor(""), "");
}

}  // namespace
}  // namespace dualis
