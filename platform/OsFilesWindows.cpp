// The file calls over the Win32 API: names turned from UTF-8 into the system's wide names, long
// names given the "\\?\" form that lifts the 260-character limit.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "OsFiles.h"
#include "WindowsNames.h"

namespace dualis::os {
namespace {

// errno for the system's error code, so that the callers' texts are those of every system.
void SetErrnoFrom(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_DISK_FULL:
            errno = ENOSPC;
            break;
        default:
            errno = EIO;
    }
}

std::time_t TimeOf(const FILETIME& time) {
    // 100-nanosecond ticks since 1601-01-01.
    const uint64_t ticks = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::time_t>(ticks / 10000000ULL) - 11644473600LL;
}

void Fill(const BY_HANDLE_FILE_INFORMATION& info, FileStatus& status) {
    status.Folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.Regular = !status.Folder && (info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
    status.Size =
        static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    status.Modified = TimeOf(info.ftLastWriteTime);
    status.Device = info.dwVolumeSerialNumber;
    status.Index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    status.Permissions = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
}

}  // namespace

int OpenForReading(const std::string& name) {
    return ::_wopen(SystemName(name).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int OpenForAppending(const std::string& name) {
    return ::_wopen(SystemName(name).c_str(),
                    _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int CreateExclusive(const std::filesystem::path& path) {
    return ::_wopen(SystemName(path.wstring()).c_str(),
                    _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

bool StatusOfName(const std::string& name, FileStatus& status) {
    // Opened for its attributes only, folders too, sharing everything, so that nothing is
    // held back from other programs.
    const HANDLE handle =
        ::CreateFileW(SystemName(name).c_str(), FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFrom(::GetLastError());
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(handle, &info) != 0;
    if (!ok) SetErrnoFrom(::GetLastError());
    ::CloseHandle(handle);
    if (ok) Fill(info, status);
    return ok;
}

bool StatusOfOpen(int fd, FileStatus& status) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    status = FileStatus{};
    // A console, printer port or pipe has no file facts: it is merely not a regular file.
    if (::GetFileType(handle) != FILE_TYPE_DISK) return true;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(handle, &info) == 0) {
        SetErrnoFrom(::GetLastError());
        return false;
    }
    Fill(info, status);
    return true;
}

bool IsTerminal(int fd) {
    // _isatty holds for NUL too; only a console has a console mode.
    DWORD mode = 0;
    return ::GetConsoleMode(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), &mode) != 0;
}

bool IsClosed(int fd) {
    return ::_get_osfhandle(fd) < 0;
}

const char* NullDevice() {
    return "NUL";
}

bool CopyPermissions(int, const FileStatus&) {
    // The read-only attribute of the file replaced has already refused the save.
    return true;
}

bool SyncToDisk(int fd) {
    return ::_commit(fd) == 0;
}

bool ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(SystemName(from.wstring()).c_str(), SystemName(to.wstring()).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    SetErrnoFrom(::GetLastError());
    return false;
}

void SyncFolder(const std::filesystem::path&) {
    // MOVEFILE_WRITE_THROUGH has already waited for the rename to reach the disk.
}

bool UserMayWrite(const std::filesystem::path&, const FileStatus& status) {
    return (status.Permissions & 0200) != 0;
}

bool CanWriteIn(const std::filesystem::path& folder) {
    return ::_waccess(SystemName(folder.wstring()).c_str(), 2) == 0;
}

bool DrivesAndServersAreNames() {
    return true;
}

bool IsBareName(std::string_view name) {
    return name.find_first_of("/\\:") == std::string_view::npos;
}

}  // namespace dualis::os
