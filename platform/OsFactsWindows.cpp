// The system's facts over the Win32 API.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>

#include "OsFacts.h"
#include "WindowsNames.h"

namespace dualis::os {
namespace {

std::filesystem::path AppDataFolder() {
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    return std::filesystem::path(appData != nullptr ? appData : L"") / "Dualis";
}

}  // namespace

std::tm LocalTime(std::time_t t) {
    std::tm local{};
    ::localtime_s(&local, &t);
    return local;
}

std::vector<std::string> ProgramArguments(int, char**) {
    // The narrow arguments are in the ANSI code page, which cannot hold every name.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    // Reports and extracted texts go out as they are made: "\n" stays "\n", as on every system.
    for (int fd = 0; fd <= 2; ++fd) ::_setmode(fd, _O_BINARY);
    // The console shows the UTF-8 it is given, and takes colour sequences.
    ::SetConsoleOutputCP(CP_UTF8);
    for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE handle = ::GetStdHandle(which);
        DWORD mode = 0;
        if (::GetConsoleMode(handle, &mode) != 0) {
            ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        }
    }
}

std::filesystem::path ExecutablePath() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::filesystem::path UserSettingsFolder() {
    return AppDataFolder();
}

std::filesystem::path UserDataFolder() {
    return AppDataFolder();
}

std::string SystemSettingsFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "C:\\Windows\\";
    return Utf8FromWide(std::wstring_view(folder, length)) + "\\";
}

SystemRelease SystemVersion() {
    // GetVersionEx tells a program without a manifest that it runs on Windows 8; the kernel's
    // own call tells the truth.
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const auto call = ntdll != nullptr
                          ? reinterpret_cast<RtlGetVersionCall>(
                                reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (call == nullptr || call(&info) != 0) return {};
    return {"Windows NT",
            std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
                std::to_string(info.dwBuildNumber),
            Utf8FromWide(info.szCSDVersion)};
}

std::string MakeTempFile(const std::filesystem::path& folder, const std::string& prefix) {
    wchar_t name[MAX_PATH] = {};
    if (::GetTempFileNameW(folder.wstring().c_str(), WideFromUtf8(prefix).c_str(), 0, name) == 0) {
        return "";
    }
    return Utf8FromWide(name);
}

long ProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool ProcessEnded(long id) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool ended = ::GetExitCodeProcess(process, &code) != 0 && code != STILL_ACTIVE;
    ::CloseHandle(process);
    return ended;
}

}  // namespace dualis::os
