// Every settings key with its form, default and corrections. The key readers and writers know
// the value forms; the procedures here only list the keys, section by section.
#include "Settings.h"

#include <cctype>

#include "KeyForms.h"

namespace dualis {
namespace {

// "MRU", the entry number without leading zeros, and "F1" or "F2".
std::string MRUKey(size_t entry, size_t side) {
    return "MRU" + std::to_string(entry + 1) + (side == 0 ? "F1" : "F2");
}

// "MRU", the entry number and "Module".
std::string MRUModuleKey(size_t entry) {
    return "MRU" + std::to_string(entry + 1) + "Module";
}

}  // namespace

std::vector<std::string> GetEveryKey(cINIHandler& ini, Settings& s,
                                     std::string_view defaultFolder) {
    std::vector<std::string> problems;
    KeyReader read(ini, problems);
    const Settings d;
    CompareOptions& c = s.Compare;
    SwitchSettings& w = s.Switches;

    ini.SetSection("Compare");
    c.ExpandTabs = read.Bool("ExpandTabs", d.Compare.ExpandTabs);
    c.IgnoreBlankLines = read.Bool("IgnoreBlankLines", d.Compare.IgnoreBlankLines);
    c.IgnoreCase = read.Bool("IgnoreCase", d.Compare.IgnoreCase);
    c.IgnoreComments = read.Bool("IgnoreComments", d.Compare.IgnoreComments);
    c.IgnoreEmbeddedBlanks = read.Bool("IgnoreEmbeddedBlanks", d.Compare.IgnoreEmbeddedBlanks);
    c.IgnoreLeadingBlanks = read.Bool("IgnoreLeadingBlanks", d.Compare.IgnoreLeadingBlanks);
    c.IgnoreLineNumbers = read.Bool("IgnoreLineNumbers", d.Compare.IgnoreLineNumbers);
    c.IgnoreTrailingBlanks = read.Bool("IgnoreTrailingBlanks", d.Compare.IgnoreTrailingBlanks);
    c.LineByLine = read.Bool("LineByLine", d.Compare.LineByLine);
    // A missing key, 0, a negative value and text without a number all give 2.
    c.SyncNumber =
        read.Whole16("SyncNumber", d.Compare.SyncNumber, CompareOptions::CorrectSyncNumber);
    c.TabWidth = read.Whole16("TabWidth", d.Compare.TabWidth, CompareOptions::CorrectTabWidth);
    s.IgnoreSaveNoise = read.Bool("IgnoreSaveNoise", d.IgnoreSaveNoise);
    s.CodePage = read.Whole32("CodePage", d.CodePage);

    ini.SetSection("Debug");
    w.DontFixDataErrors = read.Bool("DontFixDataErrors", d.Switches.DontFixDataErrors);
    w.DontTrapErrors = read.Bool("DontTrapErrors", d.Switches.DontTrapErrors);
    w.LogApp = read.Bool("LogApp", d.Switches.LogApp);
    w.LogBasicLan = read.Bool("LogBasicLan", d.Switches.LogBasicLan);
    w.LogClasses = read.Bool("LogClasses", d.Switches.LogClasses);
    w.LogDebug = read.Bool("LogDebug", d.Switches.LogDebug);
    w.LogEvents = read.Bool("LogEvents", d.Switches.LogEvents);
    w.LogMouseEvents = read.Bool("LogMouseEvents", d.Switches.LogMouseEvents);
    w.LogFileName = read.String("LOGFILE", d.Switches.LogFileName);

    ini.SetSection("Display");
    s.BackColorAdded = read.Colour("BackColorAdded", d.BackColorAdded);
    s.BackColorChanged = read.Colour("BackColorChanged", d.BackColorChanged);
    s.BackColorDeleted = read.Colour("BackColorDeleted", d.BackColorDeleted);
    s.BackColorEqual = read.Colour("BackColorEqual", d.BackColorEqual);
    s.BackColorHiLite = read.Colour("BackColorHiLite", d.BackColorHiLite);
    s.BackColorIgnored = read.Colour("BackColorIgnored", d.BackColorIgnored);
    s.LineNumbers = read.Bool("LineNumbers", d.LineNumbers);
    s.FontBold = read.Bool("FontBold", d.FontBold);
    s.FontItalic = read.Bool("FontItalic", d.FontItalic);
    s.FontName = read.String("FontName", d.FontName);
    s.FontSize = read.Single("FontSize", d.FontSize);
    s.ForeColorAdded = read.Colour("ForeColorAdded", d.ForeColorAdded);
    s.ForeColorChanged = read.Colour("ForeColorChanged", d.ForeColorChanged);
    s.ForeColorDeleted = read.Colour("ForeColorDeleted", d.ForeColorDeleted);
    s.ForeColorEqual = read.Colour("ForeColorEqual", d.ForeColorEqual);
    s.ForeColorHiLite = read.Colour("ForeColorHiLite", d.ForeColorHiLite);
    s.ForeColorIgnored = read.Colour("ForeColorIgnored", d.ForeColorIgnored);
    s.LineNumberByProc = read.Bool("LineNumberByProc", d.LineNumberByProc);
    s.SyncHScroll = read.Bool("SyncHScroll", d.SyncHScroll);
    s.SyncVScroll = read.Bool("SyncVScroll", d.SyncVScroll);
    s.ViewLegend = read.Bool("ViewLegend", d.ViewLegend);
    const std::string viewMode = read.String("ViewMode", d.ViewMode);
    s.ViewMode = viewMode;
    // A hand-edited "v" means the vertical view, not a window without panes.
    for (char& c : s.ViewMode) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Any other text would leave the window without a view until one is chosen in the menu.
    if (s.ViewMode != "V" && s.ViewMode != "H" && s.ViewMode != "C") {
        if (!s.ViewMode.empty()) read.Report("ViewMode", viewMode, "is not V, H or C", "V is used");
        s.ViewMode = d.ViewMode;
    }
    s.Viewstatusbar = read.Bool("Viewstatusbar", d.Viewstatusbar);
    w.ToolTips = read.Bool("ViewToolTips", d.Switches.ToolTips);
    c.DifferencesAfter = read.StrictWhole16("DifferencesAfter", d.Compare.DifferencesAfter);
    c.DifferencesBefore = read.StrictWhole16("DifferencesBefore", d.Compare.DifferencesBefore);
    c.DifferencesOnly = read.Bool("DifferencesOnly", d.Compare.DifferencesOnly);
    s.Symbols = read.Bool("Symbols", d.Symbols);
    s.ViewToolBar = read.Bool("ViewToolBar", d.ViewToolBar);
    s.HighlightInLine = read.Bool("HighlightInLine", d.HighlightInLine);
    s.ModuleListWidth = read.StrictWholeSingle("ModuleListWidth", d.ModuleListWidth);
    s.ModuleListDifferencesOnly =
        read.Bool("ModuleListDifferencesOnly", d.ModuleListDifferencesOnly);
    s.MainWindowHeight = read.StrictWholeSingle("MainWindowHeight", d.MainWindowHeight);
    s.MainWindowLeft = read.StrictWholeSingle("MainWindowLeft", d.MainWindowLeft);
    s.MainWindowState = read.Whole16("MainWindowState", d.MainWindowState);
    s.MainWindowTop = read.StrictWholeSingle("MainWindowTop", d.MainWindowTop);
    s.MainWindowWidth = read.StrictWholeSingle("MainWindowWidth", d.MainWindowWidth);

    ini.SetSection("General");
    w.DebugMenu = read.Bool("DebugMenu", d.Switches.DebugMenu);
    s.Version = read.String("Version", d.Version);

    ini.SetSection("Files");
    s.SyncFilePaths = read.Whole32("SyncFilePaths", d.SyncFilePaths);
    s.SyncFileNames = read.Bool("SyncFileNames", d.SyncFileNames);
    s.SyncFileExtensions = read.Bool("SyncFileExtensions", d.SyncFileExtensions);
    s.SourceFilterIndex = read.Whole16("SourceFilterIndex", d.SourceFilterIndex);
    s.SourcePath = read.String("SourcePath", defaultFolder);
    s.TargetFilterIndex = read.Whole16("TargetFilterIndex", d.TargetFilterIndex);
    s.TargetPath = read.String("TargetPath", defaultFolder);
    s.ShowFileOpen = read.Bool("ShowFileOpen", d.ShowFileOpen);

    ini.SetSection("MRU");
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        for (size_t side = 0; side < 2; ++side) {
            s.MRU[entry][side] = read.String(MRUKey(entry, side), "");
        }
    }
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        s.MRUModule[entry] = read.String(MRUModuleKey(entry), "");
    }
    return problems;
}

void PutEveryKey(cINIHandler& ini, const Settings& s, std::string_view versionText,
                 bool debugExists) {
    KeyWriter write(ini);
    const CompareOptions& c = s.Compare;
    const SwitchSettings& w = s.Switches;

    ini.SetSection("Compare");
    write.Bool("ExpandTabs", c.ExpandTabs);
    write.Bool("IgnoreBlankLines", c.IgnoreBlankLines);
    write.Bool("IgnoreCase", c.IgnoreCase);
    write.Bool("IgnoreComments", c.IgnoreComments);
    write.Bool("IgnoreEmbeddedBlanks", c.IgnoreEmbeddedBlanks);
    write.Bool("IgnoreLeadingBlanks", c.IgnoreLeadingBlanks);
    write.Bool("IgnoreLineNumbers", c.IgnoreLineNumbers);
    write.Bool("IgnoreTrailingBlanks", c.IgnoreTrailingBlanks);
    write.Bool("LineByLine", c.LineByLine);
    write.Number("SyncNumber", c.SyncNumber);
    write.Number("TabWidth", c.TabWidth);
    write.Bool("IgnoreSaveNoise", s.IgnoreSaveNoise);
    write.Number("CodePage", s.CodePage);

    if (debugExists) {
        ini.SetSection("Debug");
        write.Bool("DontFixDataErrors", w.DontFixDataErrors);
        write.Bool("DontTrapErrors", w.DontTrapErrors);
        write.Bool("LogApp", w.LogApp);
        write.Bool("LogBasicLan", w.LogBasicLan);
        write.Bool("LogClasses", w.LogClasses);
        write.Bool("LogDebug", w.LogDebug);
        write.Bool("LogEvents", w.LogEvents);
        write.Bool("LogMouseEvents", w.LogMouseEvents);
        write.String("LOGFILE", w.LogFileName);
    }

    ini.SetSection("Display");
    write.Colour("BackColorAdded", s.BackColorAdded);
    write.Colour("BackColorChanged", s.BackColorChanged);
    write.Colour("BackColorDeleted", s.BackColorDeleted);
    write.Colour("BackColorEqual", s.BackColorEqual);
    write.Colour("BackColorHiLite", s.BackColorHiLite);
    write.Colour("BackColorIgnored", s.BackColorIgnored);
    write.Bool("LineNumbers", s.LineNumbers);
    write.Bool("FontBold", s.FontBold);
    write.Bool("FontItalic", s.FontItalic);
    write.String("FontName", s.FontName);
    write.Number("FontSize", s.FontSize);
    write.Colour("ForeColorAdded", s.ForeColorAdded);
    write.Colour("ForeColorChanged", s.ForeColorChanged);
    write.Colour("ForeColorDeleted", s.ForeColorDeleted);
    write.Colour("ForeColorEqual", s.ForeColorEqual);
    write.Colour("ForeColorHiLite", s.ForeColorHiLite);
    write.Colour("ForeColorIgnored", s.ForeColorIgnored);
    write.Bool("LineNumberByProc", s.LineNumberByProc);
    write.Bool("SyncHScroll", s.SyncHScroll);
    write.Bool("SyncVScroll", s.SyncVScroll);
    write.Bool("ViewLegend", s.ViewLegend);
    write.String("ViewMode", s.ViewMode);
    write.Bool("Viewstatusbar", s.Viewstatusbar);
    write.Bool("ViewToolTips", w.ToolTips);
    write.Number("DifferencesAfter", c.DifferencesAfter);
    write.Number("DifferencesBefore", c.DifferencesBefore);
    write.Bool("DifferencesOnly", c.DifferencesOnly);
    write.Bool("Symbols", s.Symbols);
    write.Bool("ViewToolBar", s.ViewToolBar);
    write.Number("MainWindowState", s.MainWindowState);
    if (s.MainWindowState == 0) {
        write.Number("MainWindowHeight", s.MainWindowHeight);
        write.Number("MainWindowLeft", s.MainWindowLeft);
        write.Number("MainWindowTop", s.MainWindowTop);
        write.Number("MainWindowWidth", s.MainWindowWidth);
    }
    write.Bool("HighlightInLine", s.HighlightInLine);
    write.Number("ModuleListWidth", s.ModuleListWidth);
    write.Bool("ModuleListDifferencesOnly", s.ModuleListDifferencesOnly);

    ini.SetSection("General");
    write.Bool("DebugMenu", w.DebugMenu);
    write.String("Version", versionText);

    ini.SetSection("Files");
    write.Number("SyncFilePaths", s.SyncFilePaths);
    write.Bool("SyncFileNames", s.SyncFileNames);
    write.Bool("SyncFileExtensions", s.SyncFileExtensions);
    write.Number("SourceFilterIndex", s.SourceFilterIndex);
    write.String("SourcePath", s.SourcePath);
    write.Number("TargetFilterIndex", s.TargetFilterIndex);
    write.String("TargetPath", s.TargetPath);
    write.Bool("ShowFileOpen", s.ShowFileOpen);

    ini.SetSection("MRU");
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        for (size_t side = 0; side < 2; ++side) {
            write.String(MRUKey(entry, side), s.MRU[entry][side]);
        }
    }
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        write.String(MRUModuleKey(entry), s.MRUModule[entry]);
    }
}

std::vector<std::string> INIGetInfo(cINIHandler& ini, Settings& s, std::string_view defaultFolder) {
    const std::string problem = ini.Hold();
    std::vector<std::string> problems = GetEveryKey(ini, s, defaultFolder);
    ini.Release();
    if (!problem.empty()) {
        problems.insert(problems.begin(), "Unable to read the settings file\n" +
                                              ResolveProfilePath(ini.INIFileName()).string() +
                                              "\n" + problem + "\nThe defaults are used.");
    }
    return problems;
}

SaveResult INIPutInfo(cINIHandler& ini, const Settings& s, std::string_view versionText,
                      bool debugExists) {
    ini.Hold();
    PutEveryKey(ini, s, versionText, debugExists);
    SaveResult result = ini.Save();
    ini.Release();
    return result;
}

}  // namespace dualis
