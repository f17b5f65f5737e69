// The single service objects of a run and the start-up and shutdown steps around them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "AppInfo.h"
#include "Debug.h"
#include "ErrorReport.h"
#include "INIHandler.h"
#include "Log.h"
#include "Settings.h"
#include "Window.h"

namespace dualis {

inline constexpr const char* SettingsFileName = "VBDualis.INI";

struct Services {
    Services();

    cDebug Debug;
    cAppInfo AppInfo;
    cWindow Window;
    cLog Log;
    cINIHandler INI;
    Settings Values;
};

// The start-up steps: the settings file (SettingsFileName unless one is named; a named one
// relative to the current folder) is read into Values and the switches, LogEvents is switched
// on, the log is opened when the settings name one (never one of `files`, the files to compare,
// nor the settings file itself), and, when `mayWrite` and the stored version text is not the
// program's own, every setting is written back at once. Returns the messages for the user: a
// settings file that cannot be read (or, when not `mayWrite`, a named one that is missing),
// settings values that could not be read, a log that cannot be opened, a save that failed.
std::vector<std::string> StartServices(Services& services, const std::string& settingsFile,
                                       bool mayWrite, const std::array<std::string, 2>& files = {});

// Writes every setting, with the switches as they are now, in one save.
[[nodiscard]] SaveResult WriteSettings(Services& services);

// "Unable to save the settings", the file and the reason, for a save that failed.
std::string NotSavedMessage(const SaveResult& result);

// What the error report needs to know about the program and the comparison under way.
ErrorContext MakeErrorContext(const Services& services, const std::array<std::string, 2>& files);

}  // namespace dualis
