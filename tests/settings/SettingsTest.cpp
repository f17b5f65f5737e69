// The table of settings through a real file: the round trip of every key, a first run's file,
// the corrections and value forms, and what bad values and hand edits lead to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "Settings.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;

using Texts = std::vector<std::string>;

constexpr std::string_view Folder = "/home/ada/vb/";

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Settings Defaults() {
    Settings s;
    s.SourcePath = s.TargetPath = Folder;
    return s;
}

// Every member away from its default (MainWindowState aside, which must stay 0 for the
// placement to be written), with texts the file would alter unless they are protected.
Settings Changed() {
    Settings s;
    s.Compare = {.IgnoreCase = true,
                 .IgnoreLeadingBlanks = true,
                 .IgnoreTrailingBlanks = true,
                 .IgnoreEmbeddedBlanks = true,
                 .IgnoreBlankLines = true,
                 .IgnoreComments = true,
                 .IgnoreLineNumbers = true,
                 .ExpandTabs = true,
                 .TabWidth = 8,
                 .LineByLine = true,
                 .SyncNumber = 5,
                 .DifferencesOnly = true,
                 .DifferencesBefore = 1,
                 .DifferencesAfter = 7};
    s.Switches = {.DontFixDataErrors = true,
                  .DontTrapErrors = true,
                  .LogApp = true,
                  .LogBasicLan = true,
                  .LogClasses = true,
                  .LogDebug = true,
                  .LogEvents = true,
                  .LogMouseEvents = true,
                  .LogFileName = "/var/log/trace.log ",
                  .ToolTips = false,
                  .DebugMenu = true};
    s.BackColorAdded = 0xC0FFC0;
    s.BackColorChanged = 0x80000005;
    s.BackColorDeleted = 0;
    s.BackColorEqual = 0xFFFFFFFF;
    s.BackColorHiLite = 0x123456;
    s.BackColorIgnored = 0xABCDEF;
    s.LineNumbers = s.FontBold = s.FontItalic = s.LineNumberByProc = true;
    s.FontName = "\"Courier New\"";
    s.FontSize = 8.25f;
    s.ForeColorAdded = 1;
    s.ForeColorChanged = 2;
    s.ForeColorDeleted = 3;
    s.ForeColorEqual = 0xFFFFFF;
    s.ForeColorHiLite = 0x10;
    s.ForeColorIgnored = 0x20;
    s.SyncHScroll = s.SyncVScroll = s.ViewLegend = s.Viewstatusbar = false;
    s.Symbols = s.ViewToolBar = s.ShowFileOpen = s.HighlightInLine = false;
    s.IgnoreSaveNoise = false;
    s.ViewMode = "C";
    s.MainWindowHeight = 7200;
    s.MainWindowLeft = -60;
    s.MainWindowTop = 45;
    s.MainWindowWidth = 10800;
    s.ModuleListWidth = 5235;
    s.ModuleListDifferencesOnly = true;
    s.Version = "1.2.3";
    s.SyncFilePaths = 100000;
    s.SyncFileNames = s.SyncFileExtensions = true;
    s.SourceFilterIndex = 2;
    s.SourcePath = "\t/home/ada/old vb/";
    s.TargetFilterIndex = 3;
    s.TargetPath = "/home/ada/new vb/";
    for (size_t n = 0; n < MRUSize; ++n) {
        s.MRU[n] = {"/v1/form" + std::to_string(n + 1) + ".frm",
                    "/v2/form" + std::to_string(n + 1) + ".frm"};
    }
    s.MRU[3] = {"/src/v1", "/src/v2/App.vbp"};
    s.MRUModule[3] = "Forms/frmMain.frm";
    return s;
}

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() : ini("/opt/dualis/dualis", (dir.Path() / "WIN.INI").string()) {
        ini.SetINIFileName((dir.Path() / "VBDualis.INI").string());
    }

    void File(const std::string& text) const { dir.Write("VBDualis.INI", text); }
    std::string Text() const { return FileText(ini.INIFileName()); }
    Settings ReadInto(Settings s) {
        problems = INIGetInfo(ini, s, Folder);
        return s;
    }

    test::TempDir dir;
    cINIHandler ini;
    Texts problems;
};

TEST_F(SettingsTest, EveryKeyRoundTripsThroughTheFile) {
    const Settings changed = Changed();
    ASSERT_TRUE(INIPutInfo(ini, changed, changed.Version, true).Saved);
    EXPECT_EQ(ReadInto(Defaults()), changed);
    EXPECT_EQ(problems, Texts{});
}

TEST_F(SettingsTest, AFirstRunReadsEveryDefaultAndWritesTheWholeFile) {
    const Settings first = ReadInto(Changed());
    EXPECT_EQ(first, Defaults());
    EXPECT_EQ(problems, Texts{});

    ASSERT_TRUE(INIPutInfo(ini, first, "1.0.0 (2024-05-01 10:00:00)", true).Saved);
    const fs::path golden = fs::path(DUALIS_TEST_DATA) / "settings-first-run.ini";
    EXPECT_EQ(Text(), FileText(golden));

    Settings expected = first;
    expected.Version = "1.0.0 (2024-05-01 10:00:00)";
    EXPECT_EQ(ReadInto(Changed()), expected);
}

TEST_F(SettingsTest, AKeyNewToAnOlderFileGoesAtTheEndOfItsSectionAndKeepsTheOthersInOrder) {
    File("[Display]\nViewMode=C\nSymbols=No\n[General]\nDebugMenu=No\n");
    Settings s = ReadInto(Defaults());
    EXPECT_TRUE(s.HighlightInLine);
    s.HighlightInLine = false;
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    const std::string text = Text();
    const size_t viewMode = text.find("ViewMode=C\n");
    const size_t symbols = text.find("Symbols=No\n");
    const size_t highlight = text.find("HighlightInLine=No\n");
    ASSERT_NE(highlight, std::string::npos);
    EXPECT_LT(viewMode, symbols);
    EXPECT_LT(symbols, highlight);
    EXPECT_LT(highlight, text.find("[General]"));
    EXPECT_FALSE(ReadInto(Defaults()).HighlightInLine);
}

TEST_F(SettingsTest, IgnoreSaveNoiseFollowsTheOtherCompareKeysOfAnOlderFile) {
    File("[Compare]\nTabWidth=8\nIgnoreCase=Yes\n[Display]\nViewMode=C\n");
    Settings s = ReadInto(Defaults());
    EXPECT_TRUE(s.IgnoreSaveNoise);
    s.IgnoreSaveNoise = false;
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    const std::string text = Text();
    const size_t tabWidth = text.find("TabWidth=8\n");
    const size_t ignoreCase = text.find("IgnoreCase=Yes\n");
    const size_t noise = text.find("IgnoreSaveNoise=No\n");
    ASSERT_NE(noise, std::string::npos) << text;
    EXPECT_LT(tabWidth, ignoreCase);
    EXPECT_LT(ignoreCase, noise);
    EXPECT_LT(noise, text.find("[Display]"));
    EXPECT_FALSE(ReadInto(Defaults()).IgnoreSaveNoise);
}

TEST_F(SettingsTest, CodePageFollowsIgnoreSaveNoise) {
    File("[Compare]\nIgnoreCase=Yes\nIgnoreSaveNoise=No\n[Display]\nViewMode=C\n");
    Settings s = ReadInto(Defaults());
    EXPECT_EQ(s.CodePage, 0);
    s.CodePage = 932;
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    const std::string text = Text();
    const size_t noise = text.find("IgnoreSaveNoise=No\n");
    const size_t codePage = text.find("CodePage=932\n");
    ASSERT_NE(codePage, std::string::npos) << text;
    EXPECT_LT(noise, codePage);
    EXPECT_LT(codePage, text.find("[Display]"));
    EXPECT_EQ(ReadInto(Defaults()).CodePage, 932);
}

TEST_F(SettingsTest, NumbersAreCorrectedAndReadLeniently) {
    File("[Compare]\nSyncNumber=0\nTabWidth=-1\n");
    EXPECT_EQ(ReadInto(Defaults()).Compare.SyncNumber, 2);
    EXPECT_EQ(ReadInto(Defaults()).Compare.TabWidth, 4);
    File("[Compare]\nSyncNumber=-3\nTabWidth=0\n");
    EXPECT_EQ(ReadInto(Defaults()).Compare.SyncNumber, 2);
    EXPECT_EQ(ReadInto(Defaults()).Compare.TabWidth, 0);

    File(
        "[Compare]\nSyncNumber=\nTabWidth=2.5\n[Display]\nFontSize=9.75pt\nMainWindowState=3.5\n"
        "[Files]\nSourceFilterIndex=7 (forms)\nSyncFilePaths=&H10000\nTargetFilterIndex=none\n");
    const Settings s = ReadInto(Defaults());
    EXPECT_EQ(s.Compare.SyncNumber, 2);
    EXPECT_EQ(s.Compare.TabWidth, 2);  // halves go to the even neighbour
    EXPECT_EQ(s.FontSize, 9.75f);
    EXPECT_EQ(s.MainWindowState, 4);
    EXPECT_EQ(s.SourceFilterIndex, 7);
    EXPECT_EQ(s.SyncFilePaths, 65536);
    EXPECT_EQ(s.TargetFilterIndex, 0);
    EXPECT_EQ(problems, Texts{"TargetFilterIndex: \"none\" is not a number; 0 is used."});
}

TEST_F(SettingsTest, StrictNumbersAndColoursTakeTheirWrittenForms) {
    Settings s = Defaults();
    s.BackColorAdded = 0x00FFFF;  // yellow
    s.BackColorChanged = 0;
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    EXPECT_NE(Text().find("BackColorAdded=&HFFFF\n"), std::string::npos);
    EXPECT_NE(Text().find("BackColorChanged=&H0\n"), std::string::npos);
    EXPECT_NE(Text().find("BackColorDeleted=&HFFFFFF\n"), std::string::npos);
    EXPECT_EQ(ReadInto(Changed()).BackColorAdded, 0x00FFFFu);

    File(
        "[Display]\nBackColorAdded=&H00FFFFFF\nBackColorChanged=&hff\nBackColorDeleted=65535\n"
        "BackColorEqual=&HFFFFFFFF\nBackColorHiLite=-1\nDifferencesAfter=&HFFFF\n"
        "DifferencesBefore=\"2.5\"\nMainWindowHeight=&H10000\nMainWindowLeft=-1.5E3\n");
    s = ReadInto(Defaults());
    EXPECT_EQ(problems, Texts{});
    EXPECT_EQ(s.BackColorAdded, 0xFFFFFFu);
    EXPECT_EQ(s.BackColorChanged, 0xFFu);
    EXPECT_EQ(s.BackColorDeleted, 0xFFFFu);
    EXPECT_EQ(s.BackColorEqual, 0xFFFFFFFFu);
    EXPECT_EQ(s.BackColorHiLite, 0xFFFFFFFFu);
    EXPECT_EQ(s.Compare.DifferencesAfter, -1);  // four hexadecimal digits read as 16 bits
    EXPECT_EQ(s.Compare.DifferencesBefore, 2);
    EXPECT_EQ(s.MainWindowHeight, 65536);
    EXPECT_EQ(s.MainWindowLeft, -1500);
}

TEST_F(SettingsTest, TheExtremesOfEachNumberReadBackAsWritten) {
    Settings s = Defaults();
    s.FontSize = std::numeric_limits<float>::max();
    s.MainWindowHeight = 2147483647;  // a single holds it as 2^31, written 2.1474836E+09
    s.MainWindowLeft = -2147483648.0f;
    s.SyncFilePaths = std::numeric_limits<int32_t>::min();
    s.Compare.DifferencesAfter = std::numeric_limits<int16_t>::max();
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    EXPECT_EQ(ReadInto(Defaults()), s);
    EXPECT_EQ(problems, Texts{});
}

TEST_F(SettingsTest, BooleansKnowEveryStoredWord) {
    File(
        "[Compare]\nExpandTabs=TRUE\nIgnoreBlankLines=true\nIgnoreCase=-1\nIgnoreComments=Yes\n"
        "[Display]\nSyncHScroll=No\nSyncVScroll=false\nViewLegend=0\nSymbols=On\n");
    const Settings s = ReadInto(Defaults());
    EXPECT_TRUE(s.Compare.ExpandTabs && s.Compare.IgnoreBlankLines && s.Compare.IgnoreCase &&
                s.Compare.IgnoreComments);
    EXPECT_FALSE(s.SyncHScroll || s.SyncVScroll || s.ViewLegend);
    EXPECT_TRUE(s.Symbols);  // not a Boolean word: the default
    EXPECT_EQ(problems,
              Texts{"Symbols: \"On\" is not Yes, No, True, False, -1 or 0; the default Yes is "
                    "used."});
}

TEST_F(SettingsTest, AViewModeInLowerCaseIsTheSameView) {
    File("[Display]\nViewMode=h\n");
    EXPECT_EQ(ReadInto(Defaults()).ViewMode, "H");
    EXPECT_EQ(problems, Texts{});
}

// Each value the lenient forms cannot read is named with what is used instead, and takes the
// value it always took: a Boolean its default, a number without a number in front 0, which a
// correction may turn into another value, and an unknown view letter the vertical view.
TEST_F(SettingsTest, EveryValueReadLenientlyThatCannotBeReadIsNamed) {
    File(
        "[Compare]\nExpandTabs=perhaps\nIgnoreCase=Yes\nLineByLine=1e5\nSyncNumber=two\n"
        "TabWidth=abc\n[Debug]\nLogApp=12abc\nLogDebug=\n[Display]\nFontSize=big\n"
        "ViewMode=q\nSyncHScroll=\"\"\nMainWindowState=max\n"
        "[Files]\nSyncFilePaths=&Hz\nShowFileOpen=never\n");
    const Settings s = ReadInto(Changed());
    EXPECT_EQ(problems,
              (Texts{"ExpandTabs: \"perhaps\" is not Yes, No, True, False, -1 or 0; the default No "
                     "is used.",
                     "LineByLine: \"1e5\" is not Yes, No, True, False, -1 or 0; the default No is "
                     "used.",
                     "SyncNumber: \"two\" is not a number; 2 is used.",
                     "TabWidth: \"abc\" is not a number; 0 is used.",
                     "LogApp: \"12abc\" is not Yes, No, True, False, -1 or 0; the default No is "
                     "used.",
                     "FontSize: \"big\" is not a number; 0 is used.",
                     "ViewMode: \"q\" is not V, H or C; V is used.",
                     "MainWindowState: \"max\" is not a number; 0 is used.",
                     "SyncFilePaths: \"&Hz\" is not a number; 0 is used.",
                     "ShowFileOpen: \"never\" is not Yes, No, True, False, -1 or 0; the default "
                     "Yes is used."}));
    Settings expected = Defaults();
    expected.Compare.IgnoreCase = true;
    expected.Compare.TabWidth = 0;
    EXPECT_EQ(s, expected);
}

TEST_F(SettingsTest, ANumberInFrontOrAnEmptyValueIsReadWithoutAMessage) {
    File(
        "[Compare]\nSyncNumber=\nTabWidth=12abc\nExpandTabs=\n[Display]\nViewMode=\n"
        "FontSize=  \nSymbols=\n[Files]\nSourceFilterIndex=&H2z\n");
    const Settings s = ReadInto(Changed());
    EXPECT_EQ(problems, Texts{});
    EXPECT_EQ(s.Compare.SyncNumber, 2);
    EXPECT_EQ(s.Compare.TabWidth, 12);
    EXPECT_FALSE(s.Compare.ExpandTabs);
    EXPECT_EQ(s.ViewMode, "V");
    EXPECT_EQ(s.FontSize, 0);
    EXPECT_TRUE(s.Symbols);
    EXPECT_EQ(s.SourceFilterIndex, 2);
}

TEST_F(SettingsTest, ABadValueTakesItsDefaultAndTheNextWriteMendsIt) {
    File(
        "[Compare]\nTabWidth=40000\n[Display]\nForeColorAdded=pink\nDifferencesAfter=abc\n"
        "DifferencesBefore=5\nMainWindowLeft=\nMainWindowTop=1e12\n"
        "[Files]\nSyncFilePaths=3000000000\nSourcePath=/src/\n");
    const Settings s = ReadInto(Defaults());
    EXPECT_EQ(problems,
              (Texts{"TabWidth: \"40000\" is out of range; the default 4 is used.",
                     "ForeColorAdded: \"pink\" is not a number; the default &HFF00FF is used.",
                     "DifferencesAfter: \"abc\" is not a number; the default 3 is used.",
                     "MainWindowLeft: \"\" is not a number; the default 0 is used.",
                     "MainWindowTop: \"1e12\" is out of range; the default 0 is used.",
                     "SyncFilePaths: \"3000000000\" is out of range; the default 0 is used."}));
    EXPECT_EQ(s.Compare.DifferencesAfter, 3);
    EXPECT_EQ(s.Compare.DifferencesBefore, 5);
    EXPECT_EQ(s.SourcePath, "/src/");

    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    EXPECT_NE(Text().find("DifferencesAfter=3\n"), std::string::npos);
    EXPECT_EQ(ReadInto(Changed()), s);
    EXPECT_EQ(problems, Texts{});
}

TEST_F(SettingsTest, AWindowClosedMaximisedKeepsItsLastNormalPlacement) {
    File(
        "[Display]\nMainWindowHeight=6000\nMainWindowLeft=120\nMainWindowTop=90\n"
        "MainWindowWidth=9000\n");
    Settings s = ReadInto(Defaults());
    s.MainWindowState = 2;
    s.MainWindowHeight = s.MainWindowLeft = s.MainWindowTop = s.MainWindowWidth = 15;
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    EXPECT_NE(Text().find("[Display]\nMainWindowHeight=6000\nMainWindowLeft=120\n"
                          "MainWindowTop=90\nMainWindowWidth=9000\nBackColorAdded="),
              std::string::npos);
    const Settings again = ReadInto(Defaults());
    EXPECT_EQ(again.MainWindowState, 2);
    EXPECT_EQ(again.MainWindowHeight, 6000);
    EXPECT_EQ(again.MainWindowWidth, 9000);
}

TEST_F(SettingsTest, TheTenthRecentPairFollowsTheNinth) {
    Settings s = Defaults();
    s.MRU[8] = {"/a/9.frm", "/b/9.frm"};
    s.MRU[9] = {"/a/10.frm", "/b/10.frm"};
    ASSERT_TRUE(INIPutInfo(ini, s, "", true).Saved);
    EXPECT_NE(Text().find("MRU9F2=/b/9.frm\nMRU10F1=/a/10.frm\nMRU10F2=/b/10.frm\n"),
              std::string::npos);
    EXPECT_EQ(ReadInto(Defaults()).MRU, s.MRU);
}

TEST_F(SettingsTest, AHandEditedFileKeepsItsCommentsAndOwnKeys) {
    File(
        "; Dualis settings, edited by hand\n[Compare]\n; lines that must agree again\n"
        "SyncNumber = 3\nOwnKey=kept\n\n[General]\nVersion=0.9\n[Display]\nViewMode=H\r\r\n");
    Settings s = ReadInto(Defaults());
    EXPECT_EQ(s.ViewMode, "H");  // a stray carriage return is no part of the value
    s.Version = "ignored";
    ASSERT_TRUE(INIPutInfo(ini, s, "2.0", false).Saved);
    const std::string text = Text();
    EXPECT_EQ(text.rfind("; Dualis settings, edited by hand\n[Compare]\n"
                         "; lines that must agree again\nSyncNumber = 3\nOwnKey=kept\n",
                         0),
              0u);
    EXPECT_NE(text.find("\n[General]\nVersion=2.0\nDebugMenu=No\n"), std::string::npos);
    EXPECT_EQ(text.find("[Debug]"), std::string::npos);  // no debug object, no debug keys
}

}  // namespace
}  // namespace dualis
