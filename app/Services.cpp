#include "Services.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "Formats.h"
#include "Host.h"
#include "IniFile.h"
#include "RunTimeError.h"

namespace dualis {
namespace {

ProgramFacts FactsOf(const cAppInfo& info) {
    return {cAppInfo::ProductName(), info.AppVersion(), cAppInfo::ExecutablePath()};
}

std::string CurrentFolder() {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

void ApplySwitches(Services& s) {
    const SwitchSettings& w = s.Values.Switches;
    s.Debug.DontFixDataErrors = w.DontFixDataErrors;
    s.Debug.DontTrapErrors = w.DontTrapErrors;
    s.Debug.LogApp = w.LogApp;
    s.Debug.LogBasicLan = w.LogBasicLan;
    s.Debug.LogClasses = w.LogClasses;
    s.Debug.LogDebug = w.LogDebug;
    s.Debug.LogEvents = w.LogEvents;
    s.Debug.LogMouseEvents = w.LogMouseEvents;
    s.Log.LogFileName(w.LogFileName);
    s.AppInfo.ToolTips = w.ToolTips;
    s.AppInfo.DebugMenu = w.DebugMenu;
}

SwitchSettings CollectSwitches(const Services& s) {
    SwitchSettings w;
    w.DontFixDataErrors = s.Debug.DontFixDataErrors;
    w.DontTrapErrors = s.Debug.DontTrapErrors;
    w.LogApp = s.Debug.LogApp;
    w.LogBasicLan = s.Debug.LogBasicLan;
    w.LogClasses = s.Debug.LogClasses;
    w.LogDebug = s.Debug.LogDebug;
    w.LogEvents = s.Debug.LogEvents;
    w.LogMouseEvents = s.Debug.LogMouseEvents;
    w.LogFileName = s.Log.LogFileName();
    w.ToolTips = s.AppInfo.ToolTips;
    w.DebugMenu = s.AppInfo.DebugMenu;
    return w;
}

}  // namespace

Services::Services() : Log(FactsOf(AppInfo)), INI(cAppInfo::ExecutablePath()) {}

std::vector<std::string> StartServices(Services& s, const std::string& settingsFile, bool mayWrite,
                                       const std::array<std::string, 2>& files) {
    // A name given on the command line is a file name like any other there: a bare one is in
    // the current folder, not in the per-user settings folder.
    const std::string fileName =
        settingsFile.empty() ? SettingsFileName : std::filesystem::absolute(settingsFile).string();
    s.INI.SetINIFileName(fileName);
    std::vector<std::string> problems = INIGetInfo(s.INI, s.Values, CurrentFolder());
    // The window creates a missing file when it saves; a run that never saves has a name that
    // leads nowhere.
    std::error_code error;
    if (!mayWrite && !settingsFile.empty() &&
        std::filesystem::status(fileName, error).type() == std::filesystem::file_type::not_found) {
        problems.insert(problems.begin(), "Unable to read the settings file\n" + fileName + "\n" +
                                              std::strerror(ENOENT) + "\nThe defaults are used.");
    }
    ApplySwitches(s);

    s.Debug.LogEvents = true;
    s.Log.ProtectFiles(GuardedFiles(files, ResolveProfilePath(fileName).string()));
    if (!s.Log.LogFileName().empty()) {
        // A log that cannot be opened does not stop the program; LOGFILE keeps its value.
        try {
            s.Log.LogOpen("", LogModeNew);
        } catch (const OutputFileError& e) {
            problems.push_back("Unable to open the trace log that LOGFILE names\n" + e.FileName +
                               "\n" + e.Reason + "\nThe program goes on without a log.");
        }
    }
    if (s.Debug.LogApp) s.Log.LogTraceEnter("mCompare: Main");
    const std::string version = s.AppInfo.AppVersion();
    if (mayWrite && s.Values.Version != version) {
        s.Values.Version = version;
        const SaveResult saved = WriteSettings(s);
        if (!saved.Saved) problems.push_back(NotSavedMessage(saved));
    }
    if (s.Debug.LogApp) s.Log.LogTraceExit("mCompare: Main");
    return problems;
}

SaveResult WriteSettings(Services& s) {
    if (s.Debug.LogApp) s.Log.LogTraceEnter("mCompare: INIPutInfo");
    s.Values.Switches = CollectSwitches(s);
    SaveResult saved = INIPutInfo(s.INI, s.Values, s.AppInfo.AppVersion(), true);
    if (s.Debug.LogApp) s.Log.LogTraceExit("mCompare: INIPutInfo");
    return saved;
}

std::string NotSavedMessage(const SaveResult& result) {
    return "Unable to save the settings\n" + result.FileName + "\n" + result.Reason;
}

ErrorContext MakeErrorContext(const Services& s, const std::array<std::string, 2>& files) {
    const std::string recorded =
        LocalTimeText(std::chrono::system_clock::now(), "%m/%d/%Y %H:%M:%S");
    return {cAppInfo::ProductName(), s.AppInfo.AppVersion(), s.Window.WinVersion(), recorded,
            files};
}

}  // namespace dualis
