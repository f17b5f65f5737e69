// The settings file access against real files: the typed reads and writes, their defaults and
// bounds, and which section each operation leaves current.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "INIHandler.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;

using Words = std::vector<std::string>;

class INIHandlerTest : public ::testing::Test {
  protected:
    INIHandlerTest() : ini("/opt/dualis/dualis", (dir.Path() / "WIN.INI").string()) {
        ini.SetINIFileName((dir.Path() / "VBDualis.INI").string());
    }

    // Replaces the settings file by the given text, as a hand edit would.
    void Settings(const std::string& text) const { dir.Write("VBDualis.INI", text); }
    std::string SettingsText() const {
        std::ifstream in(ini.INIFileName(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    test::TempDir dir;
    cINIHandler ini;
};

TEST(cINIHandler, StartsWithTheProgramsOwnFileAndTheDefaultSection) {
    const cINIHandler ini("/opt/dualis/dualis");
    EXPECT_EQ(ini.INIFileName(), "/opt/dualis/dualis.INI");
    EXPECT_EQ(ini.Section(), "DEFAULT");
}

TEST_F(INIHandlerTest, ReadBoolKnowsTheWordsAndFallsBackToTheDefault) {
    Settings(
        "[DEFAULT]\nSpaced=  yes  \nUpper=TRUE\nNumber=-1\nOff=False\nZero=0\nOther=On\n"
        "Empty=\n");
    EXPECT_TRUE(ini.ReadBool("Spaced"));
    EXPECT_TRUE(ini.ReadBool("upper"));
    EXPECT_TRUE(ini.ReadBool("Number"));
    EXPECT_FALSE(ini.ReadBool("Off", true));
    EXPECT_FALSE(ini.ReadBool("Zero", true));
    EXPECT_TRUE(ini.ReadBool("Other", true));
    EXPECT_FALSE(ini.ReadBool("Other"));
    EXPECT_TRUE(ini.ReadBool("Empty", true));
    EXPECT_TRUE(ini.ReadBool("Absent", true));
    EXPECT_FALSE(ini.ReadBool("Absent"));
}

TEST_F(INIHandlerTest, WriteBoolStoresYesAndNo) {
    ini.WriteBool("Shown", true, "Main");
    ini.WriteBool("Hidden", false);
    EXPECT_EQ(SettingsText(), "[Main]\nShown=Yes\nHidden=No\n");
    EXPECT_TRUE(ini.ReadBool("Shown", false));
    EXPECT_FALSE(ini.ReadBool("Hidden", true));
}

TEST_F(INIHandlerTest, ReadNumberTakesTheLeadingNumberThenTheBoundsLowerFirst) {
    Settings("[DEFAULT]\nBig=25\nWord=many\nTail=12abc\nHex=&H1F\nFraction= 2.5 \nEmpty=\n");
    EXPECT_EQ(ini.ReadNumber("Big", 0, 1, 10), 10);
    EXPECT_EQ(ini.ReadNumber("Word", 5, 1, 10), 1);
    EXPECT_EQ(ini.ReadNumber("Empty", 5), 0);
    EXPECT_EQ(ini.ReadNumber("Tail"), 12);
    EXPECT_EQ(ini.ReadNumber("Hex"), 31);
    EXPECT_EQ(ini.ReadNumber("Fraction"), 2.5);
    EXPECT_EQ(ini.ReadNumber("Absent", 7), 7);
    EXPECT_EQ(ini.ReadNumber("Absent", 50, 1, 10), 10);
    EXPECT_EQ(ini.ReadNumber("Absent", -4, 0), 0);
    // With the bounds crossed, the upper one is applied last and wins.
    EXPECT_EQ(ini.ReadNumber("Tail", 0, 20, 15), 15);
    EXPECT_EQ(ini.ReadNumber("Tail", 0, 5, 3), 3);
}

TEST_F(INIHandlerTest, WriteNumberUsesTheGeneralDecimalForm) {
    ini.WriteNumber("Whole", 4);
    ini.WriteNumber("Half", 2.5);
    ini.WriteNumber("Negative", -0.125);
    ini.WriteNumber("Zero", -0.0);
    ini.WriteNumber("Third", 1.0 / 3);
    ini.WriteNumber("Huge", 1e20);
    ini.WriteNumber("Tiny", 1e-7);
    EXPECT_EQ(SettingsText(),
              "[DEFAULT]\nWhole=4\nHalf=2.5\nNegative=-0.125\nZero=0\n"
              "Third=0.333333333333333\nHuge=1E+20\nTiny=1E-07\n");
    EXPECT_EQ(ini.ReadNumber("Huge"), 1e20);
    EXPECT_EQ(ini.ReadNumber("Tiny"), 1e-7);
}

TEST_F(INIHandlerTest, ReadStringGivesTheDefaultOnlyForAnAbsentKey) {
    Settings("[DEFAULT]\nName=  Two  Words  \nEmpty=\nLong=" + std::string(300, 'x') + "\n");
    EXPECT_EQ(ini.ReadString("Name", "dflt"), "Two  Words");
    EXPECT_EQ(ini.ReadString("Empty", "dflt"), "");
    EXPECT_EQ(ini.ReadString("Absent", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Absent"), "");
    EXPECT_EQ(ini.ReadString("Long"), std::string(254, 'x'));

    ini.WriteString("Path", "C:\\VB\\Forms");
    EXPECT_EQ(ini.ReadString("Path"), "C:\\VB\\Forms");
}

TEST_F(INIHandlerTest, ReadWordsHalvesBlankRunsThenSplits) {
    Settings(
        "[DEFAULT]\nRuns=a  b   c\nFour=a    b\nCommas=x,,y\nColons=p::q\nEmpty=\n"
        "Blanks= \n");
    EXPECT_EQ(ini.ReadWords("Runs"), (Words{"a", "b", "", "c"}));
    EXPECT_EQ(ini.ReadWords("Four"), (Words{"a", "", "b"}));
    EXPECT_EQ(ini.ReadWords("Commas", "", ","), (Words{"x", "", "y"}));
    EXPECT_EQ(ini.ReadWords("Colons", "", "::"), (Words{"p", "q"}));
    EXPECT_EQ(ini.ReadWords("Colons", "", ";"), (Words{"p::q"}));
    EXPECT_EQ(ini.ReadWords("Empty", "d  e"), (Words{"d", "e"}));
    EXPECT_EQ(ini.ReadWords("Blanks", "f g"), (Words{"f", "g"}));  // read as empty
    EXPECT_EQ(ini.ReadWords("Absent", "h i"), (Words{"h", "i"}));
    EXPECT_EQ(ini.ReadWords("Absent"), Words{});
}

TEST_F(INIHandlerTest, WriteWordsJoinsWithSingleBlanks) {
    ini.WriteWords("Recent", {"one.frm", "two.bas", "three.cls"});
    EXPECT_EQ(SettingsText(), "[DEFAULT]\nRecent=one.frm two.bas three.cls\n");
    EXPECT_EQ(ini.ReadWords("Recent"), (Words{"one.frm", "two.bas", "three.cls"}));
    ini.WriteWords("Recent", {});
    EXPECT_EQ(ini.ReadWords("Recent", "none"), Words{"none"});
}

TEST_F(INIHandlerTest, SettingTheSectionReplacesBrackets) {
    ini.SetSection("[Main]");
    EXPECT_EQ(ini.Section(), "|Main|");
    ini.WriteString("Key", "v");
    EXPECT_EQ(SettingsText(), "[|Main|]\nKey=v\n");
    EXPECT_EQ(ini.ReadString("Key", "", "|main|"), "v");
}

TEST_F(INIHandlerTest, AGivenSectionStaysCurrentWithOrWithoutBrackets) {
    // Through the property: brackets become bars.
    ini.ReadBool("K", false, "[A]");
    EXPECT_EQ(ini.Section(), "|A|");
    ini.ReadNumber("K", 0, std::nullopt, std::nullopt, "[B]");
    EXPECT_EQ(ini.Section(), "|B|");
    ini.WriteBool("K", true, "[C]");
    EXPECT_EQ(ini.Section(), "|C|");
    ini.WriteNumber("K", 1, "[D]");
    EXPECT_EQ(ini.Section(), "|D|");
    ini.WriteString("K", "x", "[E]");
    EXPECT_EQ(ini.Section(), "|E|");
    ini.DeleteKey("K", "[F]");
    EXPECT_EQ(ini.Section(), "|F|");

    // Stored as given.
    ini.ReadString("K", "", "[G]");
    EXPECT_EQ(ini.Section(), "[G]");
    ini.ReadWords("K", "", " ", "[H]");
    EXPECT_EQ(ini.Section(), "[H]");
    ini.WriteWords("K", {"x"}, "[I]");
    EXPECT_EQ(ini.Section(), "[I]");

    // An empty section is no section for ReadNumber and ReadString only.
    ini.ReadNumber("K", 0, std::nullopt, std::nullopt, "");
    ini.ReadString("K", "", "");
    EXPECT_EQ(ini.Section(), "[I]");
    ini.ReadBool("K", false, "");
    EXPECT_EQ(ini.Section(), "");
    ini.SetSection("Main");
    ini.ReadWords("K", "", " ", "");
    EXPECT_EQ(ini.Section(), "");

    ini.SetSection("Main");
    ini.DeleteSection("Other");
    EXPECT_EQ(ini.Section(), "Main");
}

TEST_F(INIHandlerTest, DeletesKeysAndSectionsAndSeesHandEdits) {
    Settings("; mine\n[Main]\nWidth=5\nHeight=7\n\n[Colours]\nBack=white\n");
    ini.DeleteKey("WIDTH", "main");
    EXPECT_EQ(SettingsText(), "; mine\n[Main]\nHeight=7\n\n[Colours]\nBack=white\n");
    EXPECT_EQ(ini.ReadNumber("Width", 3), 3);

    Settings(SettingsText() + "Fore=black\n");
    EXPECT_EQ(ini.ReadString("Fore", "", "Colours"), "black");

    ini.DeleteSection("COLOURS");
    EXPECT_EQ(SettingsText(), "; mine\n[Main]\nHeight=7\n\n");
    EXPECT_EQ(ini.ReadString("Back", "gone"), "gone");
}

TEST_F(INIHandlerTest, UseWinDirReadsTheSystemFile) {
    Settings("[windows]\nBeep=1\nName=user\n");
    EXPECT_EQ(ini.ReadNumber("Beep", 9, std::nullopt, std::nullopt, "windows", true), 9);
    EXPECT_EQ(ini.ReadString("Name", "none", "windows", true), "none");

    dir.Write("WIN.INI", "[Windows]\nbeep=3\nname=system\n");
    EXPECT_EQ(ini.ReadNumber("Beep", 9, std::nullopt, std::nullopt, "windows", true), 3);
    EXPECT_EQ(ini.ReadString("Name", "none", "windows", true), "system");
    EXPECT_EQ(ini.ReadNumber("Beep", 9, std::nullopt, std::nullopt, "windows"), 1);
    EXPECT_EQ(ini.ReadString("Name", "none", "windows"), "user");
}

}  // namespace
}  // namespace dualis
