// Facts of the running system and the program's place in it, one implementation per system
// (OsFactsPosix.cpp, OsFactsWindows.cpp).
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace dualis::os {

// The local time of day; the C library's own form differs between systems.
std::tm LocalTime(std::time_t t);

// The program's arguments as UTF-8, from the system's own form of them (the wide command line
// on Windows).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error written byte for byte (no line-end translation), and a console
// set to show UTF-8 and to take the terminal's colour sequences.
void PrepareStandardStreams();

// The running executable, empty when the system does not tell.
std::filesystem::path ExecutablePath();

// The user's settings folder ("Dualis" in XDG_CONFIG_HOME or ~/.config; %APPDATA%\Dualis) and
// data folder (XDG_DATA_HOME or ~/.local/share; %APPDATA%\Dualis).
std::filesystem::path UserSettingsFolder();
std::filesystem::path UserDataFolder();
// The folder of the system-wide settings, with a separator at its end: /etc/xdg/Dualis/ here,
// the Windows folder on Windows; the system-wide file is WIN.INI in it.
std::string SystemSettingsFolder();

// The system's name, release and further details ("Linux", "6.1.0-18-amd64", "#1 SMP ...";
// "Windows NT", "10.0.19045", ""); all empty when the system does not tell.
struct SystemRelease {
    std::string Name;
    std::string Release;
    std::string Details;
};
SystemRelease SystemVersion();

// A new empty file in the folder whose name starts with the prefix; empty when none was made.
std::string MakeTempFile(const std::filesystem::path& folder, const std::string& prefix);

// This process's number, and whether the process with that number has ended.
long ProcessId();
bool ProcessEnded(long id);

}  // namespace dualis::os
