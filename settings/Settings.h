// The table of user settings the application owns, and the two procedures that move it between
// memory and the settings file, key by key, in the order the file is read and written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "INIHandler.h"
#include "Options.h"

namespace dualis {

// Number of recently compared file pairs the settings file keeps.
inline constexpr size_t MRUSize = 10;

// The values that feed switches of the debug, trace-log and application-information objects.
// They are kept here as plain values; the application hands them to those objects after a read
// and collects them before a write.
struct SwitchSettings {
    // [Debug]
    bool DontFixDataErrors = false;
    bool DontTrapErrors = false;
    bool LogApp = false;
    bool LogBasicLan = false;
    bool LogClasses = false;
    bool LogDebug = false;
    bool LogEvents = false;
    bool LogMouseEvents = false;
    std::string LogFileName;  // key LOGFILE: the trace log's file; empty means no log
    // [Display] ViewToolTips: the toolbar shows its buttons' tips.
    bool ToolTips = true;
    // [General] DebugMenu: the Debug menu is shown.
    bool DebugMenu = false;

    bool operator==(const SwitchSettings&) const = default;
};

// Each member bears the name of the key that stores it and starts with that key's default, so
// a default-built table is what a first run without a settings file reads (the two folders
// aside, which depend on where the program runs). Colours are RGB with red in the low byte and
// blue in the third; window placement is in twips.
struct Settings {
    // [Compare], and DifferencesAfter, DifferencesBefore and DifferencesOnly of [Display].
    CompareOptions Compare;
    // [Compare]: what saving a project changes by itself is left out of the comparison of two
    // projects' files; written after the other [Compare] keys, so that existing files keep
    // their order.
    bool IgnoreSaveNoise = true;
    // [Compare], after IgnoreSaveNoise: the code page of module files that are not valid
    // UTF-8 when folders, projects and documents are compared; 0 for Windows-1252.
    int32_t CodePage = 0;

    SwitchSettings Switches;

    // [Display]
    uint32_t BackColorAdded = 0xFFFFFF;
    uint32_t BackColorChanged = 0xFFFFFF;
    uint32_t BackColorDeleted = 0xFFFFFF;
    uint32_t BackColorEqual = 0xFFFFFF;
    uint32_t BackColorHiLite = 0xFFFF;
    uint32_t BackColorIgnored = 0xF0F0F0;
    bool LineNumbers = false;
    bool FontBold = false;
    bool FontItalic = false;
    std::string FontName;  // empty: the main window keeps the name and size of its own font
    float FontSize = 0;
    uint32_t ForeColorAdded = 0xFF00FF;
    uint32_t ForeColorChanged = 0xFF;
    uint32_t ForeColorDeleted = 0xFF0000;
    uint32_t ForeColorEqual = 0x0;
    uint32_t ForeColorHiLite = 0x0;
    uint32_t ForeColorIgnored = 0xF0F0F;
    bool LineNumberByProc = false;
    bool SyncHScroll = true;
    bool SyncVScroll = true;
    bool ViewLegend = true;
    std::string ViewMode = "V";  // "V" side by side, "H" one above the other, "C" combined
    bool Viewstatusbar = true;
    bool Symbols = true;
    bool ViewToolBar = true;
    // Marks what changed within a changed line; written after the other [Display] keys, so
    // that existing files keep their order.
    bool HighlightInLine = true;
    // The module list of a comparison of two projects or folders: its width in twips and
    // whether it shows only the modules that differ. Written after the keys before.
    float ModuleListWidth = 4800;
    bool ModuleListDifferencesOnly = false;
    // The main window's outer position and size at its last normal state.
    float MainWindowHeight = 0;
    float MainWindowLeft = 0;
    float MainWindowTop = 0;
    float MainWindowWidth = 0;
    int16_t MainWindowState = 0;  // 0 normal, 1 minimised, 2 maximised

    // [General]: the version text of the program that last wrote the file.
    std::string Version;

    // [Files]
    int32_t SyncFilePaths = 0;  // the file dialog's path rule, 0 to 4
    bool SyncFileNames = false;
    bool SyncFileExtensions = false;
    int16_t SourceFilterIndex = 1;  // filter chosen last for File 1
    std::string SourcePath;         // folder of File 1, with its trailing separator
    int16_t TargetFilterIndex = 1;  // filter chosen last for File 2
    std::string TargetPath;         // folder of File 2, with its trailing separator
    bool ShowFileOpen = true;       // open the file selection dialog at start-up

    // [MRU]: MRU[n - 1] is entry n, entry 1 the most recent; [0] is the full name of File 1,
    // [1] that of File 2. An entry is in use when both names are non-empty.
    std::array<std::array<std::string, 2>, MRUSize> MRU;
    // [MRU], after the pairs: for a pair of projects or folders, the module viewed last (its
    // path within File 2's source, else File 1's); empty for a file pair.
    std::array<std::string, MRUSize> MRUModule;

    bool operator==(const Settings&) const = default;
};

// Reads every key into `s`, replacing every member, from the file read once. A missing file,
// section or key gives the key's default; SourcePath and TargetPath default to `defaultFolder`,
// which ends with a separator. A value that cannot be read as its key's form gives the default
// too, and does not stop the reading: the result holds one message for each such value, naming
// the key and the value, after a message naming the file when it is no settings file (a folder,
// unreadable, not text), whose keys all take their defaults.
[[nodiscard]] std::vector<std::string> INIGetInfo(cINIHandler& ini, Settings& s,
                                                  std::string_view defaultFolder);

// Writes every key into one image of the file and replaces the file with it once: the [Debug]
// keys only when the debug object exists, the four placement keys only while MainWindowState is
// 0, so that closing the window maximised or minimised keeps its last normal placement. Version
// is written as `versionText`, the running program's own. When the save fails the file stays as
// it was and the result says why.
[[nodiscard]] SaveResult INIPutInfo(cINIHandler& ini, const Settings& s,
                                    std::string_view versionText, bool debugExists);

// The key-by-key reading and writing of the two above, through whatever the handler works on:
// the file, or an image it holds.
[[nodiscard]] std::vector<std::string> GetEveryKey(cINIHandler& ini, Settings& s,
                                                   std::string_view defaultFolder);
void PutEveryKey(cINIHandler& ini, const Settings& s, std::string_view versionText,
                 bool debugExists);

}  // namespace dualis
