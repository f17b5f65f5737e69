// The system's file calls as the layers above use them, one implementation per system
// (OsFilesPosix.cpp, OsFilesWindows.cpp): names are UTF-8 everywhere inside the program, files
// are descriptors, and a failure leaves its reason in errno.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace dualis::os {

// A path from a UTF-8 name; a plain std::string would be read in the system's ANSI code page
// on Windows. path::string() gives UTF-8 back on every system.
inline std::filesystem::path PathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Opens an existing file for reading without waiting (a FIFO without a writer) and without it
// becoming the controlling terminal. -1 on failure.
int OpenForReading(const std::string& name);
// Opens a file for appending, created when missing; a FIFO without a reader is not waited for
// (errno ENXIO), and once open, writes wait as for any file. -1 on failure.
int OpenForAppending(const std::string& name);
// Creates a new file for writing; fails with EEXIST when the name is taken. -1 on failure.
int CreateExclusive(const std::filesystem::path& path);

struct FileStatus {
    bool Folder = false;
    bool Regular = false;  // a file on disk: no folder, device, pipe or socket
    int64_t Size = 0;
    std::time_t Modified = 0;
    // The same file whatever the name that led to it: device and inode, or on Windows the
    // volume's serial number and the file's index. Both zero when the system does not tell.
    uint64_t Device = 0;
    uint64_t Index = 0;
    unsigned Permissions = 0;  // the mode's permission bits where the system has them
};

// The facts about the file a name leads to, links followed; false with errno when it cannot be
// examined.
bool StatusOfName(const std::string& name, FileStatus& status);
bool StatusOfOpen(int fd, FileStatus& status);

// The descriptor is a terminal or console a person reads.
bool IsTerminal(int fd);
// The descriptor was closed when the program was started.
bool IsClosed(int fd);
// The system's file that swallows what is written to it and reads as empty.
const char* NullDevice();

// Gives a new file the permissions of the one it replaces; nothing to do where there are none.
bool CopyPermissions(int fd, const FileStatus& from);
// Forces the file's content to disk.
bool SyncToDisk(int fd);
// Puts `from` in the place of `to` in one step, replacing it.
bool ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to);
// Forces a folder's entries to disk where the system allows it; failures are ignored.
void SyncFolder(const std::filesystem::path& folder);
// The user may write the existing file: by its owner bit when it is the user's own (which
// holds for the superuser too, who could otherwise write anything), else as the system decides.
bool UserMayWrite(const std::filesystem::path& path, const FileStatus& status);

// The user may make files in the folder.
bool CanWriteIn(const std::filesystem::path& folder);

// Drive letters ("C:") and server names (\\server\share) name places in the file system.
bool DrivesAndServersAreNames();

// A settings file's name that names no folder (no separator, no drive on Windows), which is then
// looked for in the user's settings folder.
bool IsBareName(std::string_view name);

}  // namespace dualis::os
